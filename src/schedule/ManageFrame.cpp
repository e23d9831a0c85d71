#include "schedule/ManageFrame.h"

#include "common/DateRecognition.h"
#include "core/ErrorBox.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "schedule/DeleteMoreFrame.h"
#include "schedule/ManagerDesign.h"
#include "schedule/NewScheduleFrame.h"
#include "schedule/add_sch_frm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using platform::makeControl;
using namespace schedule::manager_design;

namespace {

// An empty box stores no value.
platform::Value textOrNull(const QLineEdit* box) {
    return box->text().isEmpty() ? platform::Value() : platform::Value(box->text());
}

} // namespace

ManageFrame::ManageFrame(add_sch_frm& form)
    : QGroupBox(QStringLiteral("Schedule Manage"), &form), form_(form) {
    platform::placeTwips(this, 120, 3240, 4935, 4695);
    styleFrame(this);
    auto entry = [this](int left, int top, int width) {
        auto* box = makeControl<QLineEdit>(this, left, top, width, 375);
        box->setFont(platform::mingFont(12));
        return box;
    };
    label(this, 240, 540, 600, 255, QStringLiteral("Date"));
    Text1 = entry(840, 480, 1575);
    label(this, 240, 1020, 600, 255, QStringLiteral("Time"));
    Text2 = entry(840, 960, 1575);
    label(this, 240, 1500, 960, 255, QStringLiteral("Schedule"));
    Text3 = entry(1200, 1440, 3495);
    label(this, 240, 1980, 960, 255, QStringLiteral("Remind"));
    remind_chk = makeControl<QCheckBox>(this, 1200, 1920, 3375, 375,
                                        QStringLiteral("(Check is remind, no check isn't remind）"));
    platform::setBackColor(remind_chk, Navy);
    platform::setForeColor(remind_chk, Yellow);
    label(this, 255, 2460, 1785, 255, QStringLiteral("Remind Message"));
    Text5 = entry(2040, 2400, 2655);
    label(this, 255, 2940, 705, 255, QStringLiteral("Memo"));
    Text6 = entry(960, 2880, 3735);

    cmd_add = makeControl<QPushButton>(this, 120, 3480, 1095, 495, QStringLiteral("Add"));
    cmd_modify = makeControl<QPushButton>(this, 1320, 3480, 1095, 495, QStringLiteral("Update"));
    cmd_cancelupdate = makeControl<QPushButton>(this, 2520, 3480, 1095, 495, QStringLiteral("Cancel Update"));
    cmd_del = makeControl<QPushButton>(this, 3720, 3480, 1080, 495, QStringLiteral("Delete"));
    MoreClr = makeControl<QPushButton>(this, 120, 4080, 2295, 375, QStringLiteral("Delete More..."));
    cmd_exit = makeControl<QPushButton>(this, 2520, 4080, 2295, 375, QStringLiteral("Exit"));
    keepWindowFont(this, form.font());

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
    connect(cmd_add, &QPushButton::clicked, this, &ManageFrame::cmd_add_Click);
    connect(cmd_modify, &QPushButton::clicked, this, &ManageFrame::cmd_modify_Click);
    connect(cmd_cancelupdate, &QPushButton::clicked, this, &ManageFrame::cmd_cancelupdate_Click);
    connect(cmd_del, &QPushButton::clicked, this, &ManageFrame::cmd_del_Click);
    connect(MoreClr, &QPushButton::clicked, this, &ManageFrame::MoreClr_Click);
    connect(cmd_exit, &QPushButton::clicked, this, &ManageFrame::cmd_exit_Click);
}

void ManageFrame::txt_date_Change() {
    Text1->setText(form_.txt_date->text());
}

void ManageFrame::txt_time_Change() {
    Text2->setText(form_.txt_time->text());
}

void ManageFrame::WorkTxt_Change() {
    Text3->setText(form_.WorkTxt->text());
}

void ManageFrame::txt_remind_Change() {
    remind_chk->setChecked(form_.txt_remind->text().toUpper() == QLatin1String("YES"));
}

void ManageFrame::RemindMsg_Change() {
    Text5->setText(form_.RemindMsg->text());
}

void ManageFrame::MemoTxt_Change() {
    Text6->setText(form_.MemoTxt->text());
}

void ManageFrame::Text1_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii, QLatin1StringView("/"));
}

void ManageFrame::refuseEntry(QLineEdit* box, const QString& message) {
    QPointer<ManageFrame> self(this);
    platform::warn(form_.program().env().dialogs, message, OrganiserTitle);
    if (!self)
        return;
    platform::returnFocus(box);
    box->setSelection(0, int(box->text().size()));
}

