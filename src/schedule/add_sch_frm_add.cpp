// The manager's "New Schedule" frame: one new schedule after another, each a pending new row stored by
// "Join Schedule".

#include "common/DateRecognition.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/FormRegistry.h"
#include "platform/ui/Picker.h"
#include "schedule/DatabaseErrorBox.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/add_sch_frm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace {

const QString TimeNotCorrect = QStringLiteral("The time is not correct!");

// The time "Join Schedule" stores from the hour and minute boxes as shown: a blank side reads "0" (9: is 9:0,
// :30 is 0:30). Both blank is no time when nothing was typed for this entry, and refused when both were
// emptied. What does not read as a time of day (an hour over 23, a minute over 59) is refused.
struct TimeEntry {
    bool refused = false;
    platform::Value value;
};

TimeEntry enteredTime(const QString& hour, const QString& minute, bool typed) {
    if (hour.isEmpty() && minute.isEmpty())
        return {typed, {}};
    const QString text = (hour.isEmpty() ? QStringLiteral("0") : hour) + QLatin1Char(':') +
                         (minute.isEmpty() ? QStringLiteral("0") : minute);
    const auto time = common::recogniseDateTime(text);
    if (!time || !time->isTimeOnly())
        return {true, {}};
    return {false, text};
}

} // namespace

void add_sch_frm::wireAddFrame() {
    connect(cmd_add, &QPushButton::clicked, this, &add_sch_frm::cmd_add_Click);
    connect(new_sch, &QPushButton::clicked, this, &add_sch_frm::new_sch_Click);
    connect(remind, &QCheckBox::toggled, this, &add_sch_frm::remind_Click);
    connect(sch_year, &QComboBox::activated, this, &add_sch_frm::sch_year_Click);
    connect(sch_month, &QComboBox::activated, this, &add_sch_frm::sch_month_Click);
    connect(sch_date, &QComboBox::activated, this, &add_sch_frm::sch_date_Click);
    connect(sch_hour, &QLineEdit::textChanged, this, &add_sch_frm::sch_hour_Change);
    connect(txt_min, &QLineEdit::textChanged, this, &add_sch_frm::txt_min_Change);
    connect(scroll_hour, &QScrollBar::valueChanged, this, &add_sch_frm::scroll_hour_Change);
    connect(scroll_min, &QScrollBar::valueChanged, this, &add_sch_frm::scroll_min_Change);
    platform::onKeyPress(sch_hour, [this](int& key) { sch_hour_KeyPress(key); });
    platform::onKeyPress(txt_min, [this](int& key) { txt_min_KeyPress(key); });
    // A combo box takes the keys for its text part, which is its focus proxy's.
    platform::onKeyPress(sch_year, [this](int& key) { sch_year_KeyPress(key); });
    platform::onKeyPress(sch_month, [this](int& key) { sch_month_KeyPress(key); });
    platform::onKeyPress(sch_date, [this](int& key) { sch_date_KeyPress(key); });
}

void add_sch_frm::FillSchDate() {
    appendDays(sch_date);
}

void add_sch_frm::appendDays(QComboBox* days) {
    const bool empty = days->count() == 0;
    common::ComputeMonthStart(months.DaysInMonth, SelYear, SelMonth);
    for (int day = 1; day <= months.DaysInMonth[SelMonth - 1]; ++day)
        days->addItem(common::leadingBlankNumber(day));
    // Filling an empty list picks no day.
    if (empty)
        days->setCurrentIndex(-1);
}

void add_sch_frm::appendYearsAndMonths(QComboBox* years, QComboBox* monthItems) {
    for (int year = 2003; year <= 2100; ++year)
        years->addItem(common::leadingBlankNumber(year));
    for (const QString& month : months.MonthAbbr)
        monthItems->addItem(month);
}

QString add_sch_frm::pickedDateText(int day) const {
    return QStringLiteral("%1/%2/%3").arg(SelYear).arg(SelMonth).arg(day);
}

