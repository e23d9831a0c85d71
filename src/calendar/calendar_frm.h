#pragma once

#include "common/MonthTables.h"
#include "core/ProgramForm.h"

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
namespace platform {
class Timer;
}

// The month calendar: one month of day cells under the week-day headers; a click on a day opens the one-day
// list for it.
class calendar_frm : public ProgramForm {
    Q_OBJECT
public:
    static constexpr int CellCount = 37;

    explicit calendar_frm(Program& program);
    ~calendar_frm() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    // Shows the calendar with its "Hour Bell" item marked as the chime is, the message item enabled.
    void showWithHourBell(bool on);
    void combo_month_Click();
    void combo_year_Click();
    // A click on a day cell: the one-day list of that day (DayClick.cpp).
    void txt_week_Click(int Index);
    void Timer1_Timer();
    void manage_schedule_Click();
    void exit_Click();
    void alarm_full_Click();
    void alarm_msg_Click();
    void alarm_customer_Click();

    QGroupBox* Frame1;
    QComboBox* combo_year;
    QComboBox* combo_month;
    QLineEdit* txt_time;
    // The week-day headers, "Mon" (week1) to "Sat" (week6) and "Sun" (week7); Sunday stands first.
    QLabel* week1;
    QLabel* week2;
    QLabel* week3;
    QLabel* week4;
    QLabel* week5;
    QLabel* week6;
    QLabel* week7;
    std::array<QLineEdit*, CellCount> txt_week{};
    platform::Timer* Timer1;

    QMenuBar* menuBar;
    QMenu* my_work;
    QAction* manage_schedule;
    QAction* exit;
    QMenu* alarm_time;
    QAction* alarm_full;
    QAction* alarm_msg;
    QAction* alarm_customer;

    common::MonthTables months;
    qint32 SelYear = 0;
    qint16 SelMonth = 1;
    common::MonthStart start;
    qint16 TodayCell = 0;

private:
    void buildDesign();
    void buildMenus();
    void DrawMonth();
    void setCellBackground(int Index, quint32 ole);
};
