#include "platform/db/SqliteFile.h"

#include "platform/Error.h"

#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::db {

sqlite3* SqliteFile::openHandle(const QString& path, bool readOnly, bool immutable) {
    const QByteArray uri = "file:" + QFile::encodeName(path).toPercentEncoding("/") +
                           (!readOnly   ? ""
                            : immutable ? "?mode=ro&immutable=1"
                                        : "?mode=ro");
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(uri.constData(), &db,
                                   (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                                       SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw Error(Error::Kind::FileMissing, path,
                    QStringLiteral("the file cannot be opened (%1)").arg(reason));
    }
    return db;
}

std::shared_ptr<SqliteFile> SqliteFile::openExisting(const QString& path, Upkeep upkeep) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw Error(Error::Kind::FileMissing, path, QStringLiteral("the file does not exist"));
    // Taken before the handle opens: should the file be replaced in between, a write is refused, never let
    // into the wrong file.
    const std::optional<Identity> identity = identityOf(path);
    QString readOnlyReason;
    if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
        readOnlyReason =
            QStringLiteral("the folder %1 cannot be written, so the file can be read but not changed")
                .arg(info.absolutePath());
    else if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        readOnlyReason = QStringLiteral("the file cannot be written, so it can be read but not changed");
    // The file's journal needs files beside it that a folder that cannot be written does not take; there
    // the file is read as it stands, which is all such media can hold.
    const auto openAndRead = [&](bool immutable) {
        std::shared_ptr<SqliteFile> file(
            new SqliteFile(path, openHandle(path, !readOnlyReason.isEmpty(), immutable)));
        // Another program may hold the file for a moment; the window waits while this one does, so a lock
        // that lasts longer is reported rather than waited out.
        sqlite3_busy_timeout(file->db_, 200);
        // The first read of the schema tells a database from any other file.
        file->prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).step();
        return file;
    };
    std::shared_ptr<SqliteFile> file;
    try {
        file = openAndRead(false);
    } catch (const Error& error) {
        if (readOnlyReason.isEmpty() || error.kind() == Error::Kind::NotADatabase)
            throw;
        file = openAndRead(true);
    }
    file->identity_ = identity;
    file->readOnlyReason_ = readOnlyReason;
    file->upkeep_ = std::move(upkeep);
    return file;
}

std::optional<SqliteFile::Identity> SqliteFile::identityOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Identity{quint64(status.st_dev), quint64(status.st_ino)};
}

void SqliteFile::requireWritable() const {
    if (!readOnlyReason_.isEmpty())
        throw Error(Error::Kind::ReadOnly, path_, readOnlyReason_);
    const std::optional<Identity> now = identityOf(path_);
    if (!now)
        throw Error(Error::Kind::FileMoved, path_,
                    QStringLiteral("the file was deleted or moved away since it was read"));
    if (*now != identity_)
        throw Error(Error::Kind::FileMoved, path_,
                    QStringLiteral("another file has taken its place since it was read"));
}

// Inside a transaction its user began itself, a change is a savepoint of that transaction.
SqliteFile::WriteTransaction::WriteTransaction(const SqliteFile& file)
    : file_(file), nested_(sqlite3_get_autocommit(file.db_) == 0) {
    file_.requireWritable();
    if (sqlite3_exec(file_.db_, nested_ ? "SAVEPOINT change" : "BEGIN IMMEDIATE", nullptr, nullptr,
                     nullptr) != SQLITE_OK)
        file_.fail(QStringLiteral("starting a change"));
    open_ = true;
    if (file_.upkeep_ && !file_.upkeepDone_) {
        try {
            file_.upkeep_(file_);
        } catch (...) {
            rollBack();
            throw;
        }
        file_.upkeepDone_ = true;
    }
}

SqliteFile::WriteTransaction::~WriteTransaction() {
    if (open_)
        rollBack();
}

void SqliteFile::WriteTransaction::rollBack() {
    sqlite3_exec(file_.db_, nested_ ? "ROLLBACK TO change; RELEASE change" : "ROLLBACK", nullptr, nullptr,
                 nullptr);
}

