#include "schedule/NewScheduleFrame.h"

#include "common/DateRecognition.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/CalendarSide.h"
#include "core/ErrorBox.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "platform/ui/Picker.h"
#include "schedule/ManagerDesign.h"
#include "schedule/add_sch_frm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

using platform::makeControl;
using namespace schedule::manager_design;

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

NewScheduleFrame::NewScheduleFrame(add_sch_frm& form)
    : QGroupBox(QStringLiteral("New Schedule"), &form), form_(form) {
    platform::placeTwips(this, 5160, 2880, 5175, 5055);
    styleFrame(this);
    setVisible(false);
    sch_year = picker(this, 120, 360, 1095, 300, platform::PickerText::Shown);
    sch_month = picker(this, 1200, 360, 975, 300, platform::PickerText::Shown);
    sch_date = picker(this, 2160, 360, 855, 300, platform::PickerText::Shown);
    Frame4 = frame(this, 3120, 120, 1935, 855, QStringLiteral("Today"), Yellow);
    lbl_today = label(Frame4, 120, 270, 1695, 255, QString(), Yellow);
    lbl_time = label(Frame4, 120, 540, 1695, 255, QString(), Yellow);
    lbl_today->setFont(platform::mingFont(9));
    lbl_time->setFont(platform::mingFont(9));

    Frame2 = frame(this, 120, 1080, 4935, 735, QStringLiteral("Schedule Describe"));
    txt_sch = makeControl<platform::db::BoundTextBox>(Frame2, 120, 300, 4695, 345);

    Frame5 = frame(this, 120, 1920, 4935, 1335, QStringLiteral("Time Setting"));
    label(Frame5, 120, 420, 255, 255, QStringLiteral("At"));
    sch_AMFM = makeControl<QLineEdit>(Frame5, 375, 360, 495, 345, QStringLiteral("AM"));
    sch_AMFM->setReadOnly(true);
    sch_hour = makeControl<QLineEdit>(Frame5, 915, 360, 450, 345);
    scroll_hour = makeControl<QScrollBar>(Frame5, 1365, 360, 240, 345, Qt::Vertical);
    scroll_hour->setRange(0, 23);
    label(Frame5, 1650, 420, 495, 255, QStringLiteral("Hour"));
    txt_min = makeControl<QLineEdit>(Frame5, 2145, 360, 450, 345);
    scroll_min = makeControl<QScrollBar>(Frame5, 2595, 360, 240, 345, Qt::Vertical);
    scroll_min->setRange(0, 59);
    label(Frame5, 2880, 420, 735, 255, QStringLiteral("Minute"));
    remind = makeControl<QCheckBox>(Frame5, 3660, 360, 1155, 345, QStringLiteral("Remind"));
    platform::setBackColor(remind, Navy);
    platform::setForeColor(remind, HighlightedText);
    label(Frame5, 120, 900, 1815, 255, QStringLiteral("Remind Message"));
    remind_msg = makeControl<platform::db::BoundTextBox>(Frame5, 1935, 840, 2880, 345);

    Frame3 = frame(this, 120, 3360, 3255, 855, QStringLiteral("Memo"));
    txt_memo = makeControl<platform::db::BoundTextBox>(Frame3, 120, 360, 3015, 375);
    new_sch = makeControl<QPushButton>(this, 3480, 3420, 1575, 375, QStringLiteral("Join Schedule"));
    exit = makeControl<QPushButton>(this, 3480, 3900, 1575, 375, QStringLiteral("Exit Schedule"));
    escape_cmd = makeControl<QPushButton>(this, 3480, 4380, 1575, 375, QStringLiteral("Exit Manager"));
    keepWindowFont(this, form.font());

    connect(exit, &QPushButton::clicked, this, &NewScheduleFrame::exit_Click);
    connect(escape_cmd, &QPushButton::clicked, this, &NewScheduleFrame::escape_cmd_Click);
    connect(new_sch, &QPushButton::clicked, this, &NewScheduleFrame::new_sch_Click);
    connect(remind, &QCheckBox::toggled, this, &NewScheduleFrame::remind_Click);
    connect(sch_year, &QComboBox::activated, this, &NewScheduleFrame::sch_year_Click);
    connect(sch_month, &QComboBox::activated, this, &NewScheduleFrame::sch_month_Click);
    connect(sch_date, &QComboBox::activated, this, &NewScheduleFrame::sch_date_Click);
    connect(sch_hour, &QLineEdit::textChanged, this, &NewScheduleFrame::sch_hour_Change);
    connect(txt_min, &QLineEdit::textChanged, this, &NewScheduleFrame::txt_min_Change);
    connect(scroll_hour, &QScrollBar::valueChanged, this, &NewScheduleFrame::scroll_hour_Change);
    connect(scroll_min, &QScrollBar::valueChanged, this, &NewScheduleFrame::scroll_min_Change);
    platform::onKeyPress(sch_hour, [this](int& key) { sch_hour_KeyPress(key); });
    platform::onKeyPress(txt_min, [this](int& key) { txt_min_KeyPress(key); });
    // A combo box takes the keys for its text part, which is its focus proxy's.
    platform::onKeyPress(sch_year, [this](int& key) { sch_year_KeyPress(key); });
    platform::onKeyPress(sch_month, [this](int& key) { sch_month_KeyPress(key); });
    platform::onKeyPress(sch_date, [this](int& key) { sch_date_KeyPress(key); });
}

