#include "schedule/schedule_frm.h"

#include "common/DateText.h"
#include "core/DesignConstants.h"
#include "core/ErrorBox.h"
#include "core/Program.h"
#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "platform/ui/Design.h"
#include "schedule/ScheduleDatabase.h"
#include "schedule/ScheduleGridRules.h"
#include "schedule/SetBasedDelete.h"
#include "schedule/add_sch_frm.h"
#include "schedule/calendar_Module.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>

using platform::makeControl;

namespace {

const schedule::GridColumnLayout OneDayColumns[] = {
    {"Schedule_Date", 1500}, {"Schedule_Time", 1550}, {"Work", 2750},
    {"Remind", 1100, true},  {"Message", 1200},       {"Memo", 1400},
};

} // namespace

schedule_frm::schedule_frm(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("Today Schedule"));
    setWindowFlags(platform::fixedBorderFlags());
    platform::setClientSizeTwips(this, 9855, 4335, true);
    platform::setBackColor(this, design::DarkBlue);
    setFont(platform::mingFont(9));

    Frame1 = makeControl<QGroupBox>(this, 0, 240, 9855, 3975);
    platform::setBackColor(Frame1, design::DarkBlue);
    platform::setForeColor(Frame1, design::Yellow);
    Frame1->setFont(platform::mingFont(14.25, true, true));
    Sch_Grid = makeControl<platform::db::DataGrid>(Frame1, 120, 360, 9615, 3495);
    Sch_Grid->setFont(platform::mingFont(12));
    Sch_Grid->setCaption(QStringLiteral("Schedule"));
    Sch_Grid->setVisible(false);

    ClrSch = makeControl<QPushButton>(this, 6360, 0, 1815, 375, QStringLiteral("Delete Today Schedule"));
    ClrSch->setToolTip(QStringLiteral("刪除列表內所有行程"));
    ClrSch->setVisible(false);
    manage_sch = makeControl<QPushButton>(this, 8160, 0, 1815, 375, QStringLiteral("Manage Schedule"));

    // Kept out of view: the grid shows what it holds.
    Sch_Data = new platform::db::Adodc(
        common::systemDateTextRule(),
        [this](const platform::Error& error) { showError(registry().env().dialogs, error); }, this);
    Sch_Data->setCaption(QStringLiteral("My_schedule"));
    Sch_Data->setVisible(false);
    platform::centreOnScreen(this);

    connect(ClrSch, &QPushButton::clicked, this, &schedule_frm::ClrSch_Click);
    connect(manage_sch, &QPushButton::clicked, this, &schedule_frm::manage_sch_Click);
    connect(Sch_Grid, &platform::db::DataGrid::BeforeDelete, this, &schedule_frm::Sch_Grid_BeforeDelete);
    connect(Sch_Grid, &platform::db::DataGrid::AfterUpdate, this, &schedule_frm::Sch_Grid_AfterUpdate);
    schedule::keepTypedRemindNormalised(*Sch_Grid);
    connect(Sch_Grid, &platform::db::DataGrid::AfterDelete, this, &schedule_frm::Sch_Grid_AfterDelete);
}

schedule_frm::~schedule_frm() = default;

void schedule_frm::Form_Load() {
    DeleteConfirmed = false;
}

void schedule_frm::Form_Activate() {
    raise();
    platform::Environment& env = registry().env();
    const QString source = schedule::oneDayStatement(program().shared.SelectedDate);
    QPointer<schedule_frm> self(this);
    const bool bound = runReportingFailure(env.dialogs, [&] {
        schedule::bindScheduleData(*Sch_Data, *Sch_Grid, source, QStringLiteral("Schedule_Time"),
                                   env.programFolder);
        schedule::layOutGridColumns(*Sch_Grid, OneDayColumns);
    });
    if (!self)
        return;
    // A day that could not be read shows no rows rather than another day's.
    Sch_Grid->setVisible(bound);
}

void schedule_frm::setDayCaption(const QString& caption) {
    Frame1->setTitle(caption);
}

void schedule_frm::showDeleteDayButton() {
    ClrSch->setVisible(true);
}

void schedule_frm::ClrSch_Click() {
    platform::Environment& env = registry().env();
    QPointer<schedule_frm> self(this);
    const auto outcome =
        schedule::runSetBasedDelete({ClrSchConnection, ClrSchCommand, ClrSchSql}, QStringLiteral("="),
                                    program().shared.SelectedDate, env.programFolder, env.dialogs, this);
    if (outcome == schedule::SetDeleteOutcome::Deleted)
        calendar_Module::LoadTodayAlarms(program());
    if (self)
        Form_Activate();
}

void schedule_frm::manage_sch_Click() {
    program().get<add_sch_frm>().Show();
}

void schedule_frm::Sch_Grid_BeforeDelete(qint16& Cancel) {
    schedule::applyBeforeDeleteRule(registry().env().dialogs, *this, DeleteConfirmed, Cancel);
}

// Today's reminders follow what is deleted or changed here.
void schedule_frm::Sch_Grid_AfterDelete() {
    calendar_Module::LoadTodayAlarms(program());
}

void schedule_frm::Sch_Grid_AfterUpdate() {
    if (auto* recordset = Sch_Data->Recordset())
        schedule::applyAfterEditRule(*recordset, DeleteConfirmed, program().env().dialogs);
    calendar_Module::LoadTodayAlarms(program());
}
