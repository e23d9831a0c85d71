#include "schedule/SetBasedDelete.h"

#include "common/DateText.h"
#include "core/ErrorBox.h"
#include "schedule/ScheduleDatabase.h"
#include "schedule/ScheduleGridRules.h"

#include <QPointer>

namespace schedule {

SetDeleteOutcome runSetBasedDelete(SetDeleteObjects objects, const QString& comparison,
                                   const QString& SelectedDate, const QString& programFolder,
                                   platform::Dialogs& dialogs, QObject* window) {
    using namespace platform::db;
    if (!objects.connection)
        objects.connection = std::make_unique<Connection>(common::systemDateTextRule());
    if (!objects.command)
        objects.command = std::make_unique<Command>();
    Connection& connection = *objects.connection;
    connection.setConnectionString(ScheduleConnectionString(programFolder));
    connection.setCursorLocation(CursorLocation::Client);
    connection.setUpkeep(addDateIndex);
    const QPointer<QObject> open(window);
    const bool ok = askDeleteQuestion(dialogs);
    if (!ok || (window && !open))
        return SetDeleteOutcome::Cancelled;
    try {
        connection.Open(QString(), QString(), -1);
        objects.sql = QStringLiteral("delete from ") + ScheduleTable +
                      QStringLiteral(" where Schedule_Date ") + comparison + QLatin1Char('#') + SelectedDate +
                      QLatin1Char('#');
        objects.command->setActiveConnection(&connection);
        objects.command->setCommandText(objects.sql);
        objects.command->Execute();
        connection.Close();
    } catch (const platform::Error& error) {
        connection.Close();
        showError(dialogs, error);
        return SetDeleteOutcome::Failed;
    }
    return SetDeleteOutcome::Deleted;
}

} // namespace schedule
