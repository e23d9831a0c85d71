#include "schedule/add_sch_frm.h"

#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Design.h"
#include "platform/ui/Picker.h"
#include "schedule/DatabaseErrorBox.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/ScheduleDatabase.h"
#include "schedule/ScheduleGridRules.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

using platform::makeControl;

namespace {

constexpr quint32 Navy = 0x00800000;
constexpr quint32 Cyan = 0x00FFFF00;
constexpr quint32 Yellow = 0x0000FFFF;
constexpr quint32 White = 0x00FFFFFF;
constexpr quint32 HighlightedText = 0x8000000E;

const schedule::GridColumnLayout ManagerColumns[] = {
    {"Schedule_Date", 1500}, {"Schedule_Time", 1600}, {"Work", 2350},
    {"Message", 1700},       {"Memo", 1900},          {"Remind", 900, true},
};

// A frame of this window: navy, its caption in cyan (or as given) at 12 point.
QGroupBox* frame(QWidget* parent, int left, int top, int width, int height, const QString& caption,
                 quint32 captionColor = Cyan) {
    auto* box = makeControl<QGroupBox>(parent, left, top, width, height, caption);
    platform::setBackColor(box, Navy);
    platform::setForeColor(box, captionColor);
    box->setFont(platform::mingFont(12));
    return box;
}

QLabel* label(QWidget* parent, int left, int top, int width, int height, const QString& text,
              quint32 color = HighlightedText) {
    auto* caption = makeControl<QLabel>(parent, left, top, width, height, text);
    platform::setBackColor(caption, Navy);
    platform::setForeColor(caption, color);
    return caption;
}

QComboBox* picker(QWidget* parent, int left, int top, int width, int height, platform::PickerText text) {
    auto* combo = makeControl<QComboBox>(parent, left, top, width, height);
    platform::makePicker(combo, text);
    return combo;
}

// Buttons and check boxes keep the window's font inside the 12-point frames.
void keepWindowFont(QWidget* frame, const QFont& font) {
    for (auto* button : frame->findChildren<QAbstractButton*>())
        button->setFont(font);
    for (auto* combo : frame->findChildren<QComboBox*>())
        combo->setFont(font);
}

} // namespace

add_sch_frm::add_sch_frm(platform::FormRegistry& forms) : Form(forms) {
    setWindowTitle(QStringLiteral("Manager My Schedule"));
    setWindowFlags(platform::fixedBorderFlags());
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon_manager.png")));
    platform::setClientSizeTwips(this, 10455, 8055, true);
    platform::setBackColor(this, Navy);
    setFont(platform::mingFont(9));

    buildTop();
    buildManageFrame();
    buildAddFrame();
    buildClrFrame();
    buildBoundBoxes();
    platform::centreOnScreen(this);

    manage_data = new QMenu(QStringLiteral("行程管理"), this);
    del_rec = manage_data->addAction(QStringLiteral("刪除行程"));

    Timer1 = new platform::Timer(100, true, this);
    connect(Timer1, &QTimer::timeout, this, &add_sch_frm::Timer1_Timer);
}

add_sch_frm::~add_sch_frm() = default;

