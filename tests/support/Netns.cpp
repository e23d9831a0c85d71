#include "support/Netns.h"

#include <QDir>
#include <QFile>
#include <QNetworkInterface>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <optional>
#include <unistd.h>

namespace testsupport {
namespace {

constexpr char insideMarker[] = "QUIBBLY_NETNS_PARENT";
constexpr int innerRunTimeoutMs = 100000;
constexpr int commandTimeoutMs = 20000;

QString currentNetns() {
    char target[128] = {};
    const ssize_t length = ::readlink("/proc/self/ns/net", target, sizeof target - 1);
    return length > 0 ? QString::fromLatin1(target, length) : QString();
}

// A namespace made by `unshare -n` has its loopback and nothing else: nothing sent there can leave the
// machine.
bool onlyLoopback() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    return std::all_of(interfaces.begin(), interfaces.end(), [](const QNetworkInterface& interface) {
        return interface.flags().testFlag(QNetworkInterface::IsLoopBack);
    });
}

struct CommandResult {
    bool ok = false;
    QString output;
};

CommandResult runCommand(const QString& program, const QStringList& arguments,
                         int timeoutMs = commandTimeoutMs,
                         const std::optional<QProcessEnvironment>& environment = std::nullopt) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (environment)
        process.setProcessEnvironment(*environment);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return {false, QStringLiteral("%1 could not be started: %2").arg(program, process.errorString())};
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {false, QStringLiteral("%1 did not finish within %2 ms:\n%3")
                           .arg(program)
                           .arg(timeoutMs)
                           .arg(QString::fromLocal8Bit(process.readAll()))};
    }
    const QString output = QString::fromLocal8Bit(process.readAll());
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, output};
}

// Whether `unshare -n` works here, asked once per process.
const CommandResult& privateNetnsProbe() {
    static const CommandResult probe = [] {
        auto result = runCommand(QStringLiteral("unshare"),
                                 {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"),
                                  QStringLiteral("ip link set lo up")});
        if (!result.ok)
            result.output = QStringLiteral("a private network namespace cannot be made here (unshare -n, "
                                           "ip link set lo up): ") +
                            result.output.trimmed();
        return result;
    }();
    return probe;
}

QString ipCommand() {
    return QStringLiteral("ip");
}

} // namespace

bool insidePrivateNetns() {
    const QString parent = qEnvironmentVariable(insideMarker);
    const QString current = currentNetns();
    return !parent.isEmpty() && !current.isEmpty() && parent != current && onlyLoopback();
}

PrivateNetnsRun runCurrentTestInPrivateNetns() {
    if (insidePrivateNetns())
        return {PrivateNetnsRun::Outcome::Inside, {}};
    if (qEnvironmentVariableIsSet(insideMarker)) {
        // Started to run inside, yet still in the namespace it came from: never open sockets here.
        return {PrivateNetnsRun::Outcome::Failed,
                QStringLiteral("this run was meant for a private network namespace but is not in one")};
    }
    const CommandResult& probe = privateNetnsProbe();
    if (!probe.ok)
        return {PrivateNetnsRun::Outcome::Skipped, probe.output};

    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("%1.%2").arg(QString::fromUtf8(test->test_suite_name()),
                                                       QString::fromUtf8(test->name()));
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(insideMarker), currentNetns());

    const CommandResult run =
        runCommand(QStringLiteral("unshare"),
                   {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"),
                    QStringLiteral("ip link set lo up && exec \"$0\" \"$@\""), self,
                    QStringLiteral("--gtest_filter=") + filter,
                    QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_color=no")},
                   innerRunTimeoutMs, environment);
    if (run.ok && run.output.contains(QLatin1String("[  SKIPPED ] 1 test")))
        return {PrivateNetnsRun::Outcome::Skipped, run.output};
    if (run.ok && run.output.contains(QLatin1String("[  PASSED  ] 1 test")))
        return {PrivateNetnsRun::Outcome::Passed, run.output};
    return {PrivateNetnsRun::Outcome::Failed, run.output};
}

