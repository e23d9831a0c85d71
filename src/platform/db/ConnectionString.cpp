#include "platform/db/ConnectionString.h"

#include "platform/db/DbError.h"

#include <QStringList>

namespace platform::db {
namespace {

// The one provider the program names; the file behind it is an SQLite database.
const QString supportedProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");

} // namespace

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString result;
    for (const QString& piece : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = piece.left(equals).trimmed();
        const QString value = piece.mid(equals + 1).trimmed();
        if (key.compare(QStringLiteral("Provider"), Qt::CaseInsensitive) == 0)
            result.provider = value;
        else if (key.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0)
            result.dataSource = QString(value).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    if (result.provider.compare(supportedProvider, Qt::CaseInsensitive) != 0)
        throw DbError(DbError::Kind::BadConnectionString, result.dataSource,
                      QStringLiteral("the connection names no supported provider"));
    if (result.dataSource.isEmpty())
        throw DbError(DbError::Kind::BadConnectionString, QString(),
                      QStringLiteral("the connection names no database file"));
    return result;
}

} // namespace platform::db
