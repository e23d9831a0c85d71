#pragma once

#include <QString>
#include <span>

namespace platform {
class Dialogs;
}
namespace platform::db {
class Adodc;
class DataGrid;
class SqliteFile;
} // namespace platform::db

namespace schedule {

// The schedule table and the file that holds it.
inline const QString ScheduleTable = QStringLiteral("我的行程");
inline const QString ScheduleFileName = QStringLiteral("schedule.mdb");

QString scheduleDatabasePath(const QString& programFolder);

// The provider, the file as the data source (the folder, then "\schedule.mdb") and "Persist Security
// Info=False", separated by ";".
QString ScheduleConnectionString(const QString& programFolder);

// The six columns the one-day list shows.
inline const QString OneDayListColumns =
    QStringLiteral("Schedule_Date,Schedule_Time,Work,Remind,Message,Memo");

// The one-day query: the columns named (by default the one-day list's) of the rows whose date equals
// SelectedDate, the text of SelectedDate written between "#" marks exactly as it stands.
QString oneDayStatement(const QString& SelectedDate, const QString& columns = OneDayListColumns);

// Creates an empty schedule database when the folder has no schedule.mdb; an existing file is only checked,
// never changed. Throws Error when the file exists but is not a schedule database, or cannot be created.
void openOrCreateScheduleDatabase(const QString& programFolder);

// The index a file made by an older copy of the program lacks, added when the program writes to the file
// anyway (an upkeep for the data control and the delete connection).
void addDateIndex(const platform::db::SqliteFile& file);

// Binds a schedule window's data control and grid as every activation does: the database is made sure of,
// then connection string, command type 8, record source, the grid's data source, Refresh, and the sort.
// Throws Error; the control keeps its previous rows then.
void bindScheduleData(platform::db::Adodc& data, platform::db::DataGrid& grid, const QString& recordSource,
                      const QString& sortField, const QString& programFolder);

// A grid column's layout: width in twips, and whether it is centred (else the grid's default alignment).
struct GridColumnLayout {
    const char* field;
    int width;
    bool centred = false;
};

// Lays out the named columns of a bound grid. Throws Error (FieldNotFound) for a field the grid lacks.
void layOutGridColumns(platform::db::DataGrid& grid, std::span<const GridColumnLayout> columns);

} // namespace schedule
