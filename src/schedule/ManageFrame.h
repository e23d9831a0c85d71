#pragma once

#include "platform/values/Value.h"

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;
class add_sch_frm;
namespace platform::db {
class Recordset;
}

// The manager's "Schedule Manage" frame: edit boxes that follow the current row, their entry checks, and
// "Update", "Cancel Update" and "Delete" on that row; "Add" and "Delete More..." lead to the other frames.
class ManageFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ManageFrame(add_sch_frm& form);

    // The edit boxes follow the current row through the form's hidden bound boxes.
    void txt_date_Change();
    void txt_time_Change();
    void WorkTxt_Change();
    void txt_remind_Change();
    void RemindMsg_Change();
    void MemoTxt_Change();

    void Text1_KeyPress(int& KeyAscii);
    void Text1_LostFocus();
    void Text2_LostFocus();
    void cmd_add_Click();
    void cmd_modify_Click();
    void cmd_cancelupdate_Click();
    void cmd_del_Click();
    void MoreClr_Click();
    void cmd_exit_Click();

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

private:
    // The record set when it stands on a row that can be written, else null.
    platform::db::Recordset* currentRow() const;
    // One box for an entry a lost-focus check refuses, then the focus back on the box, its text selected.
    void refuseEntry(QLineEdit* box, const QString& message);
    bool storeColumn(platform::db::Recordset& recordset, const QString& field, const platform::Value& value);

    add_sch_frm& form_;
};
