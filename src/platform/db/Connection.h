#pragma once

#include "platform/values/Value.h"

#include <QString>
#include <functional>
#include <memory>

namespace platform::db {

class SqliteFile;

enum class CursorLocation { Server = 2, Client = 3 };

// A connection for statements run through a Command. Open reads the connection string; failures throw
// Error and leave the connection closed.
class Connection {
public:
    explicit Connection(const DateTextRule& rule) : rule_(rule) {}

    QString ConnectionString() const { return connectionString_; }
    void setConnectionString(const QString& text) { connectionString_ = text; }
    db::CursorLocation CursorLocation() const { return cursorLocation_; }
    void setCursorLocation(db::CursorLocation location) { cursorLocation_ = location; }

    // User name, password and options are accepted as the program passes them; the file has none.
    void Open(const QString& userId = QString(), const QString& password = QString(), int options = -1);
    void Close();
    bool isOpen() const { return file_ != nullptr; }

    const DateTextRule& rule() const { return rule_; }
    // Handed to the file at the next Open (see SqliteFile::Upkeep).
    void setUpkeep(std::function<void(const SqliteFile&)> upkeep) { upkeep_ = std::move(upkeep); }
    // The open file; throws NotOpen when closed.
    const SqliteFile& file() const;

private:
    const DateTextRule& rule_;
    QString connectionString_;
    db::CursorLocation cursorLocation_ = db::CursorLocation::Server;
    std::shared_ptr<SqliteFile> file_;
    std::function<void(const SqliteFile&)> upkeep_;
};

// Runs a delete statement on its active connection.
class Command {
public:
    void setActiveConnection(Connection* connection) { connection_ = connection; }
    QString CommandText() const { return commandText_; }
    void setCommandText(const QString& text) { commandText_ = text; }

    // Returns the number of rows deleted. Throws Error; a refused statement runs nothing.
    int Execute();

private:
    Connection* connection_ = nullptr;
    QString commandText_;
};

} // namespace platform::db