void add_sch_frm::buildTop() {
    Frame_DB = frame(this, 120, 120, 10215, 2655, QStringLiteral("Schedule Database"));
    Sch_Database = makeControl<platform::db::DataGrid>(Frame_DB, 120, 225, 9975, 2295);
    Sch_Database->setFont(platform::mingFont(9));
    Sch_Data = makeControl<platform::db::Adodc>(this, 120, 2760, 2655, 330, common::systemDateTextRule());
    Sch_Data->setCaption(QStringLiteral("Schedule Manager"));
    // The data control keeps the system's colours on the navy window.
    QPalette system = QApplication::palette();
    for (const auto role : {QPalette::Window, QPalette::WindowText})
        system.setColor(role, system.color(role));
    Sch_Data->setPalette(system);
    Sch_Data->setAutoFillBackground(true);
    cmd_sort = makeControl<QPushButton>(this, 2760, 2790, 855, 320, QStringLiteral("Sort"));
    txt_total = makeControl<QLineEdit>(this, 3600, 2790, 1440, 300);
    txt_total->setReadOnly(true);
    txt_total->setAlignment(Qt::AlignCenter);
    platform::setBackColor(txt_total, Navy);
    platform::setForeColor(txt_total, HighlightedText);

    connect(cmd_sort, &QPushButton::clicked, this, &add_sch_frm::cmd_sort_Click);
    connect(Sch_Database, &platform::db::DataGrid::BeforeDelete, this,
            &add_sch_frm::Sch_Database_BeforeDelete);
    connect(Sch_Database, &platform::db::DataGrid::AfterDelete, this, &add_sch_frm::Sch_Database_AfterDelete);
    connect(Sch_Database, &platform::db::DataGrid::AfterUpdate, this, &add_sch_frm::Sch_Database_AfterUpdate);
    schedule::keepTypedRemindNormalised(*Sch_Database);
    connect(Sch_Data, &platform::db::Adodc::Error, this, [this](const platform::db::DbError& error) {
        schedule::showDatabaseError(registry().env().dialogs, error);
    });
}

void add_sch_frm::buildManageFrame() {
    Manage_frame = frame(this, 120, 3240, 4935, 4695, QStringLiteral("Schedule Manage"));
    auto entry = [this](int left, int top, int width) {
        auto* box = makeControl<QLineEdit>(Manage_frame, left, top, width, 375);
        box->setFont(platform::mingFont(12));
        return box;
    };
    label(Manage_frame, 240, 540, 600, 255, QStringLiteral("Date"));
    Text1 = entry(840, 480, 1575);
    label(Manage_frame, 240, 1020, 600, 255, QStringLiteral("Time"));
    Text2 = entry(840, 960, 1575);
    label(Manage_frame, 240, 1500, 960, 255, QStringLiteral("Schedule"));
    Text3 = entry(1200, 1440, 3495);
    label(Manage_frame, 240, 1980, 960, 255, QStringLiteral("Remind"));
    remind_chk = makeControl<QCheckBox>(Manage_frame, 1200, 1920, 3375, 375,
                                        QStringLiteral("(Check is remind, no check isn't remind）"));
    platform::setBackColor(remind_chk, Navy);
    platform::setForeColor(remind_chk, Yellow);
    label(Manage_frame, 255, 2460, 1785, 255, QStringLiteral("Remind Message"));
    Text5 = entry(2040, 2400, 2655);
    label(Manage_frame, 255, 2940, 705, 255, QStringLiteral("Memo"));
    Text6 = entry(960, 2880, 3735);

    cmd_add = makeControl<QPushButton>(Manage_frame, 120, 3480, 1095, 495, QStringLiteral("Add"));
    cmd_modify = makeControl<QPushButton>(Manage_frame, 1320, 3480, 1095, 495, QStringLiteral("Update"));
    cmd_cancelupdate =
        makeControl<QPushButton>(Manage_frame, 2520, 3480, 1095, 495, QStringLiteral("Cancel Update"));
    cmd_del = makeControl<QPushButton>(Manage_frame, 3720, 3480, 1080, 495, QStringLiteral("Delete"));
    MoreClr = makeControl<QPushButton>(Manage_frame, 120, 4080, 2295, 375, QStringLiteral("Delete More..."));
    cmd_exit = makeControl<QPushButton>(Manage_frame, 2520, 4080, 2295, 375, QStringLiteral("Exit"));
    keepWindowFont(Manage_frame, font());

    // "Add" comes first in the tab order, then the boxes top to bottom and the other buttons.
    QWidget* order[] = {cmd_add,          Text1,   Text2,   Text3,   remind_chk, Text5, Text6, cmd_modify,
                        cmd_cancelupdate, cmd_del, MoreClr, cmd_exit};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The window opens with the focus on the first of them.
    cmd_add->setFocus();

    platform::onKeyPress(Text1, [this](int& key) { Text1_KeyPress(key); });
    platform::onLostFocus(Text1, [this] { Text1_LostFocus(); });
    platform::onLostFocus(Text2, [this] { Text2_LostFocus(); });
    connect(cmd_modify, &QPushButton::clicked, this, &add_sch_frm::cmd_modify_Click);
    connect(cmd_cancelupdate, &QPushButton::clicked, this, &add_sch_frm::cmd_cancelupdate_Click);
    connect(cmd_del, &QPushButton::clicked, this, &add_sch_frm::cmd_del_Click);
    connect(MoreClr, &QPushButton::clicked, this, &add_sch_frm::MoreClr_Click);
    connect(cmd_exit, &QPushButton::clicked, this, &add_sch_frm::cmd_exit_Click);
}

