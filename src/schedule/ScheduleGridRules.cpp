#include "schedule/ScheduleGridRules.h"

#include "core/ErrorBox.h"
#include "core/Titles.h"
#include "platform/Environment.h"
#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "platform/db/Recordset.h"
#include "platform/db/RecordsetModel.h"

#include <QPointer>

namespace schedule {

bool askDeleteQuestion(platform::Dialogs& dialogs) {
    platform::MessageBoxRequest box;
    box.text = DeleteQuestion;
    box.buttons = platform::BoxButtons::OKCancel;
    box.icon = platform::BoxIcon::None;
    box.title = OrganiserTitle;
    return dialogs.messageBox(box) == platform::BoxAnswer::OK;
}

void applyBeforeDeleteRule(platform::Dialogs& dialogs, QObject& window, bool& DeleteConfirmed,
                           qint16& Cancel) {
    const QPointer<QObject> open(&window);
    const bool ok = askDeleteQuestion(dialogs);
    if (!open || !ok) {
        Cancel = 1;
        return;
    }
    DeleteConfirmed = true;
}

platform::Value normalisedRemind(const platform::Value& remind) {
    if (remind.isNull())
        return remind;
    // The column holds texts; a number from elsewhere is read as its digits.
    const QString upper = (remind.isText() ? remind.text() : QString::number(remind.number())).toUpper();
    if (upper == QLatin1String("YES") || upper == QLatin1String("NO"))
        return upper;
    return QStringLiteral("NO");
}

void keepTypedRemindNormalised(platform::db::DataGrid& grid) {
    QObject::connect(&grid, &platform::db::DataGrid::AfterColEdit, &grid, [&grid] {
        platform::db::Recordset* recordset = grid.recordsetModel()->recordset();
        const int column = recordset ? recordset->fieldIndex(QStringLiteral("Remind")) : -1;
        if (column < 0)
            return;
        const platform::Value remind = recordset->fieldValue(column);
        const platform::Value normal = normalisedRemind(remind);
        if (!(normal == remind))
            recordset->setFieldValue(column, normal);
    });
}

void applyAfterEditRule(platform::db::Recordset& recordset, bool& DeleteConfirmed,
                        platform::Dialogs& dialogs) {
    // Cleared first: a failure's box may outlive the window that owns the flag.
    const bool deletionConfirmed = DeleteConfirmed;
    DeleteConfirmed = false;
    if (!deletionConfirmed) {
        runReportingFailure(dialogs, [&] {
            const platform::Value remind = recordset.Fields(QStringLiteral("Remind")).Value();
            const platform::Value normal = normalisedRemind(remind);
            if (!(normal == remind))
                recordset.Update(QStringLiteral("Remind"), normal);
        });
    }
}

} // namespace schedule