void ManageFrame::Text1_LostFocus() {
    if (!common::readsAsDateOrTime(Text1->text()))
        refuseEntry(Text1, QStringLiteral("The date is not correct! Please check it!"));
}

void ManageFrame::Text2_LostFocus() {
    if (Text2->text().isEmpty()) {
        // A schedule without a time carries no reminder.
        remind_chk->setChecked(false);
        Text5->setText(QString());
        return;
    }
    if (!common::readsAsDateOrTime(Text2->text()))
        refuseEntry(Text2, QStringLiteral("The time is not correct! Please check it!"));
}

void ManageFrame::cmd_add_Click() {
    form_.add_frame->startEntry();
}

void ManageFrame::MoreClr_Click() {
    form_.ClrFrame->start();
}

void ManageFrame::cmd_exit_Click() {
    Program& program = form_.program();
    form_.close();
    // The manager lives from start-up on: closed, it is loaded afresh, hidden. Today's alarms were read
    // again as it closed.
    program.get<add_sch_frm>();
}

platform::db::Recordset* ManageFrame::currentRow() const {
    auto* recordset = form_.Sch_Data->Recordset();
    if (!recordset || recordset->currentRowDeleted() ||
        recordset->editMode() == platform::db::Recordset::EditMode::Adding)
        return nullptr;
    const int row = recordset->AbsolutePosition();
    return row >= 0 && row < recordset->RecordCount() ? recordset : nullptr;
}

bool ManageFrame::storeColumn(platform::db::Recordset& recordset, const QString& field,
                              const platform::Value& value) {
    try {
        recordset.Update(field, value);
        return true;
    } catch (const platform::Error& error) {
        // The refused value stays out of the row, so the next move does not try to store it again.
        recordset.CancelUpdate();
        showError(form_.program().env().dialogs, error);
        return false;
    }
}

void ManageFrame::cmd_modify_Click() {
    platform::Dialogs& dialogs = form_.program().env().dialogs;
    platform::db::Recordset* recordset = currentRow();
    if (!recordset) {
        platform::warn(dialogs,
                       QStringLiteral("There is no schedule to update: choose one in the grid first."),
                       OrganiserTitle);
        return;
    }
    // What the user pointed at: this row and what the boxes show now.
    const qint64 key = recordset->rowKey(recordset->AbsolutePosition());
    const platform::Value date = textOrNull(Text1), time = textOrNull(Text2), work = textOrNull(Text3);
    const platform::Value message = platform::Value(Text5->text()), memo = textOrNull(Text6);
    // A refused column ends the update with its box; the columns stored before it stay stored.
    if (!storeColumn(*recordset, QStringLiteral("Schedule_Date"), date) ||
        !storeColumn(*recordset, QStringLiteral("Schedule_Time"), time) ||
        !storeColumn(*recordset, QStringLiteral("Work"), work))
        return;

    const QString stored = form_.txt_remind->text();
    if (stored != QLatin1String("YES") && stored != QLatin1String("NO")) {
        platform::MessageBoxRequest notice;
        notice.text = QStringLiteral("Remind checking is not correct, default setting is No!");
        notice.buttons = platform::BoxButtons::OKCancel;
        notice.title = OrganiserTitle;
        QPointer<ManageFrame> self(this);
        dialogs.messageBox(notice);
        if (!self)
            return;
        // While the notice was open the record set may have been re-read or moved: go back to the row.
        recordset = form_.Sch_Data->Recordset();
        const int row = recordset ? recordset->rowOfKey(key) : -1;
        if (row < 0) {
            platform::warn(
                dialogs,
                QStringLiteral("The schedule was deleted meanwhile; the rest of the update was not "
                               "stored."),
                OrganiserTitle);
            return;
        }
        if (!runReportingFailure(dialogs, [&] { recordset->setAbsolutePosition(row); }))
            return;
        form_.txt_remind->setText(QStringLiteral("NO"));
    }
    const platform::Value remindValue =
        remind_chk->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO");
    if (!storeColumn(*recordset, QStringLiteral("Remind"), remindValue) ||
        !storeColumn(*recordset, QStringLiteral("Message"), message) ||
        !storeColumn(*recordset, QStringLiteral("Memo"), memo))
        return;
    runReportingFailure(dialogs, [&] { recordset->Update(); });
}

void ManageFrame::cmd_cancelupdate_Click() {
    if (auto* recordset = form_.Sch_Data->Recordset())
        recordset->CancelUpdate();
}

void ManageFrame::cmd_del_Click() {
    // Past the last row, or on a row already deleted, there is nothing to delete.
    if (auto* recordset = currentRow())
        runReportingFailure(form_.program().env().dialogs, [&] { recordset->Delete(); });
    form_.writeCount();
}
