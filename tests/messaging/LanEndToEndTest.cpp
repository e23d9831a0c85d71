// Copies of the program on one subnet made of network namespaces, over real UDP.

#include "platform/net/Cp950.h"
#include "support/Netns.h"
#include "support/QStringPrinter.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

constexpr int AnswerWaitMs = 10000;

// A running copy, driven through its standard input.
class Peer {
public:
    Peer(const NetnsLan& lan, int host, const QString& name) {
        process_ = lan.start(host, toolPath(QStringLiteral("app_peer")), {name, folder_.path()});
        const QString first = readLine();
        EXPECT_TRUE(first.startsWith(QStringLiteral("READY")))
            << first.toStdString() << process_->readAllStandardError().toStdString();
        // A copy that did not start is ended, so every later wait on it ends at once.
        if (!first.startsWith(QStringLiteral("READY")))
            process_->kill();
    }
    ~Peer() {
        if (process_ && process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }

    QString ask(const QString& command, const QString& answerPrefix) {
        process_->write((command + QLatin1Char('\n')).toUtf8());
        process_->waitForBytesWritten(1000);
        for (;;) {
            const QString line = readLine();
            if (line.isNull() || line.startsWith(answerPrefix))
                return line;
        }
    }
    // Asks until the answer satisfies done or the wait runs out; returns the last answer.
    QString askUntil(const QString& command, const std::function<bool(const QString&)>& done) {
        QDeadlineTimer deadline(AnswerWaitMs);
        QString answer;
        do {
            answer = ask(command, command.left(4).toUpper());
            if (done(answer) || process_->state() == QProcess::NotRunning)
                break;
            process_->waitForReadyRead(100);
        } while (!deadline.hasExpired());
        return answer;
    }
    QString askUntil(const QString& command, const QString& expected) {
        return askUntil(command, [&](const QString& answer) { return answer == expected; });
    }
    bool waitForEnd() {
        process_->waitForFinished(AnswerWaitMs);
        return process_->state() == QProcess::NotRunning && process_->exitCode() == 0;
    }
    QString folder() const { return folder_.path(); }

private:
    QString readLine() {
        QDeadlineTimer deadline(AnswerWaitMs);
        while (!process_->canReadLine()) {
            if (deadline.hasExpired() ||
                !process_->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
                return QString();
        }
        return QString::fromUtf8(process_->readLine()).trimmed();
    }

    QTemporaryDir folder_;
    std::unique_ptr<QProcess> process_;
};

QString sortedHosts(QString answer) {
    QStringList names = answer.remove(QStringLiteral("HOSTS ")).split(QLatin1Char('|'));
    names.sort();
    return names.join(QLatin1Char('|'));
}

} // namespace

TEST(LanEndToEnd, CopiesLearnEachOtherAndAQuitNoticeRemovesOne) {
    NetnsLan lan(2);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    Peer alpha(lan, 0, QStringLiteral("alpha"));
    EXPECT_EQ(alpha.askUntil(QStringLiteral("hosts"), QStringLiteral("HOSTS alpha")),
              QStringLiteral("HOSTS alpha"));
    Peer beta(lan, 1, QStringLiteral("beta"));
    // Each copy has every name once, its own included.
    for (Peer* peer : {&alpha, &beta}) {
        const QString answer = peer->askUntil(QStringLiteral("hosts"), [](const QString& a) {
            return sortedHosts(a) == QStringLiteral("alpha|beta");
        });
        EXPECT_EQ(sortedHosts(answer), QStringLiteral("alpha|beta"));
    }
    beta.ask(QStringLiteral("exit"), QStringLiteral("-"));
    EXPECT_TRUE(beta.waitForEnd());
    EXPECT_EQ(alpha.askUntil(QStringLiteral("hosts"), QStringLiteral("HOSTS alpha")),
              QStringLiteral("HOSTS alpha"));
    QFile settings(beta.folder() + QStringLiteral("/schedule.txt"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), QByteArray("True\r\n\r\n"));
}

TEST(LanEndToEnd, MessagesToOneHostByNameAndToGroupArriveAndAreShown) {
    NetnsLan lan(2);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    Peer alpha(lan, 0, QStringLiteral("甲機"));
    Peer beta(lan, 1, QStringLiteral("beta"));
    alpha.askUntil(QStringLiteral("hosts"),
                   [](const QString& a) { return sortedHosts(a) == QStringLiteral("beta|甲機"); });
    const auto shownWith = [](const QString& counter) {
        return [counter](const QString& a) { return a.endsWith(QLatin1Char('|') + counter); };
    };

    // By name: there is no name service in the namespaces; the name was learned by presence.
    EXPECT_EQ(alpha.ask(QStringLiteral("send beta 你好，明天見"), QStringLiteral("SENT")),
              QStringLiteral("SENT"));
    QString got = beta.askUntil(QStringLiteral("shown"), shownWith(QStringLiteral("1 / 1")));
    EXPECT_TRUE(got.startsWith(QStringLiteral("SHOWN 甲機傳送訊息給您，時間是"))) << got.toStdString();
    EXPECT_TRUE(got.endsWith(QStringLiteral("|甲機說：你好，明天見|1 / 1"))) << got.toStdString();

    // To the whole subnet: the receiver and the sender itself both store it.
    EXPECT_EQ(beta.ask(QStringLiteral("send * 全體注意"), QStringLiteral("SENT")), QStringLiteral("SENT"));
    for (auto [peer, counter] :
         {std::pair{&alpha, QStringLiteral("1 / 1")}, std::pair{&beta, QStringLiteral("2 / 2")}}) {
        got = peer->askUntil(QStringLiteral("shown"), shownWith(counter));
        EXPECT_TRUE(got.startsWith(QStringLiteral("SHOWN beta傳送訊息給您，時間是"))) << got.toStdString();
        EXPECT_TRUE(got.endsWith(QStringLiteral("|beta說：全體注意|") + counter)) << got.toStdString();
    }
}

TEST(LanEndToEnd, ALostDatagramNeverGivesAMessageAnotherSendersHeaderOrReplyHost) {
    NetnsLan lan(3);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    Peer alpha(lan, 0, QStringLiteral("alpha"));
    Peer beta(lan, 1, QStringLiteral("beta"));
    Peer gamma(lan, 2, QStringLiteral("gamma"));
    for (Peer* peer : {&beta, &gamma}) {
        peer->askUntil(QStringLiteral("hosts"),
                       [](const QString& a) { return sortedHosts(a) == QStringLiteral("alpha|beta|gamma"); });
    }
    // A message from alpha whose body is lost on the way: its header and reply host arrive alone.
    auto lost = lan.start(0, toolPath(QStringLiteral("net_send")),
                          {QStringLiteral("6666"), lan.hostAddress(1), QStringLiteral("7777"),
                           QStringLiteral("TIME:alpha傳送訊息給您，時間是上午 09:00:00"),
                           QStringLiteral("REP-USER:alpha")});
    ASSERT_TRUE(lost->waitForFinished(AnswerWaitMs));
    ASSERT_EQ(lost->exitCode(), 0) << lost->readAll().toStdString();

    ASSERT_EQ(gamma.ask(QStringLiteral("send beta 你好"), QStringLiteral("SENT")), QStringLiteral("SENT"));
    QString got =
        beta.askUntil(QStringLiteral("shown"), [](const QString& a) { return a.endsWith("|1 / 1"); });
    EXPECT_TRUE(got.startsWith(QStringLiteral("SHOWN gamma傳送訊息給您，時間是"))) << got.toStdString();
    EXPECT_TRUE(got.endsWith(QStringLiteral("|gamma說：你好|1 / 1"))) << got.toStdString();
    got = beta.ask(QStringLiteral("messages"), QStringLiteral("MESSAGE "));
    EXPECT_TRUE(got.endsWith(QStringLiteral("|gamma說：你好|gamma"))) << got.toStdString();

    // The reply goes to gamma, who sent the message, not to alpha, whose reply host came first.
    ASSERT_EQ(beta.ask(QStringLiteral("reply 收到"), QStringLiteral("SENT")), QStringLiteral("SENT"));
    got = gamma.askUntil(QStringLiteral("shown"), [](const QString& a) { return a.endsWith("|1 / 1"); });
    EXPECT_TRUE(got.startsWith(QStringLiteral("SHOWN beta傳送訊息給您，時間是"))) << got.toStdString();
    EXPECT_TRUE(got.endsWith(QStringLiteral("|beta說：收到|1 / 1"))) << got.toStdString();
}

TEST(LanEndToEnd, DatagramsOnTheWireAreCodePageBytesFrom6666To7777) {
    NetnsLan lan(2);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    auto tap = lan.start(1, toolPath(QStringLiteral("app_wiretap")), {"7777", "5", "10000"});
    ASSERT_TRUE(tap->waitForReadyRead(5000));
    ASSERT_EQ(tap->readLine().trimmed(), QByteArray("READY"));
    Peer alpha(lan, 0, QStringLiteral("甲機"));
    // Its answer to itself is on the wire once it knows itself; only then does the message go.
    ASSERT_EQ(alpha.askUntil(QStringLiteral("hosts"), QStringLiteral("HOSTS 甲機")),
              QStringLiteral("HOSTS 甲機"));
    ASSERT_EQ(alpha.ask(QStringLiteral("send * 說明"), QStringLiteral("SENT")), QStringLiteral("SENT"));
    ASSERT_TRUE(tap->waitForFinished(10000));
    const QList<QByteArray> lines = tap->readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5);
    // The query, this copy's answer to itself, then the three datagrams of the message.
    const QStringList texts = {QStringLiteral("Return Hostname-甲機"), QStringLiteral("Neighbor-甲機"),
                               QStringLiteral("TIME:甲機傳送訊息給您，時間是"),
                               QStringLiteral("REP-USER:甲機"), QStringLiteral("甲機說：說明")};
    for (int i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split(' ');
        ASSERT_EQ(parts.size(), 2);
        EXPECT_EQ(parts[0], lan.hostAddress(0).toLatin1() + ":6666");
        const QByteArray bytes = QByteArray::fromHex(parts[1]);
        const QByteArray expected = platform::encodeCp950(texts[i]);
        if (i == 2)
            EXPECT_TRUE(bytes.startsWith(expected)) << lines[i].toStdString();
        else
            EXPECT_EQ(bytes, expected) << lines[i].toStdString();
    }
}

