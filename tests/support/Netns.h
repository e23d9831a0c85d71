#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace testsupport {

// Where a test that opens real sockets stands. Outside a private network namespace it starts itself again
// inside one (`unshare -n`, loopback up) and reports what that run did.
struct PrivateNetnsRun {
    enum class Outcome { Inside, Passed, Failed, Skipped };
    Outcome outcome = Outcome::Failed;
    QString detail; // the inner run's output, or why namespaces cannot be made
};

// Outside: re-runs the current test in a private namespace and waits for it. Inside: Outcome::Inside.
PrivateNetnsRun runCurrentTestInPrivateNetns();

// True only in a process started by runCurrentTestInPrivateNetns, in a namespace other than the one it came
// from.
bool insidePrivateNetns();

// First statement of a test that opens real sockets: the rest of the test body runs only inside the
// namespace.
#define QUIBBLY_RUN_IN_PRIVATE_NETNS()                                                                       \
    do {                                                                                                     \
        const auto netnsRun_ = ::testsupport::runCurrentTestInPrivateNetns();                                \
        if (netnsRun_.outcome == ::testsupport::PrivateNetnsRun::Outcome::Inside)                            \
            break;                                                                                           \
        if (netnsRun_.outcome == ::testsupport::PrivateNetnsRun::Outcome::Skipped)                           \
            GTEST_SKIP() << netnsRun_.detail.toStdString();                                                  \
        if (netnsRun_.outcome == ::testsupport::PrivateNetnsRun::Outcome::Failed)                            \
            ADD_FAILURE() << "in the private network namespace:\n" << netnsRun_.detail.toStdString();        \
        return;                                                                                              \
    } while (false)

// Several hosts on one subnet, each in a network namespace of its own, joined by veth pairs to a bridge that
// lives in one more namespace; nothing touches the machine's own network. Host i has address 10.77.0.(i +
// 1)/24. Namespace names carry the process id, so parallel runs do not meet. Everything is removed on
// destruction.
class NetnsLan {
public:
    explicit NetnsLan(int hostCount);
    ~NetnsLan();
    NetnsLan(const NetnsLan&) = delete;
    NetnsLan& operator=(const NetnsLan&) = delete;

    // False when namespaces cannot be made here; reason() says why.
    bool ready() const { return ready_; }
    QString reason() const { return reason_; }

    int hostCount() const { return static_cast<int>(hosts_.size()); }
    QString hostAddress(int host) const;
    QString namespaceName(int host) const { return hosts_.at(host); }
    static QString broadcastAddress() { return QStringLiteral("10.77.0.255"); }

    // Starts a program inside host's namespace; the caller waits for it.
    std::unique_ptr<QProcess> start(int host, const QString& program, const QStringList& arguments) const;

private:
    bool build(int hostCount);
    void tearDown();

    std::vector<QString> hosts_;
    QString hub_;
    QStringList created_;
    bool ready_ = false;
    QString reason_;
};

#define QUIBBLY_SKIP_UNLESS_READY(lan)                                                                       \
    do {                                                                                                     \
        if (!(lan).ready())                                                                                  \
            GTEST_SKIP() << "network namespaces cannot be made here: " << (lan).reason().toStdString();      \
    } while (false)

#ifdef QUIBBLY_TOOLS_DIR
// The stand-alone programs built from tests/tools.
inline QString toolPath(const QString& name) {
    return QStringLiteral(QUIBBLY_TOOLS_DIR "/") + name;
}
#endif

} // namespace testsupport