void add_sch_frm::buildAddFrame() {
    add_frame = frame(this, 5160, 2880, 5175, 5055, QStringLiteral("New Schedule"));
    add_frame->setVisible(false);
    sch_year = picker(add_frame, 120, 360, 1095, 300, platform::PickerText::Shown);
    sch_month = picker(add_frame, 1200, 360, 975, 300, platform::PickerText::Shown);
    sch_date = picker(add_frame, 2160, 360, 855, 300, platform::PickerText::Shown);
    Frame4 = frame(add_frame, 3120, 120, 1935, 855, QStringLiteral("Today"), Yellow);
    lbl_today = label(Frame4, 120, 270, 1695, 255, QString(), Yellow);
    lbl_time = label(Frame4, 120, 540, 1695, 255, QString(), Yellow);
    lbl_today->setFont(platform::mingFont(9));
    lbl_time->setFont(platform::mingFont(9));

    Frame2 = frame(add_frame, 120, 1080, 4935, 735, QStringLiteral("Schedule Describe"));
    txt_sch = makeControl<platform::db::BoundTextBox>(Frame2, 120, 300, 4695, 345);

    Frame5 = frame(add_frame, 120, 1920, 4935, 1335, QStringLiteral("Time Setting"));
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

    Frame3 = frame(add_frame, 120, 3360, 3255, 855, QStringLiteral("Memo"));
    txt_memo = makeControl<platform::db::BoundTextBox>(Frame3, 120, 360, 3015, 375);
    new_sch = makeControl<QPushButton>(add_frame, 3480, 3420, 1575, 375, QStringLiteral("Join Schedule"));
    exit = makeControl<QPushButton>(add_frame, 3480, 3900, 1575, 375, QStringLiteral("Exit Schedule"));
    escape_cmd = makeControl<QPushButton>(add_frame, 3480, 4380, 1575, 375, QStringLiteral("Exit Manager"));
    keepWindowFont(add_frame, font());

    connect(exit, &QPushButton::clicked, this, &add_sch_frm::exit_Click);
    connect(escape_cmd, &QPushButton::clicked, this, &add_sch_frm::escape_cmd_Click);
    wireAddFrame();
}

void add_sch_frm::buildClrFrame() {
    ClrFrame = frame(this, 5160, 3240, 5175, 2175, QStringLiteral("Delete More"));
    ClrFrame->setVisible(false);
    // Alone on its line, the caption takes the room its text needs at 12 point.
    QLabel* deleteCaption = label(ClrFrame, 120, 480, 615, 255, QStringLiteral("Delete"), Yellow);
    deleteCaption->resize(std::max(deleteCaption->width(), deleteCaption->sizeHint().width()),
                          deleteCaption->height());
    ClrYear = picker(ClrFrame, 120, 840, 1095, 300, platform::PickerText::Shown);
    ClrMonth = picker(ClrFrame, 1200, 840, 975, 300, platform::PickerText::List);
    ClrDate = picker(ClrFrame, 2160, 840, 975, 300, platform::PickerText::List);
    label(ClrFrame, 3240, 860, 1815, 255, QStringLiteral("Schedule before"), White);
    Confirm = makeControl<QPushButton>(ClrFrame, 120, 1320, 1455, 375, QStringLiteral("Delete"));
    ExitClr = makeControl<QPushButton>(ClrFrame, 1800, 1320, 1455, 375, QStringLiteral("Exit Delete More"));
    ExitClear = makeControl<QPushButton>(ClrFrame, 3480, 1320, 1455, 375, QStringLiteral("Exit"));
    keepWindowFont(ClrFrame, font());

    connect(ExitClr, &QPushButton::clicked, this, &add_sch_frm::ExitClr_Click);
    connect(ExitClear, &QPushButton::clicked, this, &add_sch_frm::ExitClear_Click);
    wireClrFrame();
}

