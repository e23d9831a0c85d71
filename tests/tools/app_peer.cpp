// One copy of the program for tests across network namespaces: the real windows on real UDP, with the host
// name given on the command line (namespaces share the machine's name) and the boxes answered by the rules
// below. Commands on standard input, one per line; answers on standard output:
//   hosts                  -> "HOSTS <known hosts joined by |>"
//   shown                  -> "SHOWN <caption>|<body>|<counter>"
//   messages               -> "MESSAGES <count>", then "MESSAGE <header>|<body>|<reply host>" for each stored
//   send <host> <text>     -> sends through the compose window ("*" means Group); "SENT" or "BOX <text>"
//   reply <text>           -> replies to the shown message through the compose window; "SENT" or "BOX <text>"
//   exit                   -> answers Yes to the exit question; the process ends
// Usage: app_peer <host name> <program folder>

#include "app/MainWindowLink.h"
#include "app/Mark.h"
#include "app/frm_getmsg.h"
#include "core/CalendarSide.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"
#include "messaging/frm_sendmsg.h"
#include "platform/SystemSeams.h"
#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/ui/Timer.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

class AnsweringDialogs : public platform::Dialogs {
public:
    platform::BoxAnswer messageBox(const platform::MessageBoxRequest& r) override {
        if (r.buttons == platform::BoxButtons::YesNo)
            return platform::BoxAnswer::Yes;
        if (!r.text.startsWith(QLatin1String("Please make sure")))
            say(QStringLiteral("BOX ") + r.text);
        return platform::BoxAnswer::OK;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class NamedHost : public platform::HostInfo {
public:
    explicit NamedHost(QString name) : name_(std::move(name)) {}
    QString hostName() const override { return name_; }
    QString localIPv4() const override { return system_.localIPv4(); }

private:
    QString name_;
    platform::SystemHostInfo system_;
};

class NoOrganiser : public OrganiserSide, public CalendarSide {
public:
    void LoadTodayAlarms() override {}
    void showOneDayList(const QString&) override {}
    void openCalendar() override {}
    void sch_alarm_timer_Timer() override {}
    void User_Timer_Timer() override {}
    void Timer1_Timer() override {}
    void closeCalendar() override {}
};

// Says SENT once the compose window has sent and gone, at once or after the resolver has answered.
void send(frm_sendmsg& compose, const QString& text) {
    compose.sendtxt->setPlainText(text);
    compose.send_cmd_Click();
    if (compose.isUnloaded())
        say(QStringLiteral("SENT"));
    else if (!compose.send_cmd->isEnabled())
        QObject::connect(&compose, &QObject::destroyed, [] { say(QStringLiteral("SENT")); });
}

void command(Program& program, const QString& line) {
    frm_getmsg& main = program.get<frm_getmsg>();
    if (line == QLatin1String("hosts")) {
        say(QStringLiteral("HOSTS ") + program.shared.TempList.join(QLatin1Char('|')));
    } else if (line == QLatin1String("shown")) {
        say(QStringLiteral("SHOWN %1|%2|%3")
                .arg(main.Frame2->title(), main.txt_get->toPlainText(), main.MsgState->text()));
    } else if (line == QLatin1String("messages")) {
        const MessageStore& store = main.messages;
        say(QStringLiteral("MESSAGES %1").arg(store.TempMsg().size()));
        for (qsizetype i = 0; i < store.TempMsg().size(); ++i)
            say(QStringLiteral("MESSAGE %1|%2|%3")
                    .arg(store.TimeList().at(i), store.TempMsg().at(i), store.ReUserList().at(i)));
    } else if (line.startsWith(QLatin1String("send "))) {
        const QString rest = line.mid(5);
        const QString host = rest.section(QLatin1Char(' '), 0, 0);
        const QString text = rest.section(QLatin1Char(' '), 1);
        main.new_msg_Click();
        frm_sendmsg& compose = program.get<frm_sendmsg>();
        if (host == QLatin1String("*"))
            compose.Group_opt_GotFocus();
        else
            compose.send_ip->setEditText(host);
        send(compose, text);
    } else if (line.startsWith(QLatin1String("reply "))) {
        main.reply_cmd_Click();
        send(program.get<frm_sendmsg>(), line.mid(6));
    } else if (line == QLatin1String("exit")) {
        main.cmd_exit_Click();
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 3) {
        std::fprintf(stderr, "usage: app_peer <host name> <program folder>\n");
        return 64;
    }
    platform::SystemClock clock;
    AnsweringDialogs dialogs;
    NamedHost host(QString::fromUtf8(argv[1]));
    platform::ImmediateProcessEnd processEnd;
    platform::UdpDatagramNetwork network;
    platform::Environment env{clock, dialogs, host, processEnd, network, QString::fromUtf8(argv[2])};
    NoOrganiser organiser;
    Program program(env, organiser, organiser, MainWindowLink::make);
    program.get<frm_getmsg>().Show();
    say(QStringLiteral("READY ") + host.localIPv4());

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(chunk, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            command(program, line);
        }
    });
    return app.exec();
}
