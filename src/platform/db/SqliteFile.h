#pragma once

#include "platform/values/Value.h"

#include <QString>
#include <QStringList>
#include <QUtf8StringView>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::db {

class SqliteStatement;

// One open handle on an existing database file. The file is never created here, and opening it changes
// nothing in it: a file in a folder or on media that cannot be written is opened for reading only.
class SqliteFile {
public:
    // Work the program wants done to a file it writes anyway (an index an older file lacks). It runs once,
    // in the first write's transaction; a file that is only read is left exactly as it was.
    using Upkeep = std::function<void(const SqliteFile&)>;

    // Throws Error: FileMissing, NotADatabase, EngineFailure.
    static std::shared_ptr<SqliteFile> openExisting(const QString& path, Upkeep upkeep = {});
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    QString path() const { return path_; }
    sqlite3* handle() const { return db_; }

    SqliteStatement prepare(const QString& sql) const;
    // The table's columns as the database names them; empty when there is no such table.
    QStringList columnsOf(const QString& table) const;
    QString primaryKeyOf(const QString& table) const;
    // Whether the column is the table's row number under another name: an AUTOINCREMENT key always is.
    bool isRowNumberColumn(const QString& table, const QString& column) const;

    // An Error for the last failure on this handle.
    [[noreturn]] void fail(const QString& doing) const;

    // Every change goes through one: it refuses (Error, nothing written) a file opened for reading only,
    // and one that is no longer the file at its path (deleted, or another renamed over it since it was
    // opened: the database would still take the change, into a file nobody opens again). Without commit()
    // everything written in it is undone.
    class WriteTransaction {
    public:
        explicit WriteTransaction(const SqliteFile& file);
        ~WriteTransaction();
        WriteTransaction(const WriteTransaction&) = delete;
        WriteTransaction& operator=(const WriteTransaction&) = delete;
        void commit();

    private:
        void rollBack();
        const SqliteFile& file_;
        const bool nested_;
        bool open_ = false;
    };

private:
    struct Identity {
        quint64 device = 0;
        quint64 inode = 0;
        bool operator==(const Identity&) const = default;
    };
    static std::optional<Identity> identityOf(const QString& path);
    static sqlite3* openHandle(const QString& path, bool readOnly, bool immutable);
    SqliteFile(QString path, sqlite3* db) : path_(std::move(path)), db_(db) {}
    void requireWritable() const;

    QString path_;
    sqlite3* db_;
    std::optional<Identity> identity_;
    // Why the file cannot be written; empty when it can.
    QString readOnlyReason_;
    Upkeep upkeep_;
    mutable bool upkeepDone_ = false;
};

// A prepared statement; finalised when it goes.
class SqliteStatement {
public:
    SqliteStatement(const SqliteFile& file, sqlite3_stmt* stmt) : file_(&file), stmt_(stmt) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    ~SqliteStatement();

    void bind(int index, const Value& value);
    // True while a row is available; throws on failure.
    bool step();
    int columnCount() const;
    QString declaredType(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    enum class Storage { Null, Integer, Real, Text };
    Storage storage(int column) const;
    // The column's UTF-8 text, valid until the next step.
    QUtf8StringView utf8(int column) const;
    // The column's raw value: null, text, integer or real as a number.
    Value raw(int column) const;
    sqlite3_stmt* handle() const { return stmt_; }

private:
    const SqliteFile* file_;
    sqlite3_stmt* stmt_;
};

// A name the database itself returned, quoted for use in a statement.
QString quotedName(const QString& name);

} // namespace platform::db