void add_sch_frm::buildBoundBoxes() {
    auto bound = [this](const char* field, void (add_sch_frm::*change)()) {
        auto* box = new platform::db::BoundTextBox(this);
        box->setVisible(false);
        box->setDataSource(Sch_Data);
        box->setDataField(QString::fromLatin1(field));
        if (change)
            connect(box, &platform::db::BoundTextBox::Change, this, change);
        return box;
    };
    txt_date = bound("Schedule_Date", &add_sch_frm::txt_date_Change);
    txt_time = bound("Schedule_Time", &add_sch_frm::txt_time_Change);
    txt_remind = bound("Remind", &add_sch_frm::txt_remind_Change);
    WorkTxt = bound("Work", &add_sch_frm::WorkTxt_Change);
    RemindMsg = bound("Message", &add_sch_frm::RemindMsg_Change);
    MemoTxt = bound("Memo", &add_sch_frm::MemoTxt_Change);
    txt_no = bound("SchNo", nullptr);
    txt_no->setReadOnly(true);
    no = bound("SchNo", nullptr);
    Label4 = new QLabel(QStringLiteral("行程編號"), this);
    Label4->setVisible(false);
    for (auto [box, field] : {std::pair{txt_sch, "Work"}, {remind_msg, "Message"}, {txt_memo, "Memo"}}) {
        box->setDataSource(Sch_Data);
        box->setDataField(QString::fromLatin1(field));
    }
}

void add_sch_frm::Form_Load() {
    Form_Activate();
    months.fill();
    appendYearsAndMonths(sch_year, sch_month);
    const QDate today = registry().env().clock.now().date();
    platform::showWithoutPick(sch_year, common::leadingBlankNumber(today.year()));
    platform::showWithoutPick(sch_month, months.MonthAbbr[today.month() - 1]);
    SelYear = today.year();
    SelMonth = qint16(today.month());
    FillSchDate();
}

void add_sch_frm::Form_Activate() {
    platform::Environment& env = registry().env();
    QPointer<add_sch_frm> self(this);
    // An entry under way in the New Schedule frame outlives the re-read: it goes on as a new pending row.
    const bool adding = mode_ == Mode::Add;
    const Entry entry = typedEntry();
    schedule::runReportingFailure(env.dialogs, [&] {
        schedule::bindScheduleData(*Sch_Data, *Sch_Database, schedule::ScheduleTable,
                                   QStringLiteral("Schedule_Date"), env.programFolder);
        if (!Sch_Data->Recordset()->IsEOF())
            Sch_Data->Recordset()->MoveLast();
        if (adding && Sch_Data->Recordset()->editMode() != platform::db::Recordset::EditMode::Adding)
            startEntryRow(entry);
    });
    if (self)
        FormatSchGrid();
}

void add_sch_frm::FormatSchGrid() {
    // Until a binding has succeeded the grid has no columns to lay out.
    if (Sch_Data->Recordset()) {
        schedule::runReportingFailure(registry().env().dialogs, [&] {
            Sch_Database->Columns(QStringLiteral("SchNo")).setVisible(false);
            schedule::layOutGridColumns(*Sch_Database, ManagerColumns);
        });
    }
    writeCount();
}

