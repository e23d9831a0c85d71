#include "support/ScheduleFolder.h"

#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <set>
#include <signal.h>
#include <sqlite3.h>

namespace {

QString integrityCheck(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        result += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

// What the file's journal is for: a writer killed in the middle of a change has already written part of it
// into the file; the next opening undoes that part. Any of SQLite's journals (WAL or rollback) does this;
// without one the file keeps half a change.
TEST(CrashSafety, AWriterKilledMidChangeLeavesAnIntactFileWithExactlyItsFinishedRows) {
    dbtest::ScheduleFolder folder;
    QProcess child;
    child.start(QStringLiteral(QUIBBLY_TOOLS_DIR "/db_insert_child"), {folder.folder(), "300", "5000"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (!out.contains("PENDING\n") && child.state() == QProcess::Running && child.waitForReadyRead(30000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("PENDING\n")) << child.readAllStandardError().toStdString();
    ASSERT_GT(QFileInfo(folder.path()).size() + QFileInfo(folder.path() + "-wal").size(), 40 * 4096)
        << "the unfinished rows never reached the disk, so this proves nothing";
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());

    std::set<qint64> reported;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty() && line != "PENDING")
            reported.insert(line.toLongLong());
    ASSERT_EQ(reported.size(), 300u);

    EXPECT_EQ(integrityCheck(folder.path()), "ok");
    auto rs = folder.open();
    std::set<qint64> stored;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext())
        stored.insert(rs->Fields("SchNo").Value().integer());
    EXPECT_EQ(stored, reported) << stored.size() << " rows stored";
}

} // namespace