add_sch_frm::Entry add_sch_frm::typedEntry() const {
    return {txt_date->text(), txt_time->text(), txt_sch->text(), remind_msg->text(), txt_memo->text()};
}

void add_sch_frm::startEntryRow(const Entry& entry) {
    auto* recordset = Sch_Data->Recordset();
    // An entry given up goes unstored.
    if (recordset->editMode() == platform::db::Recordset::EditMode::Adding)
        recordset->CancelUpdate();
    recordset->AddNew();
    txt_date->setText(entry.date);
    txt_time->setText(entry.time);
    txt_sch->setText(entry.work);
    remind_msg->setText(entry.message);
    txt_memo->setText(entry.memo);
}

void add_sch_frm::cmd_add_Click() {
    platform::Environment& env = registry().env();
    QPointer<add_sch_frm> self(this);
    // Rows that could not be read at the activation are tried once more.
    if (!Sch_Data->Recordset())
        Form_Activate();
    if (!self || !Sch_Data->Recordset())
        return;
    // The new row starts empty, but the Remind box keeps its tick: what it shows is what is stored.
    if (!schedule::runReportingFailure(env.dialogs, [&] { startEntryRow({}); }) || !self)
        return;
    showMode(Mode::Add);
    const QDate today = env.clock.now().date();
    sch_date->clear();
    FillSchDate();
    // The pickers show the year and month the dates are built from, which either frame may have picked.
    platform::showWithoutPick(sch_year, common::leadingBlankNumber(SelYear));
    platform::showWithoutPick(sch_month, months.MonthAbbr[SelMonth - 1]);
    platform::showWithoutPick(sch_date, common::leadingBlankNumber(today.day()));
    txt_sch->clear();
    sch_hour->clear();
    txt_min->clear();
    txt_time->clear();
    remind_msg->clear();
    txt_memo->clear();
    // Each entry starts on today, whatever year and month the pickers keep for the entries after it.
    txt_date->setText(common::shortDateText(today));
}

void add_sch_frm::sch_year_Click() {
    SelYear = common::readNumber(sch_year->currentText());
    sch_date->clear();
    FillSchDate();
    // The date follows the year as it follows the month: the day is picked again.
    txt_date->setText(pickedDateText(sch_date->currentIndex() + 1));
}

void add_sch_frm::sch_month_Click() {
    SelMonth = qint16(sch_month->currentIndex() + 1);
    sch_date->clear();
    FillSchDate();
    txt_date->setText(pickedDateText(sch_date->currentIndex() + 1));
}

void add_sch_frm::sch_date_Click() {
    txt_date->setText(pickedDateText(sch_date->currentIndex() + 1));
}

void add_sch_frm::sch_hour_Change() {
    timeBoxChanged(sch_hour, scroll_hour);
}

void add_sch_frm::txt_min_Change() {
    timeBoxChanged(txt_min, scroll_min);
}

void add_sch_frm::timeBoxChanged(QLineEdit* box, QScrollBar* bar) {
    const QString text = box->text();
    if (text.isEmpty()) {
        bar->setValue(0);
    } else {
        const int n = common::readNumber(text);
        if (box == sch_hour)
            sch_AMFM->setText(n <= 11 ? QStringLiteral("AM") : QStringLiteral("PM"));
        if (n <= bar->maximum()) {
            bar->setValue(n);
        } else {
            QPointer<add_sch_frm> self(this);
            platform::MessageBoxRequest warning;
            warning.text = TimeNotCorrect;
            registry().env().dialogs.messageBox(warning);
            if (!self)
                return;
            box->selectAll();
        }
    }
    // An emptied box counts as empty.
    txt_time->setText(sch_hour->text() + QLatin1Char(':') + txt_min->text());
}

// At 0 the box keeps its text, so an emptied box, which sets its bar to 0, stays empty.
void add_sch_frm::scroll_hour_Change() {
    if (scroll_hour->value() != 0)
        sch_hour->setText(QString::number(scroll_hour->value()));
}