void SqliteFile::WriteTransaction::commit() {
    if (sqlite3_exec(file_.db_, nested_ ? "RELEASE change" : "COMMIT", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        file_.fail(QStringLiteral("storing a change"));
    open_ = false;
}

SqliteFile::~SqliteFile() {
    sqlite3_close_v2(db_);
}

void SqliteFile::fail(const QString& doing) const {
    const int code = sqlite3_errcode(db_);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    if (code == SQLITE_NOTADB)
        throw Error(Error::Kind::NotADatabase, path_, QStringLiteral("the file is not a database"));
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw Error(Error::Kind::FileInUse, path_,
                    QStringLiteral("another program is using the file; try again when it has finished"));
    throw Error(Error::Kind::EngineFailure, path_, QStringLiteral("%1 failed: %2").arg(doing, message));
}

SqliteStatement SqliteFile::prepare(const QString& sql) const {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, nullptr) != SQLITE_OK)
        fail(QStringLiteral("reading the database"));
    return SqliteStatement(*this, stmt);
}

QStringList SqliteFile::columnsOf(const QString& table) const {
    SqliteStatement statement = prepare(QStringLiteral("SELECT name FROM pragma_table_info(?1)"));
    statement.bind(1, table);
    QStringList names;
    while (statement.step())
        names << statement.raw(0).text();
    return names;
}

QString SqliteFile::primaryKeyOf(const QString& table) const {
    SqliteStatement statement =
        prepare(QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE pk = 1"));
    statement.bind(1, table);
    return statement.step() ? statement.raw(0).text() : QString();
}

bool SqliteFile::isRowNumberColumn(const QString& table, const QString& column) const {
    int autoIncrement = 0;
    const QByteArray tableName = table.toUtf8(), columnName = column.toUtf8();
    return sqlite3_table_column_metadata(db_, "main", tableName.constData(), columnName.constData(), nullptr,
                                         nullptr, nullptr, nullptr, &autoIncrement) == SQLITE_OK &&
           autoIncrement != 0;
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept : file_(other.file_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

void SqliteStatement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    switch (value.kind()) {
    case Value::Kind::Null:
        rc = sqlite3_bind_null(stmt_, index);
        break;
    case Value::Kind::Text: {
        const QByteArray utf8 = value.text().toUtf8();
        rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Integer:
        rc = sqlite3_bind_int64(stmt_, index, value.integer());
        break;
    case Value::Kind::Number: {
        // A whole number a double holds exactly goes in as an integer, as the database would store it; the
        // range is checked before the cast. Anything else, infinities and beyond 64 bits included, is REAL.
        const double n = value.number();
        if (std::abs(n) <= 0x1p53 && std::trunc(n) == n)
            rc = sqlite3_bind_int64(stmt_, index, qint64(n));
        else
            rc = sqlite3_bind_double(stmt_, index, n);
        break;
    }
    case Value::Kind::DateTime:
        rc = sqlite3_bind_double(stmt_, index, value.dateTime().days());
        break;
    }
    if (rc != SQLITE_OK)
        file_->fail(QStringLiteral("binding a value"));
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    file_->fail(QStringLiteral("running a statement"));
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QString SqliteStatement::declaredType(int column) const {
    return QString::fromUtf8(sqlite3_column_decltype(stmt_, column));
}

qint64 SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

SqliteStatement::Storage SqliteStatement::storage(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return Storage::Null;
    case SQLITE_INTEGER:
        return Storage::Integer;
    case SQLITE_FLOAT:
        return Storage::Real;
    default:
        return Storage::Text;
    }
}

QUtf8StringView SqliteStatement::utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QUtf8StringView(text, sqlite3_column_bytes(stmt_, column));
}

Value SqliteStatement::raw(int column) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return Value();
    case SQLITE_INTEGER:
        return Value(qint64(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, column));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return Value(QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column)));
    }
    }
}

QString quotedName(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace platform::db
