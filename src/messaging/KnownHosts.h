#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The known-host list as presence answers and quit notices change it. A name is listed once, exact case, in
// order of first arrival; a quit notice removes only an exact match. Each sender address keeps at most one
// name in the list, the latest it announced, so a peer announcing endless names grows nothing.
class KnownHosts {
public:
    explicit KnownHosts(QStringList& TempList) : TempList_(TempList) {}

    void announced(const QString& name, const QString& sender);
    void quit(const QString& name);

private:
    void remove(const QString& name);

    QStringList& TempList_;
    // Sender address -> the name it announced last.
    QHash<QString, QString> nameOf_;
};
