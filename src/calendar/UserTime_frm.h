#pragma once

#include "calendar/DailyBellRecords.h"
#include "core/ProgramForm.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolButton;

// The daily-bell editor: one row per bell, its hour and minute boxes each driven by a small scroll bar and
// driving it back.
class UserTime_frm : public ProgramForm {
    Q_OBJECT
public:
    template <class T> using Rows = std::array<T*, bells::BellCount>;

    explicit UserTime_frm(Program& program);
    ~UserTime_frm() override;

    void Form_Load() override;
    void scroll_hour_Change(int Index);
    void scroll_min_Change(int Index);
    void txt_hour_Change(int Index);
    void txt_minute_Change(int Index);
    void txt_hour_KeyPress(int Index, int& KeyAscii);
    void txt_minute_KeyPress(int Index, int& KeyAscii);
    void Cmd_save_Click();
    void clr_user_time_Click();
    void exit_Click();

    QToolButton* Cmd_save;
    QToolButton* clr_user_time;
    QToolButton* exit;
    QGroupBox* Frame1;
    Rows<QCheckBox> Chk{};
    Rows<QLineEdit> txt_AM_FM{};
    Rows<QLineEdit> txt_hour{};
    Rows<QScrollBar> scroll_hour{};
    Rows<QLabel> lbl_hour{};
    Rows<QLineEdit> txt_minute{};
    Rows<QScrollBar> scroll_min{};
    Rows<QLabel> Label1{};
    Rows<QLabel> lbl_msg{};
    Rows<QLineEdit> txt_msg{};

private:
    void buildDesign();
    void buildRow(int Index);
    // The rule both number boxes follow: a number beyond what the bar takes drops back to "0".
    void numberBoxChange(QLineEdit* box, QScrollBar* bar);
    void saveRecords();
};