TEST(LanEndToEnd, AWholeSubnetAnsweringAtOnceEndsInTheKnownHostList) {
    NetnsLan lan(2);
    QUIBBLY_SKIP_UNLESS_READY(lan);
    Peer alpha(lan, 0, QStringLiteral("alpha"));
    ASSERT_EQ(alpha.askUntil(QStringLiteral("hosts"), QStringLiteral("HOSTS alpha")),
              QStringLiteral("HOSTS alpha"));
    // The other 253 hosts of the subnet, one address each, all answering at once.
    auto addresses =
        lan.start(1, QStringLiteral("sh"),
                  {QStringLiteral("-c"), QStringLiteral("for i in $(seq 3 254); do ip addr add "
                                                        "10.77.0.$i/24 dev eth0 || exit 1; done")});
    ASSERT_TRUE(addresses->waitForFinished(20000));
    ASSERT_EQ(addresses->exitCode(), 0) << addresses->readAll().toStdString();
    QStringList answers;
    QStringList expected{QStringLiteral("alpha")};
    for (int i = 2; i <= 254; ++i) {
        // Names as long as real ones padded out, so the burst weighs what a subnet's answers weigh.
        const QString name =
            QStringLiteral("host-%1-").arg(i, 3, 10, QLatin1Char('0')) + QString(40, QLatin1Char('x'));
        answers << QStringLiteral("10.77.0.%1").arg(i) << QStringLiteral("Neighbor-") + name;
        expected << name;
    }
    auto burst = lan.start(1, toolPath(QStringLiteral("net_send_from")),
                           QStringList{lan.hostAddress(0), "7777"} + answers);
    ASSERT_TRUE(burst->waitForFinished(10000));
    ASSERT_EQ(burst->exitCode(), 0) << burst->readAll().toStdString();
    const QString want = QStringLiteral("HOSTS ") + expected.join(QLatin1Char('|'));
    const QString got = alpha.askUntil(QStringLiteral("hosts"), want);
    EXPECT_EQ(got.count(QLatin1Char('|')), 253);
    EXPECT_EQ(got, want);
}