namespace {

QString namespacePrefix() {
    return QStringLiteral("qbnet%1-").arg(::getpid());
}

// Namespaces left behind by runs that died before they could clean up.
void removeAbandonedNamespaces() {
    const CommandResult list = runCommand(ipCommand(), {QStringLiteral("netns"), QStringLiteral("list")});
    if (!list.ok)
        return;
    static const QRegularExpression ours(QStringLiteral("^qbnet(\\d+)-\\S+"));
    for (const QString& line : list.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto match = ours.match(line);
        if (!match.hasMatch())
            continue;
        if (QDir(QStringLiteral("/proc/") + match.captured(1)).exists())
            continue;
        runCommand(ipCommand(), {QStringLiteral("netns"), QStringLiteral("delete"), match.captured(0)});
    }
}

} // namespace

NetnsLan::NetnsLan(int hostCount) {
    ready_ = build(hostCount);
    if (!ready_)
        tearDown();
}

NetnsLan::~NetnsLan() {
    tearDown();
}

QString NetnsLan::hostAddress(int host) const {
    return QStringLiteral("10.77.0.%1").arg(host + 1);
}

bool NetnsLan::build(int hostCount) {
    static std::atomic<int> lanCount{0};
    removeAbandonedNamespaces();
    const QString prefix = namespacePrefix() + QString::number(lanCount++);

    auto ip = [this](const QStringList& arguments) {
        const CommandResult result = runCommand(ipCommand(), arguments);
        if (!result.ok)
            reason_ =
                QStringLiteral("ip %1: %2").arg(arguments.join(QLatin1Char(' ')), result.output.trimmed());
        return result.ok;
    };
    auto addNamespace = [&](const QString& name) {
        if (!ip({QStringLiteral("netns"), QStringLiteral("add"), name}))
            return false;
        created_ << name;
        return true;
    };

    hub_ = prefix + QStringLiteral("-hub");
    if (!addNamespace(hub_) ||
        !ip({QStringLiteral("-n"), hub_, QStringLiteral("link"), QStringLiteral("add"), QStringLiteral("br0"),
             QStringLiteral("type"), QStringLiteral("bridge")}) ||
        !ip({QStringLiteral("-n"), hub_, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("br0"),
             QStringLiteral("up")}))
        return false;

    for (int i = 0; i < hostCount; ++i) {
        const QString host = prefix + QStringLiteral("-h%1").arg(i);
        const QString port = QStringLiteral("v%1").arg(i);
        if (!addNamespace(host))
            return false;
        hosts_.push_back(host);
        const QString address = hostAddress(i) + QStringLiteral("/24");
        const QStringList steps[] = {
            {QStringLiteral("-n"), hub_, QStringLiteral("link"), QStringLiteral("add"), port,
             QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"),
             QStringLiteral("eth0"), QStringLiteral("netns"), host},
            {QStringLiteral("-n"), hub_, QStringLiteral("link"), QStringLiteral("set"), port,
             QStringLiteral("master"), QStringLiteral("br0"), QStringLiteral("up")},
            {QStringLiteral("-n"), host, QStringLiteral("addr"), QStringLiteral("add"), address,
             QStringLiteral("brd"), QStringLiteral("+"), QStringLiteral("dev"), QStringLiteral("eth0")},
            {QStringLiteral("-n"), host, QStringLiteral("link"), QStringLiteral("set"),
             QStringLiteral("eth0"), QStringLiteral("up")},
            {QStringLiteral("-n"), host, QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"),
             QStringLiteral("up")},
        };
        for (const QStringList& step : steps) {
            if (!ip(step))
                return false;
        }
    }
    return true;
}

void NetnsLan::tearDown() {
    // Deleting a namespace takes its end of every veth pair with it.
    for (auto it = created_.crbegin(); it != created_.crend(); ++it)
        runCommand(ipCommand(), {QStringLiteral("netns"), QStringLiteral("delete"), *it});
    created_.clear();
    hosts_.clear();
}

std::unique_ptr<QProcess> NetnsLan::start(int host, const QString& program,
                                          const QStringList& arguments) const {
    auto process = std::make_unique<QProcess>();
    process->start(ipCommand(),
                   QStringList{QStringLiteral("netns"), QStringLiteral("exec"), hosts_.at(host), program} +
                       arguments);
    return process;
}

} // namespace testsupport
