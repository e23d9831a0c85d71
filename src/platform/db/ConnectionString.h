#pragma once

#include <QString>

namespace platform::db {

// The pieces of a connection string the layer uses. Keys are matched without regard to case.
struct ConnectionString {
    QString provider;
    // The file, with "\" read as the folder separator.
    QString dataSource;

    // Throws Error (BadConnectionString) when no supported provider or no data source is named.
    static ConnectionString parse(const QString& text);
};

} // namespace platform::db
