#include "calendar/DailyBells.h"

#include "calendar/UserTime_frm.h"
#include "common/NumberText.h"
#include "core/Program.h"

#include <QLineEdit>

void DailyBells::User_Timer_Timer() {
    // Ticks keep coming while a bell's box is open; the tick that opened it goes on once it is dismissed.
    if (boxOpen_)
        return;
    platform::Environment& env = program_.env();
    // The first tick looks back one second for every row, also for rows it reaches after a bell's box.
    const QDateTime tickStart = env.clock.now();
    for (QDateTime& look : lastLook_) {
        if (!look.isValid())
            look = tickStart.addMSecs(-1000);
    }
    for (int i = 0; i < bells::BellCount; ++i) {
        const QDateTime now = env.clock.now();
        const QDateTime previousLook = lastLook_[i];
        lastLook_[i] = now;
        if (!bells::bellIsOn(program_.shared.user_time_rec[i]))
            continue;
        // The editor's boxes hold the bell's time and message; it is loaded, hidden, to hold them. It is
        // looked up afresh for every row: a box may have closed it meanwhile.
        UserTime_frm& editor = program_.get<UserTime_frm>();
        const int hour = common::readNumber(editor.txt_hour[i]->text());
        const int minute = common::readNumber(editor.txt_minute[i]->text());
        if (!bells::bellFallsDue(previousLook, now, hour, minute, i))
            continue;
        platform::MessageBoxRequest bell;
        bell.text = editor.txt_msg[i]->text();
        bell.systemModal = true;
        boxOpen_ = true;
        env.dialogs.messageBox(bell);
        boxOpen_ = false;
    }
}
