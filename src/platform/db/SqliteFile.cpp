#include "platform/db/SqliteFile.h"

#include "platform/db/DbError.h"

#include <QFileInfo>
#include <cmath>
#include <sqlite3.h>

namespace platform::db {

std::shared_ptr<SqliteFile> SqliteFile::openExisting(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw DbError(DbError::Kind::FileMissing, path, QStringLiteral("the file does not exist"));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(DbError::Kind::FileMissing, path,
                      QStringLiteral("the file cannot be opened (%1)").arg(reason));
    }
    std::shared_ptr<SqliteFile> file(new SqliteFile(path, db));
    // Another program may hold the file for a moment; the window waits while this one does, so a lock that
    // lasts longer is reported rather than waited out.
    sqlite3_busy_timeout(db, 200);
    // The first read of the schema tells a database from any other file.
    file->prepare(QStringLiteral("SELECT count(*) FROM sqlite_master")).step();
    return file;
}

SqliteFile::~SqliteFile() {
    sqlite3_close_v2(db_);
}

void SqliteFile::fail(const QString& doing) const {
    const int code = sqlite3_errcode(db_);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    if (code == SQLITE_NOTADB)
        throw DbError(DbError::Kind::NotADatabase, path_, QStringLiteral("the file is not a database"));
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw DbError(DbError::Kind::FileInUse, path_,
                      QStringLiteral("another program is using the file; try again when it has finished"));
    throw DbError(DbError::Kind::EngineFailure, path_, QStringLiteral("%1 failed: %2").arg(doing, message));
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

QString SqliteStatement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
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
