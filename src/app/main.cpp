#include "app/MainWindowLink.h"
#include "app/Mark.h"
#include "calendar/Organiser.h"
#include "core/Titles.h"
#include "platform/SystemSeams.h"
#include "platform/net/SystemHostInfo.h"
#include "platform/net/UdpDatagramNetwork.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The pictures live in a static library, which the linker keeps only when asked.
    Q_INIT_RESOURCE(resources);
    QApplication::setApplicationName(ProgramTitle);
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Only a confirmed exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::SystemClock clock;
    platform::QtDialogs dialogs(ProgramTitle);
    platform::SystemHostInfo host;
    platform::ImmediateProcessEnd processEnd;
    platform::UdpDatagramNetwork network;
    platform::Environment env{clock, dialogs, host, processEnd, network, platform::executableFolder()};
    ProgramWithOrganiser running(env, MainWindowLink::make);

    running.program.get<Mark>().Show();
    return app.exec();
}