void add_sch_frm::writeCount() {
    const auto* recordset = Sch_Data->Recordset();
    txt_total->setText(QStringLiteral("Total: ") + QString::number(recordset ? recordset->RecordCount() : 0));
}

void add_sch_frm::showMode(Mode mode) {
    mode_ = mode;
    Manage_frame->setVisible(mode == Mode::Manage);
    add_frame->setVisible(mode == Mode::Add);
    ClrFrame->setVisible(mode == Mode::DeleteMore);
    Frame_DB->setEnabled(mode != Mode::Add);
    cmd_sort->setEnabled(mode != Mode::Add);
    Sch_Data->setEnabled(mode != Mode::Add);
}

void add_sch_frm::cmd_sort_Click() {
    if (auto* recordset = Sch_Data->Recordset()) {
        schedule::runReportingFailure(registry().env().dialogs,
                                      [&] { recordset->setSort(QStringLiteral("Schedule_Date")); });
    }
}

void add_sch_frm::exit_Click() {
    platform::Environment& env = registry().env();
    platform::MessageBoxRequest question;
    question.text = QStringLiteral("Exit schedule adding?");
    question.buttons = platform::BoxButtons::OKCancel;
    question.title = schedule::OrganiserTitle;
    QPointer<add_sch_frm> self(this);
    const bool leave = env.dialogs.messageBox(question) == platform::BoxAnswer::OK;
    if (!self || !leave)
        return;
    // Re-reading drops the pending new row: it is never stored.
    schedule::runReportingFailure(env.dialogs, [&] {
        Sch_Data->Refresh();
        Sch_Data->Recordset()->CancelUpdate();
    });
    if (!self)
        return;
    showMode(Mode::Manage);
    FormatSchGrid();
    if (auto* recordset = Sch_Data->Recordset()) {
        schedule::runReportingFailure(env.dialogs, [&] {
            recordset->setSort(QStringLiteral("Schedule_Date"));
            if (!recordset->IsEOF())
                recordset->MoveLast();
        });
    }
}

void add_sch_frm::Form_Unload(bool&) {
    Program& program = Program::of(registry());
    hide();
    // A typed change is stored as a re-read would store it and a pending new row goes, but nothing is read
    // again: nobody will see the rows, and today's alarm table reads its own.
    Sch_Data->storeEditedRow();
    if (auto* recordset = Sch_Data->Recordset()) {
        recordset->CancelUpdate();
        // Gone at once, so that the manager "Exit" loads afresh never holds the table twice.
        recordset->releaseRows();
    }
    program.organiser.LoadTodayAlarms();
}

void add_sch_frm::cmd_exit_Click() {
    Program& program = Program::of(registry());
    close();
    // Loads the manager afresh, hidden, as the host of the alarm table's record set.
    program.organiser.LoadTodayAlarms();
}

void add_sch_frm::escape_cmd_Click() {
    platform::FormRegistry& forms = registry();
    close();
    if (platform::Form* calendar = forms.find(schedule::CalendarWindow))
        calendar->close();
}

void add_sch_frm::Sch_Database_BeforeDelete(qint16& Cancel) {
    QPointer<add_sch_frm> self(this);
    schedule::applyBeforeDeleteRule(registry().env().dialogs, *this, DeleteConfirmed, Cancel);
    if (self && Cancel)
        writeCount();
}

void add_sch_frm::Sch_Database_AfterDelete() {
    writeCount();
}

void add_sch_frm::Sch_Database_AfterUpdate() {
    if (auto* recordset = Sch_Data->Recordset())
        schedule::applyAfterEditRule(*recordset, DeleteConfirmed, registry().env().dialogs);
}

void add_sch_frm::Timer1_Timer() {
    const QDateTime now = registry().env().clock.now();
    lbl_today->setText(QStringLiteral("It is ") + common::shortDateText(now.date()));
    lbl_time->setText(common::timeOfDayText(now.time()));
}
