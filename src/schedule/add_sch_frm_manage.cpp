// The manager's "Schedule Manage" frame: edit boxes that follow the current row, their entry checks, and
// "Update", "Cancel Update" and "Delete" on that row.

#include "common/DateRecognition.h"
#include "platform/db/Adodc.h"
#include "platform/db/BoundTextBox.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/FormRegistry.h"
#include "schedule/DatabaseErrorBox.h"
#include "schedule/OrganiserWindows.h"
#include "schedule/add_sch_frm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>

namespace {

// An empty box stores no value.
platform::Value textOrNull(const QLineEdit* box) {
    return box->text().isEmpty() ? platform::Value() : platform::Value(box->text());
}

} // namespace

void add_sch_frm::txt_date_Change() {
    Text1->setText(txt_date->text());
}

void add_sch_frm::txt_time_Change() {
    Text2->setText(txt_time->text());
}

void add_sch_frm::WorkTxt_Change() {
    Text3->setText(WorkTxt->text());
}

void add_sch_frm::txt_remind_Change() {
    remind_chk->setChecked(txt_remind->text().toUpper() == QLatin1String("YES"));
}

void add_sch_frm::RemindMsg_Change() {
    Text5->setText(RemindMsg->text());
}

void add_sch_frm::MemoTxt_Change() {
    Text6->setText(MemoTxt->text());
}

void add_sch_frm::Text1_KeyPress(int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii, QLatin1StringView("/"));
}

void add_sch_frm::refuseEntry(QLineEdit* box, const QString& message) {
    QPointer<add_sch_frm> self(this);
    platform::warn(registry().env().dialogs, message, schedule::OrganiserTitle);
    if (!self)
        return;
    platform::returnFocus(box);
    box->setSelection(0, int(box->text().size()));
}

void add_sch_frm::Text1_LostFocus() {
    if (!common::readsAsDateOrTime(Text1->text()))
        refuseEntry(Text1, QStringLiteral("The date is not correct! Please check it!"));
}

void add_sch_frm::Text2_LostFocus() {
    if (Text2->text().isEmpty()) {
        // A schedule without a time carries no reminder.
        remind_chk->setChecked(false);
        Text5->setText(QString());
        return;
    }
    if (!common::readsAsDateOrTime(Text2->text()))
        refuseEntry(Text2, QStringLiteral("The time is not correct! Please check it!"));
}

platform::db::Recordset* add_sch_frm::currentRow() const {
    auto* recordset = Sch_Data->Recordset();
    if (!recordset || recordset->currentRowDeleted() ||
        recordset->editMode() == platform::db::Recordset::EditMode::Adding)
        return nullptr;
    const int row = recordset->AbsolutePosition();
    return row >= 0 && row < recordset->RecordCount() ? recordset : nullptr;
}

bool add_sch_frm::storeColumn(platform::db::Recordset& recordset, const QString& field,
                              const platform::Value& value) {
    try {
        recordset.Update(field, value);
        return true;
    } catch (const platform::db::DbError& error) {
        // The refused value stays out of the row, so the next move does not try to store it again.
        recordset.CancelUpdate();
        schedule::showDatabaseError(registry().env().dialogs, error);
        return false;
    }
}

void add_sch_frm::cmd_modify_Click() {
    platform::Dialogs& dialogs = registry().env().dialogs;
    platform::db::Recordset* recordset = currentRow();
    if (!recordset) {
        platform::warn(dialogs,
                       QStringLiteral("There is no schedule to update: choose one in the grid first."),
                       schedule::OrganiserTitle);
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

    const QString stored = txt_remind->text();
    if (stored != QLatin1String("YES") && stored != QLatin1String("NO")) {
        platform::MessageBoxRequest notice;
        notice.text = QStringLiteral("Remind checking is not correct, default setting is No!");
        notice.buttons = platform::BoxButtons::OKCancel;
        notice.title = schedule::OrganiserTitle;
        QPointer<add_sch_frm> self(this);
        dialogs.messageBox(notice);
        if (!self)
            return;
        // While the notice was open the record set may have been re-read or moved: go back to the row.
        recordset = Sch_Data->Recordset();
        const int row = recordset ? recordset->rowOfKey(key) : -1;
        if (row < 0) {
            platform::warn(
                dialogs,
                QStringLiteral("The schedule was deleted meanwhile; the rest of the update was not "
                               "stored."),
                schedule::OrganiserTitle);
            return;
        }
        if (!schedule::runReportingFailure(dialogs, [&] { recordset->setAbsolutePosition(row); }))
            return;
        txt_remind->setText(QStringLiteral("NO"));
    }
    const platform::Value remindValue =
        remind_chk->isChecked() ? QStringLiteral("YES") : QStringLiteral("NO");
    if (!storeColumn(*recordset, QStringLiteral("Remind"), remindValue) ||
        !storeColumn(*recordset, QStringLiteral("Message"), message) ||
        !storeColumn(*recordset, QStringLiteral("Memo"), memo))
        return;
    schedule::runReportingFailure(dialogs, [&] { recordset->Update(); });
}

void add_sch_frm::cmd_cancelupdate_Click() {
    if (auto* recordset = Sch_Data->Recordset())
        recordset->CancelUpdate();
}

void add_sch_frm::cmd_del_Click() {
    // Past the last row, or on a row already deleted, there is nothing to delete.
    if (auto* recordset = currentRow())
        schedule::runReportingFailure(registry().env().dialogs, [&] { recordset->Delete(); });
    writeCount();
}
