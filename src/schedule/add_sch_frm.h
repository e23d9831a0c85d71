#pragma once

#include "common/MonthTables.h"
#include "platform/db/Connection.h"
#include "core/ProgramForm.h"
#include "platform/values/Value.h"

#include <QDate>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QScrollBar;
namespace platform {
class Timer;
}
namespace platform::db {
class Adodc;
class BoundTextBox;
class DataGrid;
class Recordset;
} // namespace platform::db

// The schedule manager: every schedule in a grid, with the frame that edits the current one, the frame that
// adds new ones and the frame that deletes all before a date. Loaded hidden, it also hosts the record set
// today's alarm table is read from.
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
    void exit_Click();
    void cmd_exit_Click();
    void escape_cmd_Click();
    void Sch_Database_BeforeDelete(qint16& Cancel);
    void Sch_Database_AfterDelete();
    void Sch_Database_AfterUpdate();
    void Timer1_Timer();

    // The Manage frame: the edit boxes follow the current row through the hidden bound boxes.
    void txt_date_Change();
    void txt_time_Change();
    void WorkTxt_Change();
    void txt_remind_Change();
    void RemindMsg_Change();
    void MemoTxt_Change();
    void Text1_KeyPress(int& KeyAscii);
    void Text1_LostFocus();
    void Text2_LostFocus();
    void cmd_modify_Click();
    void cmd_cancelupdate_Click();
    void cmd_del_Click();

    // The New Schedule frame.
    void cmd_add_Click();
    void new_sch_Click();
    void remind_Click();
    void sch_year_Click();
    void sch_month_Click();
    void sch_date_Click();
    void sch_hour_Change();
    void txt_min_Change();
    void scroll_hour_Change();
    void scroll_min_Change();
    void sch_hour_KeyPress(int& KeyAscii);
    void txt_min_KeyPress(int& KeyAscii);
    void sch_year_KeyPress(int& KeyAscii);
    void sch_month_KeyPress(int& KeyAscii);
    void sch_date_KeyPress(int& KeyAscii);

    // The Delete More frame.
    void MoreClr_Click();
    void ClrYear_Click();
    void ClrMonth_Click();
    void ClrYear_KeyPress(int& KeyAscii);
    void Confirm_Click();
    void ExitClr_Click();
    void ExitClear_Click();

    Mode mode() const { return mode_; }
    // Shows the frame of a mode and enables the grid, "Sort" and the data control as that mode has them.
    void showMode(Mode mode);

    QGroupBox* Frame_DB;
    platform::db::DataGrid* Sch_Database;
    platform::db::Adodc* Sch_Data;
    QPushButton* cmd_sort;
    QLineEdit* txt_total;

    QGroupBox* Manage_frame;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QCheckBox* remind_chk;
    QLineEdit* Text5;
    QLineEdit* Text6;
    QPushButton* cmd_add;
    QPushButton* cmd_modify;
    QPushButton* cmd_cancelupdate;
    QPushButton* cmd_del;
    QPushButton* MoreClr;
    QPushButton* cmd_exit;

    QGroupBox* add_frame;
    QComboBox* sch_year;
    QComboBox* sch_month;
    QComboBox* sch_date;
    QGroupBox* Frame4;
    QLabel* lbl_today;
    QLabel* lbl_time;
    QGroupBox* Frame2;
    platform::db::BoundTextBox* txt_sch;
    QGroupBox* Frame5;
    QLineEdit* sch_AMFM;
    QLineEdit* sch_hour;
    QScrollBar* scroll_hour;
    QLineEdit* txt_min;
    QScrollBar* scroll_min;
    QCheckBox* remind;
    platform::db::BoundTextBox* remind_msg;
    QGroupBox* Frame3;
    platform::db::BoundTextBox* txt_memo;
    QPushButton* new_sch;
    QPushButton* exit;
    QPushButton* escape_cmd;

    QGroupBox* ClrFrame;
    QComboBox* ClrYear;
    QComboBox* ClrMonth;
    QComboBox* ClrDate;
    QPushButton* Confirm;
    QPushButton* ExitClr;
    QPushButton* ExitClear;

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
    QDate ClrBeforeDate;
    std::unique_ptr<platform::db::Connection> ClrConnection;
    std::unique_ptr<platform::db::Command> ClrCommand;
    QString ClrSql;

private:
    void buildTop();
    void buildManageFrame();
    void buildAddFrame();
    void buildClrFrame();
    void wireAddFrame();
    void wireClrFrame();
    void buildBoundBoxes();
    void FormatSchGrid();
    void FillSchDate();
    void InitClrLists();
    void FillClrDate();
    // Appends the days of SelMonth in SelYear (" 1" ..), February set by the leap rule; no day is picked.
    void appendDays(QComboBox* days);
    // The year items " 2003" to " 2100" and the month items of MonthAbbr, both pickers alike.
    void appendYearsAndMonths(QComboBox* years, QComboBox* monthItems);
    // A change of the hour or the minute box: its bar follows, the time text is rebuilt.
    void timeBoxChanged(QLineEdit* box, QScrollBar* bar);
    // "Y/M/D" of SelYear, SelMonth and the day, without leading zeros.
    QString pickedDateText(int day) const;
    // What is typed into the New Schedule frame for the pending new row, kept while the rows are read again.
    struct Entry {
        QString date, time, work, message, memo;
    };
    Entry typedEntry() const;
    // Starts a pending new row that holds the entry; the rows are never written into.
    void startEntryRow(const Entry& entry);
    // The boxes of the next entry: no time, no reminder.
    void clearForNextEntry();
    void writeCount();
    // The record set when it stands on a row that can be written, else null.
    platform::db::Recordset* currentRow() const;
    // One box for an entry a lost-focus check refuses, then the focus back on the box, its text selected.
    void refuseEntry(QLineEdit* box, const QString& message);
    bool storeColumn(platform::db::Recordset& recordset, const QString& field, const platform::Value& value);

    Mode mode_ = Mode::Manage;
};

namespace schedule {

// The organiser's start, and again after the manager's "Exit": the manager loaded, hidden, as it lives from
// start-up on, and today's alarm table read.
void loadManagerAndTodayAlarms(Program& program);

} // namespace schedule
