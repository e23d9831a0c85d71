#pragma once

#include "platform/db/Connection.h"

#include <QDate>
#include <QGroupBox>
#include <memory>

class QComboBox;
class QPushButton;
class add_sch_frm;

// The manager's "Delete More" frame: every schedule dated before a picked day, deleted in one statement.
class DeleteMoreFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit DeleteMoreFrame(add_sch_frm& form);

    // "Delete More..." of the Manage frame: this frame shown, its pickers on today.
    void start();

    void ClrYear_Click();
    void ClrMonth_Click();
    void ClrYear_KeyPress(int& KeyAscii);
    void Confirm_Click();
    void ExitClr_Click();
    void ExitClear_Click();

    QComboBox* ClrYear;
    QComboBox* ClrMonth;
    QComboBox* ClrDate;
    QPushButton* Confirm;
    QPushButton* ExitClr;
    QPushButton* ExitClear;

    QDate ClrBeforeDate;
    std::unique_ptr<platform::db::Connection> ClrConnection;
    std::unique_ptr<platform::db::Command> ClrCommand;
    QString ClrSql;

private:
    void InitClrLists();
    void FillClrDate();

    add_sch_frm& form_;
};