void NewScheduleFrame::Form_Load() {
    form_.months.fill();
    form_.appendYearsAndMonths(sch_year, sch_month);
    const QDate today = form_.program().env().clock.now().date();
    platform::showWithoutPick(sch_year, common::leadingBlankNumber(today.year()));
    platform::showWithoutPick(sch_month, form_.months.MonthAbbr[today.month() - 1]);
    form_.SelYear = today.year();
    form_.SelMonth = qint16(today.month());
    FillSchDate();
}

void NewScheduleFrame::showNow(const QDateTime& now) {
    lbl_today->setText(QStringLiteral("It is ") + common::shortDateText(now.date()));
    lbl_time->setText(common::timeOfDayText(now.time()));
}

void NewScheduleFrame::exit_Click() {
    platform::Environment& env = form_.program().env();
    platform::MessageBoxRequest question;
    question.text = QStringLiteral("Exit schedule adding?");
    question.buttons = platform::BoxButtons::OKCancel;
    question.title = OrganiserTitle;
    QPointer<NewScheduleFrame> self(this);
    const bool leave = env.dialogs.messageBox(question) == platform::BoxAnswer::OK;
    if (!self || !leave)
        return;
    // Re-reading drops the pending new row: it is never stored.
    runReportingFailure(env.dialogs, [&] {
        form_.Sch_Data->Refresh();
        form_.Sch_Data->Recordset()->CancelUpdate();
    });
    if (!self)
        return;
    form_.showMode(add_sch_frm::Mode::Manage);
    form_.FormatSchGrid();
    if (auto* recordset = form_.Sch_Data->Recordset()) {
        runReportingFailure(env.dialogs, [&] {
            recordset->setSort(QStringLiteral("Schedule_Date"));
            if (!recordset->IsEOF())
                recordset->MoveLast();
        });
    }
}

void NewScheduleFrame::escape_cmd_Click() {
    CalendarSide& calendar = form_.program().calendar;
    form_.close();
    calendar.closeCalendar();
}

void NewScheduleFrame::FillSchDate() {
    form_.appendDays(sch_date);
}

NewScheduleFrame::Entry NewScheduleFrame::typedEntry() const {
    return {form_.txt_date->text(), form_.txt_time->text(), txt_sch->text(), remind_msg->text(),
            txt_memo->text()};
}

void NewScheduleFrame::startEntryRow(const Entry& entry) {
    auto* recordset = form_.Sch_Data->Recordset();
    // An entry given up goes unstored.
    if (recordset->editMode() == platform::db::Recordset::EditMode::Adding)
        recordset->CancelUpdate();
    recordset->AddNew();
    form_.txt_date->setText(entry.date);
    form_.txt_time->setText(entry.time);
    txt_sch->setText(entry.work);
    remind_msg->setText(entry.message);
    txt_memo->setText(entry.memo);
}

void NewScheduleFrame::startEntry() {
    platform::Environment& env = form_.program().env();
    QPointer<NewScheduleFrame> self(this);
    // Rows that could not be read at the activation are tried once more.
    if (!form_.Sch_Data->Recordset())
        form_.Form_Activate();
    if (!self || !form_.Sch_Data->Recordset())
        return;
    // The new row starts empty, but the Remind box keeps its tick: what it shows is what is stored.
    if (!runReportingFailure(env.dialogs, [&] { startEntryRow({}); }) || !self)
        return;
    form_.showMode(add_sch_frm::Mode::Add);
    const QDate today = env.clock.now().date();
    sch_date->clear();
    FillSchDate();
    // The pickers show the year and month the dates are built from, which either frame may have picked.
    platform::showWithoutPick(sch_year, common::leadingBlankNumber(form_.SelYear));
    platform::showWithoutPick(sch_month, form_.months.MonthAbbr[form_.SelMonth - 1]);
    platform::showWithoutPick(sch_date, common::leadingBlankNumber(today.day()));
    txt_sch->clear();
    sch_hour->clear();
    txt_min->clear();
    form_.txt_time->clear();
    remind_msg->clear();
    txt_memo->clear();
    // Each entry starts on today, whatever year and month the pickers keep for the entries after it.
    form_.txt_date->setText(common::shortDateText(today));
}