void add_sch_frm::scroll_min_Change() {
    if (scroll_min->value() != 0)
        txt_min->setText(QString::number(scroll_min->value()));
}

void add_sch_frm::remind_Click() {
    txt_remind->setText(remind->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO"));
}

void add_sch_frm::sch_hour_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

void add_sch_frm::txt_min_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

// The pickers are chosen from their lists only.
void add_sch_frm::sch_year_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void add_sch_frm::sch_month_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void add_sch_frm::sch_date_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void add_sch_frm::new_sch_Click() {
    platform::Environment& env = registry().env();
    QPointer<add_sch_frm> self(this);
    if (!common::readsAsDateOrTime(txt_date->text())) {
        platform::warn(env.dialogs, QStringLiteral("The date is not correct! Please Check it!"),
                       schedule::OrganiserTitle);
        return;
    }
    auto refuseTime = [&] {
        platform::MessageBoxRequest refusal;
        refusal.text = TimeNotCorrect;
        refusal.title = schedule::OrganiserTitle;
        env.dialogs.messageBox(refusal);
    };
    const TimeEntry time = enteredTime(sch_hour->text(), txt_min->text(), !txt_time->text().isEmpty());
    if (time.refused && !(sch_hour->text().isEmpty() && txt_min->text().isEmpty())) {
        refuseTime();
        return;
    }
    const QLineEdit* entryBoxes[] = {txt_sch, sch_hour, txt_min, remind_msg, txt_memo};
    const bool blanks = std::any_of(std::begin(entryBoxes), std::end(entryBoxes),
                                    [](auto* box) { return box->text().isEmpty(); });
    if (blanks) {
        platform::MessageBoxRequest question;
        question.text = QStringLiteral("Some items is blank, adding it?");
        question.buttons = platform::BoxButtons::OKCancel;
        question.title = schedule::OrganiserTitle;
        const bool adding = env.dialogs.messageBox(question) == platform::BoxAnswer::OK;
        if (!self || !adding)
            return;
        if (time.refused) {
            refuseTime();
            return;
        }
    }

    // What the window shows now is stored, into the pending new row only.
    const Entry entry = typedEntry();
    const platform::Value remindText = remind->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO");
    auto* recordset = Sch_Data->Recordset();
    const bool stored = schedule::runReportingFailure(env.dialogs, [&] {
        if (recordset->editMode() != platform::db::Recordset::EditMode::Adding)
            startEntryRow(entry);
        recordset->Fields(QStringLiteral("Schedule_Date")).setValue(entry.date);
        if (!time.value.isNull())
            recordset->Fields(QStringLiteral("Schedule_Time")).setValue(time.value);
        recordset->Fields(QStringLiteral("Work")).setValue(entry.work);
        recordset->Fields(QStringLiteral("Remind")).setValue(remindText);
        recordset->Fields(QStringLiteral("Message")).setValue(entry.message);
        recordset->Fields(QStringLiteral("Memo")).setValue(entry.memo);
        recordset->Update();
    });
    if (!self || !stored)
        return;
    // Stored: whatever fails from here on, this entry is done and the next one starts.
    // With blanks the grid reads the rows again, in the order the file gives them.
    if (blanks)
        schedule::runReportingFailure(env.dialogs, [&] { Sch_Data->Refresh(); });
    if (self)
        schedule::runReportingFailure(env.dialogs, [&] { Sch_Data->Recordset()->AddNew(); });
    if (!self)
        return;
    txt_date->setText(pickedDateText(common::readNumber(sch_date->currentText())));
    clearForNextEntry();
    if (blanks) {
        FormatSchGrid();
    } else {
        schedule::runReportingFailure(
            env.dialogs, [&] { Sch_Database->Columns(QStringLiteral("SchNo")).setVisible(false); });
        writeCount();
    }
}

void add_sch_frm::clearForNextEntry() {
    sch_hour->clear();
    txt_min->clear();
    txt_time->clear();
    remind->setChecked(false);
    remind_msg->clear();
    txt_remind->clear();
}
