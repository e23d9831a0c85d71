#pragma once

#include "common/MonthTables.h"
#include "core/ProgramForm.h"

#include <QDateTime>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class DeleteMoreFrame;
class ManageFrame;
class NewScheduleFrame;
namespace platform {
class Timer;
}
namespace platform::db {
class Adodc;
class BoundTextBox;
class DataGrid;
} // namespace platform::db

// The schedule manager: every schedule in a grid, and beside it one of its three frames: Manage edits the
// current schedule (ManageFrame.h), New Schedule adds new ones (NewScheduleFrame.h), Delete More deletes all
// before a date (DeleteMoreFrame.h). The form holds what the frames share: the grid and its data control,
// the boxes bound to the current row, and the year and month its pickers build dates from.
class add_sch_frm : public ProgramForm {
    Q_OBJECT
public:
    enum class Mode { Manage, Add, DeleteMore };

    explicit add_sch_frm(Program& program);
    ~add_sch_frm() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void cmd_sort_Click();
    void Sch_Database_BeforeDelete(qint16& Cancel);
    void Sch_Database_AfterDelete();
    void Sch_Database_AfterUpdate();
    void Timer1_Timer();

    Mode mode() const { return mode_; }
    // Shows the frame of a mode and enables the grid, "Sort" and the data control as that mode has them.
    void showMode(Mode mode);
    void FormatSchGrid();
    // "Total: n" under the grid.
    void writeCount();

    // Appends the days of SelMonth in SelYear (" 1" ..), February set by the leap rule; no day is picked.
    void appendDays(QComboBox* days);
    // The year items " 2003" to " 2100" and the month items of MonthAbbr, both pickers alike.
    void appendYearsAndMonths(QComboBox* years, QComboBox* monthItems);
    // "Y/M/D" of SelYear, SelMonth and the day, without leading zeros.
    QString pickedDateText(int day) const;

    QGroupBox* Frame_DB;
    platform::db::DataGrid* Sch_Database;
    platform::db::Adodc* Sch_Data;
    QPushButton* cmd_sort;
    QLineEdit* txt_total;

    ManageFrame* Manage_frame;
    NewScheduleFrame* add_frame;
    DeleteMoreFrame* ClrFrame;

    // Bound to the table's columns and kept out of view.
    platform::db::BoundTextBox* txt_date;
    platform::db::BoundTextBox* txt_time;
    platform::db::BoundTextBox* txt_remind;
    platform::db::BoundTextBox* WorkTxt;
    platform::db::BoundTextBox* RemindMsg;
    platform::db::BoundTextBox* MemoTxt;
    platform::db::BoundTextBox* txt_no;
    platform::db::BoundTextBox* no;
    QLabel* Label4;

    platform::Timer* Timer1;
    // A menu of the design that is never shown and does nothing.
    QMenu* manage_data;
    QAction* del_rec;

    bool DeleteConfirmed = false;
    // One pair for the whole window: the New Schedule and the Delete More pickers both write and read it.
    qint32 SelYear = 0;
    qint16 SelMonth = 1;
    common::MonthTables months;

private:
    void buildTop();
    void buildBoundBoxes();

    Mode mode_ = Mode::Manage;
};

namespace schedule {

// The organiser's start, and again after the manager's "Exit": the manager loaded, hidden, as it lives from
// start-up on, and today's alarm table read.
void loadManagerAndTodayAlarms(Program& program);

} // namespace schedule
