#include "schedule/DeleteMoreFrame.h"

#include "common/DateRecognition.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "platform/ui/Picker.h"
#include "schedule/ManagerDesign.h"
#include "schedule/SetBasedDelete.h"
#include "schedule/add_sch_frm.h"
#include "schedule/calendar_Module.h"
#include "schedule/schedule_frm.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

using platform::makeControl;
using namespace schedule::manager_design;

DeleteMoreFrame::DeleteMoreFrame(add_sch_frm& form)
    : QGroupBox(QStringLiteral("Delete More"), &form), form_(form) {
    platform::placeTwips(this, 5160, 3240, 5175, 2175);
    styleFrame(this);
    setVisible(false);
    // Alone on its line, the caption takes the room its text needs at 12 point.
    QLabel* deleteCaption = label(this, 120, 480, 615, 255, QStringLiteral("Delete"), Yellow);
    deleteCaption->resize(std::max(deleteCaption->width(), deleteCaption->sizeHint().width()),
                          deleteCaption->height());
    ClrYear = picker(this, 120, 840, 1095, 300, platform::PickerText::Shown);
    ClrMonth = picker(this, 1200, 840, 975, 300, platform::PickerText::List);
    ClrDate = picker(this, 2160, 840, 975, 300, platform::PickerText::List);
    label(this, 3240, 860, 1815, 255, QStringLiteral("Schedule before"), White);
    Confirm = makeControl<QPushButton>(this, 120, 1320, 1455, 375, QStringLiteral("Delete"));
    ExitClr = makeControl<QPushButton>(this, 1800, 1320, 1455, 375, QStringLiteral("Exit Delete More"));
    ExitClear = makeControl<QPushButton>(this, 3480, 1320, 1455, 375, QStringLiteral("Exit"));
    keepWindowFont(this, form.font());

    connect(ExitClr, &QPushButton::clicked, this, &DeleteMoreFrame::ExitClr_Click);
    connect(ExitClear, &QPushButton::clicked, this, &DeleteMoreFrame::ExitClear_Click);
    connect(ClrYear, &QComboBox::activated, this, &DeleteMoreFrame::ClrYear_Click);
    connect(ClrMonth, &QComboBox::activated, this, &DeleteMoreFrame::ClrMonth_Click);
    platform::onKeyPress(ClrYear, [this](int& key) { ClrYear_KeyPress(key); });
    connect(Confirm, &QPushButton::clicked, this, &DeleteMoreFrame::Confirm_Click);
}

void DeleteMoreFrame::start() {
    form_.showMode(add_sch_frm::Mode::DeleteMore);
    InitClrLists();
}

void DeleteMoreFrame::InitClrLists() {
    form_.months.fill();
    ClrYear->clear();
    ClrMonth->clear();
    form_.appendYearsAndMonths(ClrYear, ClrMonth);
    const QDate today = form_.program().env().clock.now().date();
    platform::showWithoutPick(ClrYear, common::leadingBlankNumber(today.year()));
    // The year comes first, so that the days listed are those of the year shown (a February of a year picked
    // earlier would offer a day the shown year lacks).
    form_.SelYear = today.year();
    ClrMonth->setCurrentIndex(today.month() - 1);
    ClrMonth_Click();
    form_.SelMonth = qint16(today.month());
}

void DeleteMoreFrame::FillClrDate() {
    form_.appendDays(ClrDate);
}

void DeleteMoreFrame::ClrYear_Click() {
    form_.SelYear = common::readNumber(ClrYear->currentText());
    ClrDate->clear();
    FillClrDate();
}

void DeleteMoreFrame::ClrMonth_Click() {
    form_.SelMonth = qint16(ClrMonth->currentIndex() + 1);
    ClrDate->clear();
    FillClrDate();
}

// A year is chosen from the list only.
void DeleteMoreFrame::ClrYear_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void DeleteMoreFrame::Confirm_Click() {
    Program& program = form_.program();
    platform::Environment& env = program.env();
    // No day picked is the 1st: that month's schedules stay.
    const int day = ClrDate->currentIndex() >= 0 ? ClrDate->currentIndex() + 1 : 1;
    const auto cutoff = common::recogniseDateTime(form_.pickedDateText(day));
    if (!cutoff) {
        platform::warn(env.dialogs, QStringLiteral("The date is not correct! Please Check it!"),
                       OrganiserTitle);
        return;
    }
    ClrBeforeDate = cutoff->date();
    // The cutoff stays with this frame: an open one-day list keeps the day it was opened for.
    QPointer<DeleteMoreFrame> self(this);
    const auto outcome = schedule::runSetBasedDelete({ClrConnection, ClrCommand, ClrSql}, QStringLiteral("<"),
                                                     common::shortDateText(ClrBeforeDate), env.programFolder,
                                                     env.dialogs, &form_);
    if (outcome != schedule::SetDeleteOutcome::Deleted)
        return;
    // The one-day list is loaded, hidden, if it is not; an open one shows the change at its next activation.
    program.get<schedule_frm>();
    calendar_Module::LoadTodayAlarms(program);
    if (self)
        form_.Form_Activate();
}

void DeleteMoreFrame::ExitClr_Click() {
    form_.showMode(add_sch_frm::Mode::Manage);
}

void DeleteMoreFrame::ExitClear_Click() {
    form_.close();
}
