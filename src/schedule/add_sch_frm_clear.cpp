// The manager's "Delete More" frame: every schedule dated before a picked day, deleted in one statement.

#include "common/DateRecognition.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/Program.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Picker.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/SetBasedDelete.h"
#include "schedule/add_sch_frm.h"
#include "schedule/calendar_Module.h"
#include "schedule/schedule_frm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

void add_sch_frm::wireClrFrame() {
    connect(ClrYear, &QComboBox::activated, this, &add_sch_frm::ClrYear_Click);
    connect(ClrMonth, &QComboBox::activated, this, &add_sch_frm::ClrMonth_Click);
    platform::onKeyPress(ClrYear, [this](int& key) { ClrYear_KeyPress(key); });
    connect(Confirm, &QPushButton::clicked, this, &add_sch_frm::Confirm_Click);
}

void add_sch_frm::MoreClr_Click() {
    showMode(Mode::DeleteMore);
    InitClrLists();
}

void add_sch_frm::InitClrLists() {
    months.fill();
    ClrYear->clear();
    ClrMonth->clear();
    appendYearsAndMonths(ClrYear, ClrMonth);
    const QDate today = registry().env().clock.now().date();
    platform::showWithoutPick(ClrYear, common::leadingBlankNumber(today.year()));
    // The year comes first, so that the days listed are those of the year shown (a February of a year picked
    // earlier would offer a day the shown year lacks).
    SelYear = today.year();
    ClrMonth->setCurrentIndex(today.month() - 1);
    ClrMonth_Click();
    SelMonth = qint16(today.month());
}

void add_sch_frm::FillClrDate() {
    appendDays(ClrDate);
}

void add_sch_frm::ClrYear_Click() {
    SelYear = common::readNumber(ClrYear->currentText());
    ClrDate->clear();
    FillClrDate();
}

void add_sch_frm::ClrMonth_Click() {
    SelMonth = qint16(ClrMonth->currentIndex() + 1);
    ClrDate->clear();
    FillClrDate();
}

// A year is chosen from the list only.
void add_sch_frm::ClrYear_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void add_sch_frm::Confirm_Click() {
    platform::Environment& env = program().env();
    // No day picked is the 1st: that month's schedules stay.
    const int day = ClrDate->currentIndex() >= 0 ? ClrDate->currentIndex() + 1 : 1;
    const auto cutoff = common::recogniseDateTime(pickedDateText(day));
    if (!cutoff) {
        platform::warn(env.dialogs, QStringLiteral("The date is not correct! Please Check it!"),
                       schedule::OrganiserTitle);
        return;
    }
    ClrBeforeDate = cutoff->date();
    // The cutoff stays with this frame: an open one-day list keeps the day it was opened for.
    QPointer<add_sch_frm> self(this);
    const auto outcome = schedule::runSetBasedDelete({ClrConnection, ClrCommand, ClrSql}, QStringLiteral("<"),
                                                     common::shortDateText(ClrBeforeDate), env.programFolder,
                                                     env.dialogs, this);
    if (outcome != schedule::SetDeleteOutcome::Deleted)
        return;
    // The one-day list is loaded, hidden, if it is not; an open one shows the change at its next activation.
    program().get<schedule_frm>();
    calendar_Module::LoadTodayAlarms(program());
    if (self)
        Form_Activate();
}

void add_sch_frm::ExitClr_Click() {
    showMode(Mode::Manage);
}

void add_sch_frm::ExitClear_Click() {
    close();
}
