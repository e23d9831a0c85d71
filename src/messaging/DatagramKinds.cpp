#include "messaging/DatagramKinds.h"

namespace DatagramKinds {

Reading read(const QString& s) {
    // The query is recognised without its dash: any text starting "Return Hostname" asks for an answer.
    if (s.startsWith(QLatin1String("Return Hostname")))
        return {Kind::PresenceQuery, s.mid(PresenceQueryPrefix.size())};
    if (s.startsWith(PresenceAnswerPrefix))
        return {Kind::PresenceAnswer, s.mid(PresenceAnswerPrefix.size())};
    if (s.startsWith(QuitNoticePrefix))
        return {Kind::QuitNotice, s.mid(QuitNoticePrefix.size())};
    if (s.startsWith(HeaderPrefix))
        return {Kind::Header, s.mid(HeaderPrefix.size())};
    if (s.startsWith(ReplyHostPrefix))
        return {Kind::ReplyHost, s.mid(ReplyHostPrefix.size())};
    return {Kind::Body, s};
}

QString broadcastAddressFor(const QString& localIPv4, const QString& current) {
    int dots = 0;
    for (qsizetype i = 0; i < localIPv4.size(); ++i) {
        if (localIPv4.at(i) == QLatin1Char('.') && ++dots == 3)
            return localIPv4.left(i + 1) + QLatin1String("255");
    }
    return current;
}

QString headerText(const QString& hostName, const QString& timeOfDay) {
    return HeaderPrefix + hostName + HeaderMiddle + timeOfDay;
}

QString replyHostText(const QString& hostName) {
    return ReplyHostPrefix + hostName;
}

QString bodyText(const QString& hostName, const QString& typed) {
    return hostName + BodyMiddle + typed;
}

QString wireLineBreaks(const QString& typed) {
    return shownLineBreaks(typed).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString shownLineBreaks(const QString& received) {
    return QString(received).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace DatagramKinds
