#include "DbTestFiles.h"

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

TEST(CrashSafety, AWriterKilledMidInsertsLeavesAnIntactFileWithEveryStoredRow) {
    dbtest::ScheduleFolder folder;
    QProcess child;
    child.start(QStringLiteral(QUIBBLY_TOOLS_DIR "/db_insert_child"), {folder.folder(), "1000000"});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (out.count('\n') < 300 && child.state() == QProcess::Running) {
        child.waitForReadyRead(10000);
        out += child.readAllStandardOutput();
    }
    ASSERT_EQ(child.state(), QProcess::Running) << child.readAllStandardError().toStdString();
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    out += child.readAllStandardOutput();

    std::set<qint64> reported;
    const QList<QByteArray> lines = out.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) // the last piece may be a half-written line
        reported.insert(lines[i].toLongLong());
    ASSERT_GE(reported.size(), 300u);

    EXPECT_EQ(integrityCheck(folder.path()), "ok");
    auto rs = folder.open();
    std::set<qint64> stored;
    for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
        stored.insert(rs->Fields("SchNo").Value().integer());
        EXPECT_TRUE(rs->Fields("Schedule_Date").Value().isDateTime());
    }
    for (const qint64 n : reported)
        EXPECT_TRUE(stored.count(n)) << "row " << n << " was reported stored but is missing";
    EXPECT_LE(stored.size(), reported.size() + 1);
}

} // namespace
