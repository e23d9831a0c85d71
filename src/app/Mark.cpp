#include "app/Mark.h"

#include "app/frm_getmsg.h"
#include "core/Program.h"
#include "platform/ui/Design.h"
#include "platform/ui/Timer.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>

Mark::Mark(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("MyMark"));
    // A splash screen window has no border and no taskbar button.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    const QPixmap picture(QStringLiteral(":/pictures/splash.png"));
    setFixedSize(512, 482);
    Picture = new QLabel(this);
    Picture->setPixmap(picture);
    Picture->setGeometry(0, 0, 512, 482);
    platform::centreOnScreen(this);
    Timer1 = new platform::Timer(500, true, this);
    connect(Timer1, &QTimer::timeout, this, &Mark::Timer1_Timer);
}

void Mark::Form_Load() {
    SplashTicks = 0;
}

void Mark::Timer1_Timer() {
    ++SplashTicks;
    if (SplashTicks != 3)
        return;
    // The main window's loading, subnet notice included, runs inside this tick while the splash stays up. The
    // notice runs its own event loop: the splash must not tick again under it, and may be closed under it.
    Timer1->stop();
    const QPointer<Mark> self(this);
    program().get<frm_getmsg>().Show();
    if (self)
        Unload();
}
