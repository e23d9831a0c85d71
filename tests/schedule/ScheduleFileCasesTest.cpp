// What happens to the schedule file behind an open window: each case is judged against the file itself, by a
// plain sqlite3 query and, where nothing may change, by its sha256.
#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "platform/db/DbError.h"

#include "../platform/db/DbTestFiles.h"
#include "support/QStringPrinter.h"

#include <QCryptographicHash>
#include <QFile>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using platform::db::DbError;

QByteArray sha256(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

// The Work of each row, as sqlite3 reads the file.
QStringList plainWorks(const QString& path) {
    if (!QFile::exists(path))
        return {"(no file)"};
    QStringList works;
    for (const auto& [key, row] : dbtest::PlainFile(path).rows())
        works << row.section(' ', 2);
    return works;
}

// Marks a file or folder immutable, which stops root too: the file cannot be written, nor a file made in the
// folder. Lifted when it goes.
class Unwritable {
public:
    explicit Unwritable(const QString& path) : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY)) {
        int flags = 0;
        if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0 ||
            (flags |= FS_IMMUTABLE_FL, ::ioctl(fd_, FS_IOC_SETFLAGS, &flags)) != 0)
            reason_ = QStringLiteral("cannot make %1 immutable here: %2").arg(path, strerror(errno));
    }
    ~Unwritable() {
        int flags = 0;
        if (reason_.isEmpty() && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
    }
    QString reason() const { return reason_; }

private:
    int fd_;
    QString reason_;
};

struct Files {
    dbtest::ScheduleFolder folder;
    QTemporaryDir elsewhere;
    QString kept() const { return elsewhere.filePath("kept.mdb"); } // the original file, by a second name
};

enum class Protect { None, Folder, File };
enum class Write { None, Add, Update, Delete };

struct FileCase {
    const char* name;
    Protect protect;                       // before the window reads the file
    std::function<void(Files&)> meanwhile; // after it has read it
    Write write;
    std::optional<DbError::Kind> refusal;
    QStringList atPath; // what the file at the schedule's path then holds
    bool originalUnchanged;
};

void changeFirstRow(Files& f) {
    dbtest::PlainFile(f.folder.path()).exec("UPDATE \"我的行程\" SET Work = 'theirs' WHERE Work = 'a'");
}

const FileCase fileCases[] = {
    {"OpenedOnly", Protect::None, {}, Write::None, {}, {"'a'", "'b'"}, true},
    {"Deleted",
     Protect::None,
     [](Files& f) { QFile::remove(f.folder.path()); },
     Write::Add,
     DbError::Kind::FileMoved,
     {"(no file)"},
     true},
    {"Replaced",
     Protect::None,
     [](Files& f) {
         dbtest::ScheduleFolder other;
         other.add({}, {}, "other");
         ASSERT_EQ(::rename(QFile::encodeName(other.path()).constData(),
                            QFile::encodeName(f.folder.path()).constData()),
                   0);
     },
     Write::Update,
     DbError::Kind::FileMoved,
     {"'other'"},
     true},
    {"ChangedBySecondConnectionThenUpdated",
     Protect::None,
     changeFirstRow,
     Write::Update,
     DbError::Kind::RowChanged,
     {"'theirs'", "'b'"},
     false},
    {"ChangedBySecondConnectionThenDeleted",
     Protect::None,
     changeFirstRow,
     Write::Delete,
     DbError::Kind::RowChanged,
     {"'theirs'", "'b'"},
     false},
    {"ReadOnlyFolder", Protect::Folder, {}, Write::Add, DbError::Kind::ReadOnly, {"'a'", "'b'"}, true},
    {"ReadOnlyFile", Protect::File, {}, Write::Delete, DbError::Kind::ReadOnly, {"'a'", "'b'"}, true},
};

class ScheduleFile : public testing::TestWithParam<FileCase> {};

TEST_P(ScheduleFile, NothingIsWrittenAnywhereButIntoTheFileAsRead) {
    const FileCase& c = GetParam();
    Files files;
    files.folder.add({}, {}, "a");
    files.folder.add({}, {}, "b");
    // A file from an older copy, without the date index: opening it must not add one.
    dbtest::PlainFile(files.folder.path()).exec("DROP INDEX \"我的行程_Schedule_Date\"");
    ASSERT_EQ(::link(QFile::encodeName(files.folder.path()).constData(),
                     QFile::encodeName(files.kept()).constData()),
              0);
    const QByteArray before = sha256(files.kept());
    std::optional<Unwritable> protect;
    if (c.protect != Protect::None) {
        protect.emplace(c.protect == Protect::Folder ? files.folder.folder() : files.folder.path());
        if (!protect->reason().isEmpty())
            GTEST_SKIP() << protect->reason().toStdString();
    }
    {
        platform::db::Adodc data(common::systemDateTextRule());
        platform::db::DataGrid grid;
        schedule::bindScheduleData(data, grid, schedule::ScheduleTable, "Schedule_Date",
                                   files.folder.folder());
        auto& rs = *data.Recordset();
        ASSERT_EQ(rs.RecordCount(), 2);
        if (c.meanwhile)
            c.meanwhile(files);
        try {
            if (c.write == Write::Add) {
                rs.AddNew();
                rs.Fields("Work").setValue("mine");
                rs.Update();
            } else if (c.write == Write::Update) {
                rs.Update("Work", "mine");
            } else if (c.write == Write::Delete) {
                rs.Delete();
            }
            EXPECT_FALSE(c.refusal);
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), c.refusal) << e.what();
            if (c.protect == Protect::Folder) {
                EXPECT_TRUE(e.reason().contains(files.folder.folder())) << e.what();
            }
        }
    }
    protect.reset();
    EXPECT_EQ(plainWorks(files.folder.path()), c.atPath);
    EXPECT_EQ(plainWorks(files.kept()).size(), 2);
    if (c.originalUnchanged) {
        EXPECT_EQ(sha256(files.kept()), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleFile, testing::ValuesIn(fileCases),
                         [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

} // namespace
