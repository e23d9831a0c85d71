#include "platform/db/Connection.h"

#include "platform/Error.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/SqliteFile.h"
#include "platform/db/StatementTranslation.h"

#include <sqlite3.h>

namespace platform::db {

void Connection::Open(const QString&, const QString&, int) {
    file_ = SqliteFile::openExisting(ConnectionString::parse(connectionString_).dataSource, upkeep_);
}

void Connection::Close() {
    file_.reset();
}

const SqliteFile& Connection::file() const {
    if (!file_)
        throw Error(Error::Kind::NotOpen, QString(), QStringLiteral("the connection is not open"));
    return *file_;
}

int Command::Execute() {
    if (!connection_)
        throw Error(Error::Kind::NotOpen, QString(), QStringLiteral("the command has no connection"));
    const SqliteFile& file = connection_->file();
    StatementShape shape = StatementShape::parse(commandText_, connection_->rule(), file.path());
    if (shape.kind != StatementShape::Kind::Delete)
        throw Error(Error::Kind::StatementRefused, file.path(),
                    QStringLiteral("only delete statements are run as commands"));
    shape.resolveAgainst(file);
    SqliteFile::WriteTransaction transaction(file);
    SqliteStatement statement = file.prepare(shape.sql());
    statement.bind(1, shape.filter->literal);
    statement.step();
    const int deleted = sqlite3_changes(file.handle());
    transaction.commit();
    return deleted;
}

} // namespace platform::db
