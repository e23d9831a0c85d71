#include "app/Mark.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"
#include "platform/SystemSeams.h"
#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>

namespace {

// The organiser windows are not part of this build yet: its start-up calls and menu do nothing.
class UnbuiltOrganiser : public OrganiserSide {
public:
    void LoadTodayAlarms() override {}
    void showOneDayList(const QString&) override {}
    void openCalendar() override {}
    void sch_alarm_timer_Timer() override {}
    void User_Timer_Timer() override {}
    void Timer1_Timer() override {}
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The pictures live in a static library, which the linker keeps only when asked.
    Q_INIT_RESOURCE(resources);
    QApplication::setApplicationName(QStringLiteral("Quibbly"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Only a confirmed exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::SystemClock clock;
    platform::QtDialogs dialogs(QStringLiteral("Quibbly"));
    platform::SystemHostInfo host;
    platform::ImmediateProcessEnd processEnd;
    platform::UdpDatagramNetwork network;
    platform::Environment env{clock, dialogs, host, processEnd, network, platform::executableFolder()};
    UnbuiltOrganiser organiser;
    Program program(env, organiser);

    program.get<Mark>().Show();
    return app.exec();
}