void NewScheduleFrame::sch_year_Click() {
    form_.SelYear = common::readNumber(sch_year->currentText());
    sch_date->clear();
    FillSchDate();
    // The date follows the year as it follows the month: the day is picked again.
    form_.txt_date->setText(form_.pickedDateText(sch_date->currentIndex() + 1));
}

void NewScheduleFrame::sch_month_Click() {
    form_.SelMonth = qint16(sch_month->currentIndex() + 1);
    sch_date->clear();
    FillSchDate();
    form_.txt_date->setText(form_.pickedDateText(sch_date->currentIndex() + 1));
}

void NewScheduleFrame::sch_date_Click() {
    form_.txt_date->setText(form_.pickedDateText(sch_date->currentIndex() + 1));
}

void NewScheduleFrame::sch_hour_Change() {
    timeBoxChanged(sch_hour, scroll_hour);
}

void NewScheduleFrame::txt_min_Change() {
    timeBoxChanged(txt_min, scroll_min);
}

void NewScheduleFrame::timeBoxChanged(QLineEdit* box, QScrollBar* bar) {
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
            QPointer<NewScheduleFrame> self(this);
            platform::MessageBoxRequest warning;
            warning.text = TimeNotCorrect;
            form_.program().env().dialogs.messageBox(warning);
            if (!self)
                return;
            box->selectAll();
        }
    }
    // An emptied box counts as empty.
    form_.txt_time->setText(sch_hour->text() + QLatin1Char(':') + txt_min->text());
}

// At 0 the box keeps its text, so an emptied box, which sets its bar to 0, stays empty.
void NewScheduleFrame::scroll_hour_Change() {
    if (scroll_hour->value() != 0)
        sch_hour->setText(QString::number(scroll_hour->value()));
}

void NewScheduleFrame::scroll_min_Change() {
    if (scroll_min->value() != 0)
        txt_min->setText(QString::number(scroll_min->value()));
}

void NewScheduleFrame::remind_Click() {
    form_.txt_remind->setText(remind->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO"));
}

void NewScheduleFrame::sch_hour_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

void NewScheduleFrame::txt_min_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

// The pickers are chosen from their lists only.
void NewScheduleFrame::sch_year_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void NewScheduleFrame::sch_month_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void NewScheduleFrame::sch_date_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void NewScheduleFrame::new_sch_Click() {
    platform::Environment& env = form_.program().env();
    QPointer<NewScheduleFrame> self(this);
    if (!common::readsAsDateOrTime(form_.txt_date->text())) {
        platform::warn(env.dialogs, QStringLiteral("The date is not correct! Please Check it!"),
                       OrganiserTitle);
        return;
    }
    auto refuseTime = [&] {
        platform::MessageBoxRequest refusal;
        refusal.text = TimeNotCorrect;
        refusal.title = OrganiserTitle;
        env.dialogs.messageBox(refusal);
    };
    const TimeEntry time = enteredTime(sch_hour->text(), txt_min->text(), !form_.txt_time->text().isEmpty());
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
        question.title = OrganiserTitle;
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
    auto* recordset = form_.Sch_Data->Recordset();
    const bool stored = runReportingFailure(env.dialogs, [&] {
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
        runReportingFailure(env.dialogs, [&] { form_.Sch_Data->Refresh(); });
    if (self)
        runReportingFailure(env.dialogs, [&] { form_.Sch_Data->Recordset()->AddNew(); });
    if (!self)
        return;
    form_.txt_date->setText(form_.pickedDateText(common::readNumber(sch_date->currentText())));
    clearForNextEntry();
    if (blanks) {
        form_.FormatSchGrid();
    } else {
        runReportingFailure(env.dialogs,
                            [&] { form_.Sch_Database->Columns(QStringLiteral("SchNo")).setVisible(false); });
        form_.writeCount();
    }
}

void NewScheduleFrame::clearForNextEntry() {
    sch_hour->clear();
    txt_min->clear();
    form_.txt_time->clear();
    remind->setChecked(false);
    remind_msg->clear();
    form_.txt_remind->clear();
}
