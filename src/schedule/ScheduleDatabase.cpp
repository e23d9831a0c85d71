#include "schedule/ScheduleDatabase.h"

#include "platform/Error.h"
#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "platform/db/SqliteFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <sqlite3.h>
#include <unistd.h>

namespace schedule {
namespace {

using platform::Error;

const QStringList scheduleColumns = {QStringLiteral("Schedule_Date"), QStringLiteral("Schedule_Time"),
                                     QStringLiteral("Work"),          QStringLiteral("Remind"),
                                     QStringLiteral("Message"),       QStringLiteral("Memo"),
                                     QStringLiteral("SchNo")};

// Dates and times are REAL day numbers (the DATETIME affinity is numeric). The journal undoes a change a
// crash cut short; in WAL mode, the one kept in the file, a reader (another copy of the program) and a writer
// do not wait for each other.
QByteArray schema() {
    return QStringLiteral("PRAGMA journal_mode=WAL;"
                          "CREATE TABLE \"%1\" ("
                          "Schedule_Date DATETIME, Schedule_Time DATETIME, Work TEXT, Remind TEXT,"
                          " Message TEXT, Memo TEXT, SchNo INTEGER PRIMARY KEY AUTOINCREMENT);")
        .arg(ScheduleTable)
        .toUtf8();
}

// One day's rows (the one-day list, today's alarm table) are found by their date without reading the table.
QString dateIndex() {
    return QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1_Schedule_Date\" ON \"%1\" (Schedule_Date)")
        .arg(ScheduleTable);
}

void checkScheduleFile(const QString& path) {
    const auto file = platform::db::SqliteFile::openExisting(path);
    const QStringList columns = file->columnsOf(ScheduleTable);
    for (const QString& needed : scheduleColumns) {
        if (!columns.contains(needed, Qt::CaseInsensitive))
            throw Error(
                Error::Kind::NotADatabase, path,
                QStringLiteral("the file is not a schedule database (no table \"%1\" with the field \"%2\")")
                    .arg(ScheduleTable, needed));
    }
}

// Built under a temporary name and linked into place only if no file has appeared meanwhile, so an existing
// file is never replaced and no half-made schedule.mdb is ever seen.
void createScheduleFile(const QString& path) {
    QTemporaryFile temporary(QFileInfo(path).absolutePath() + QStringLiteral("/.schedule-XXXXXX.mdb"));
    if (!temporary.open())
        throw Error(Error::Kind::EngineFailure, path,
                    QStringLiteral("the file cannot be created (%1)").arg(temporary.errorString()));
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(temporaryName.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, schema().constData(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, dateIndex().toUtf8().constData(), nullptr, nullptr, &message);
    const QString reason = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw Error(Error::Kind::EngineFailure, path,
                    QStringLiteral("the file cannot be created (%1)").arg(reason));
    if (::link(temporaryName.constData(), QFile::encodeName(path).constData()) != 0 && !QFile::exists(path))
        throw Error(Error::Kind::EngineFailure, path, QStringLiteral("the file cannot be created"));
}

} // namespace

void addDateIndex(const platform::db::SqliteFile& file) {
    try {
        file.prepare(dateIndex()).step();
    } catch (const Error&) {
        // The rows are found without it.
    }
}

QString scheduleDatabasePath(const QString& programFolder) {
    return QDir(programFolder).filePath(ScheduleFileName);
}

QString ScheduleConnectionString(const QString& programFolder) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + QStringLiteral("Data Source=") +
           programFolder + QStringLiteral("\\schedule.mdb;") + QStringLiteral("Persist Security Info=False");
}

QString oneDayStatement(const QString& SelectedDate, const QString& columns) {
    return QStringLiteral("select ") + columns + QStringLiteral(" from ") + ScheduleTable +
           QStringLiteral(" where Schedule_Date =#") + SelectedDate + QLatin1Char('#');
}

void openOrCreateScheduleDatabase(const QString& programFolder) {
    const QString path = scheduleDatabasePath(programFolder);
    if (!QFileInfo::exists(path))
        createScheduleFile(path);
    checkScheduleFile(path);
}

void bindScheduleData(platform::db::Adodc& data, platform::db::DataGrid& grid, const QString& recordSource,
                      const QString& sortField, const QString& programFolder) {
    openOrCreateScheduleDatabase(programFolder);
    data.setConnectionString(ScheduleConnectionString(programFolder));
    data.setUpkeep(addDateIndex);
    data.setCommandType(platform::db::Adodc::adCmdUnknown);
    data.setRecordSource(recordSource);
    grid.setDataSource(&data);
    data.Refresh();
    data.Recordset()->setSort(sortField);
}

void layOutGridColumns(platform::db::DataGrid& grid, std::span<const GridColumnLayout> columns) {
    for (const GridColumnLayout& column : columns) {
        auto layout = grid.Columns(QString::fromLatin1(column.field));
        layout.setWidth(column.width);
        layout.setAlignment(column.centred ? platform::db::ColumnAlignment::Center
                                           : platform::db::ColumnAlignment::General);
    }
}

} // namespace schedule
