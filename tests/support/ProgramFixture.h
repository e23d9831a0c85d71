#pragma once

#include "app/frm_getmsg.h"
#include "core/CalendarSide.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"
#include "support/FakeDatagramNetwork.h"
#include "support/FakeEnvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace testsupport {

// Records what the main window asks of the organiser half, in order.
class RecordingOrganiser : public OrganiserSide, public CalendarSide {
public:
    void LoadTodayAlarms() override { calls << QStringLiteral("LoadTodayAlarms"); }
    void showOneDayList(const QString& caption) override {
        calls << QStringLiteral("showOneDayList:") + caption;
    }
    void openCalendar() override { calls << QStringLiteral("openCalendar"); }
    // Timer ticks are counted apart, so they never disturb the order of the calls above.
    void sch_alarm_timer_Timer() override { ++alarmTicks; }
    void User_Timer_Timer() override { ++bellTicks; }
    void Timer1_Timer() override { ++chimeTicks; }
    void closeCalendar() override { calls << QStringLiteral("closeCalendar"); }
    QStringList calls;
    int alarmTicks = 0, bellTicks = 0, chimeTicks = 0;
};

inline const QString SubnetNotice = QStringLiteral("Please make sure your subnet mask is: 255.255.255.0");
inline const QString ExitQuestion =
    QStringLiteral("You can't receive message anymore, Calendar will close, relly exit?");

// A whole program on fake seams: scripted boxes, a fake clock and host, an in-memory network and a fresh
// program folder.
class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture();
    ~ProgramFixture() override;

    // Ends the program and starts a new one on the same seams and folder.
    void restartProgram();
    // Writes schedule.txt with exactly these bytes.
    void writeSettings(const QByteArray& bytes);
    QByteArray readSettings() const;
    // Loads the main window as the splash does, answering the subnet notice.
    ::frm_getmsg& startMainWindow();
    // Lets a datagram arrive at the receiving port from a peer, everything queued be handed over and the
    // window show the result.
    void arrive(const QString& text, const QString& from = QStringLiteral("192.168.7.30"));
    QStringList sentTexts() const { return network.sentTexts(); }

    void endProgram();

    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeHost host;
    RecordingProcessEnd processEnd;
    FakeDatagramNetwork network;
    QTemporaryDir folder;
    RecordingOrganiser organiser;
    std::unique_ptr<platform::Environment> env;
    std::unique_ptr<Program> program;
};

} // namespace testsupport
