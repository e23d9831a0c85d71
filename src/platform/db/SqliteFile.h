#pragma once

#include "platform/values/Value.h"

#include <QString>
#include <QStringList>
#include <QUtf8StringView>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::db {

class SqliteStatement;

// One open handle on an existing database file. The file is never created here.
class SqliteFile {
public:
    // Throws DbError: FileMissing, NotADatabase, EngineFailure.
    static std::shared_ptr<SqliteFile> openExisting(const QString& path);
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

    // A DbError for the last failure on this handle.
    [[noreturn]] void fail(const QString& doing) const;

private:
    SqliteFile(QString path, sqlite3* db) : path_(std::move(path)), db_(db) {}
    QString path_;
    sqlite3* db_;
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
    QString columnName(int column) const;
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
