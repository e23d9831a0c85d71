#include "app/MainWindowLink.h"

#include "app/frm_getmsg.h"
#include "core/Program.h"

void MainWindowLink::setChimeTimerEnabled(bool enabled) {
    if (frm_getmsg* window = program_.find<frm_getmsg>())
        window->setChimeTimerEnabled(enabled);
}

void MainWindowLink::setHourBellLine(const QString& text) {
    if (frm_getmsg* window = program_.find<frm_getmsg>())
        window->setHourBellLine(text);
}
