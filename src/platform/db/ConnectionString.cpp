#include "platform/db/ConnectionString.h"

#include "platform/Error.h"

#include <QStringList>

namespace platform::db {
namespace {

// The one provider the program names; the file behind it is an SQLite database.
const QString supportedProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
const QString providerKey = QStringLiteral("Provider");
const QString dataSourceKey = QStringLiteral("Data Source");
const QStringList knownKeys = {providerKey, dataSourceKey, QStringLiteral("Persist Security Info")};

// The known key a piece between ";" marks begins with ("Key=..."), or the empty text.
QString keyOf(const QString& piece) {
    const qsizetype equals = piece.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    const QString key = piece.left(equals).trimmed();
    for (const QString& known : knownKeys) {
        if (key.compare(known, Qt::CaseInsensitive) == 0)
            return known;
    }
    return QString();
}

} // namespace

// The data source is the program's folder as it is, and a folder may hold ";", "=" and even texts such as
// ";Provider=": a ";" ends it only where everything after reads as pieces of other known keys, each given
// once and none given before. Any other value ends at the next piece of a known key.
ConnectionString ConnectionString::parse(const QString& text) {
    const QStringList pieces = text.split(QLatin1Char(';'));
    QStringList keys;
    for (const QString& piece : pieces)
        keys << keyOf(piece);
    auto restIsOtherKeys = [&](qsizetype from, QStringList given) {
        if (keys[from].isEmpty())
            return false;
        for (qsizetype i = from; i < keys.size(); ++i) {
            if (keys[i].isEmpty())
                continue;
            if (given.contains(keys[i]))
                return false;
            given << keys[i];
        }
        return true;
    };

    ConnectionString result;
    QStringList given;
    for (qsizetype i = 0; i < pieces.size();) {
        if (keys[i].isEmpty()) { // nothing before the first key counts
            ++i;
            continue;
        }
        const QString key = keys[i];
        given << key;
        qsizetype end = i + 1;
        while (end < pieces.size() &&
               !(key == dataSourceKey ? restIsOtherKeys(end, given) : !keys[end].isEmpty()))
            ++end;
        QStringList valuePieces = pieces.mid(i, end - i);
        if (end == pieces.size() && valuePieces.size() > 1 && valuePieces.last().isEmpty())
            valuePieces.removeLast(); // the closing ";" of the text
        QString value = valuePieces.join(QLatin1Char(';'));
        value = value.mid(value.indexOf(QLatin1Char('=')) + 1).trimmed();
        if (key == providerKey) {
            result.provider = value;
        } else if (key == dataSourceKey) {
            // The "\" before the file name separates it from the folder; one inside a folder's name is kept.
            if (const qsizetype separator = value.lastIndexOf(QLatin1Char('\\')); separator >= 0)
                value[separator] = QLatin1Char('/');
            result.dataSource = value;
        }
        i = end;
    }
    if (result.provider.compare(supportedProvider, Qt::CaseInsensitive) != 0)
        throw Error(Error::Kind::BadConnectionString, result.dataSource,
                    QStringLiteral("the connection names no supported provider"));
    if (result.dataSource.isEmpty())
        throw Error(Error::Kind::BadConnectionString, QString(),
                    QStringLiteral("the connection names no database file"));
    return result;
}

} // namespace platform::db
