#include "schedule/add_sch_frm.h"

#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/DesignConstants.h"
#include "core/ErrorBox.h"
#include "core/Program.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Design.h"
#include "platform/ui/Timer.h"
#include "schedule/DeleteMoreFrame.h"
#include "schedule/ManageFrame.h"
#include "schedule/ManagerDesign.h"
#include "schedule/NewScheduleFrame.h"
#include "schedule/ScheduleDatabase.h"
#include "schedule/ScheduleGridRules.h"
#include "schedule/calendar_Module.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

using platform::makeControl;
using namespace schedule::manager_design;

namespace {

const schedule::GridColumnLayout ManagerColumns[] = {
    {"Schedule_Date", 1500}, {"Schedule_Time", 1600}, {"Work", 2350},
    {"Message", 1700},       {"Memo", 1900},          {"Remind", 900, true},
};

} // namespace

add_sch_frm::add_sch_frm(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("Manager My Schedule"));
    setWindowFlags(platform::fixedBorderFlags());
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon_manager.png")));
    platform::setClientSizeTwips(this, 10455, 8055, true);
    platform::setBackColor(this, Navy);
    setFont(platform::mingFont(9));

    buildTop();
    Manage_frame = new ManageFrame(*this);
    add_frame = new NewScheduleFrame(*this);
    ClrFrame = new DeleteMoreFrame(*this);
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
    Sch_Data = makeControl<platform::db::Adodc>(
        this, 120, 2760, 2655, 330, common::systemDateTextRule(),
        [this](const platform::Error& error) { showError(program().env().dialogs, error); });
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
}

void add_sch_frm::buildBoundBoxes() {
    auto bound = [this](const char* field, void (ManageFrame::*change)()) {
        auto* box = new platform::db::BoundTextBox(this);
        box->setVisible(false);
        box->setDataSource(Sch_Data);
        box->setDataField(QString::fromLatin1(field));
        if (change)
            connect(box, &platform::db::BoundTextBox::Change, Manage_frame, change);
        return box;
    };
    txt_date = bound("Schedule_Date", &ManageFrame::txt_date_Change);
    txt_time = bound("Schedule_Time", &ManageFrame::txt_time_Change);
    txt_remind = bound("Remind", &ManageFrame::txt_remind_Change);
    WorkTxt = bound("Work", &ManageFrame::WorkTxt_Change);
    RemindMsg = bound("Message", &ManageFrame::RemindMsg_Change);
    MemoTxt = bound("Memo", &ManageFrame::MemoTxt_Change);
    txt_no = bound("SchNo", nullptr);
    txt_no->setReadOnly(true);
    no = bound("SchNo", nullptr);
    Label4 = new QLabel(QStringLiteral("行程編號"), this);
    Label4->setVisible(false);
    for (auto [box, field] : {std::pair{add_frame->txt_sch, "Work"},
                              {add_frame->remind_msg, "Message"},
                              {add_frame->txt_memo, "Memo"}}) {
        box->setDataSource(Sch_Data);
        box->setDataField(QString::fromLatin1(field));
    }
}

void add_sch_frm::Form_Load() {
    Form_Activate();
    add_frame->Form_Load();
}

void add_sch_frm::Form_Activate() {
    platform::Environment& env = program().env();
    QPointer<add_sch_frm> self(this);
    // An entry under way in the New Schedule frame outlives the re-read: it goes on as a new pending row.
    const bool adding = mode_ == Mode::Add;
    const NewScheduleFrame::Entry entry = add_frame->typedEntry();
    runReportingFailure(env.dialogs, [&] {
        schedule::bindScheduleData(*Sch_Data, *Sch_Database, schedule::ScheduleTable,
                                   QStringLiteral("Schedule_Date"), env.programFolder);
        if (!Sch_Data->Recordset()->IsEOF())
            Sch_Data->Recordset()->MoveLast();
        if (adding && Sch_Data->Recordset()->editMode() != platform::db::Recordset::EditMode::Adding)
            add_frame->startEntryRow(entry);
    });
    if (self)
        FormatSchGrid();
}

void add_sch_frm::FormatSchGrid() {
    // Until a binding has succeeded the grid has no columns to lay out.
    if (Sch_Data->Recordset()) {
        runReportingFailure(program().env().dialogs, [&] {
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
    // Pressed without taking the focus, it finds a typed cell still in its editor: the sort stores it.
    Sch_Database->finishCellEditor();
    if (auto* recordset = Sch_Data->Recordset()) {
        runReportingFailure(program().env().dialogs,
                            [&] { recordset->setSort(QStringLiteral("Schedule_Date")); });
    }
}

void add_sch_frm::Form_Unload(bool&) {
    hide();
    // A typed change is stored as a re-read would store it and a pending new row goes, but nothing is read
    // again: nobody will see the rows, and today's alarm table reads its own.
    Sch_Data->storeEditedRow();
    if (auto* recordset = Sch_Data->Recordset()) {
        recordset->CancelUpdate();
        // Gone at once, so that the manager "Exit" loads afresh never holds the table twice.
        recordset->releaseRows();
    }
    calendar_Module::LoadTodayAlarms(program());
}

void add_sch_frm::Sch_Database_BeforeDelete(qint16& Cancel) {
    QPointer<add_sch_frm> self(this);
    schedule::applyBeforeDeleteRule(program().env().dialogs, *this, DeleteConfirmed, Cancel);
    if (self && Cancel)
        writeCount();
}

void add_sch_frm::Sch_Database_AfterDelete() {
    writeCount();
}

void add_sch_frm::Sch_Database_AfterUpdate() {
    if (auto* recordset = Sch_Data->Recordset())
        schedule::applyAfterEditRule(*recordset, DeleteConfirmed, program().env().dialogs);
}

void add_sch_frm::Timer1_Timer() {
    add_frame->showNow(program().env().clock.now());
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
    for (int year = design::ManagerFirstYear; year <= design::LastYear; ++year)
        years->addItem(common::leadingBlankNumber(year));
    for (const QString& month : months.MonthAbbr)
        monthItems->addItem(month);
}

QString add_sch_frm::pickedDateText(int day) const {
    return QStringLiteral("%1/%2/%3").arg(SelYear).arg(SelMonth).arg(day);
}

namespace schedule {

void loadManagerAndTodayAlarms(Program& program) {
    program.get<add_sch_frm>();
    calendar_Module::LoadTodayAlarms(program);
}

} // namespace schedule
