#pragma once

#include <QDateTime>
#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class add_sch_frm;
namespace platform::db {
class BoundTextBox;
}

// The manager's "New Schedule" frame: one new schedule after another, each a pending new row stored by
// "Join Schedule".
class NewScheduleFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit NewScheduleFrame(add_sch_frm& form);

    // The pickers at the form's loading: years, months and the days of today's month, today shown.
    void Form_Load();
    // "Add" of the Manage frame: this frame shown, a pending new row started on today's date.
    void startEntry();
    // The form's clock, Timer1: today's date and time in the "Today" frame.
    void showNow(const QDateTime& now);

    void new_sch_Click();
    void exit_Click();
    void escape_cmd_Click();
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

    // What is typed for the pending new row, kept while the rows are read again.
    struct Entry {
        QString date, time, work, message, memo;
    };
    Entry typedEntry() const;
    // Starts a pending new row that holds the entry; the rows are never written into.
    void startEntryRow(const Entry& entry);

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

private:
    void FillSchDate();
    // A change of the hour or the minute box: its bar follows, the time text is rebuilt.
    void timeBoxChanged(QLineEdit* box, QScrollBar* bar);
    // The boxes of the next entry: no time, no reminder.
    void clearForNextEntry();

    add_sch_frm& form_;
};
