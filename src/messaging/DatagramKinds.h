#pragma once

#include <QString>
#include <QStringList>

// The texts of the LAN protocol and the receiver's reading of them. Every test is exact, letter case
// included.
namespace DatagramKinds {

inline const QString PresenceQueryPrefix = QStringLiteral("Return Hostname-");
inline const QString PresenceAnswerPrefix = QStringLiteral("Neighbor-");
inline const QString QuitNoticePrefix = QStringLiteral("QN-");
inline const QString HeaderPrefix = QStringLiteral("TIME:");
inline const QString ReplyHostPrefix = QStringLiteral("REP-USER:");
inline const QString HeaderMiddle = QStringLiteral("傳送訊息給您，時間是");
inline const QString BodyMiddle = QStringLiteral("說：");
constexpr quint16 ReceivePort = 7777;
constexpr quint16 SendPort = 6666;

enum class Kind { PresenceQuery, PresenceAnswer, QuitNotice, Header, ReplyHost, Body };

struct Reading {
    Kind kind;
    // What follows the prefix; the whole text for a body.
    QString rest;
};

// Tested in this order; the first prefix that matches decides.
Reading read(const QString& datagram);

// "10.1.2.3" -> "10.1.2.255"; an address with fewer than three dots leaves the current value.
QString broadcastAddressFor(const QString& localIPv4, const QString& current);

QString headerText(const QString& hostName, const QString& timeOfDay);
QString replyHostText(const QString& hostName);
QString bodyText(const QString& hostName, const QString& typed);

// Line breaks travel as CR LF, which is what the peers' multi-line boxes hold; the boxes here hold LF.
QString wireLineBreaks(const QString& typed);
QString shownLineBreaks(const QString& received);

} // namespace DatagramKinds
