#pragma once

#include "app/MainWindowLink.h"
#include "calendar/Organiser.h"
#include "support/FakeDatagramNetwork.h"
#include "support/FakeEnvironment.h"

#include "support/ScheduleFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>

namespace testsupport {

// The program with its real organiser on fake seams, in a fresh folder that holds an empty schedule
// database. The clock stands at 2003/5/7 09:04:59.
class OrganiserFixture : public ::testing::Test {
protected:
    OrganiserFixture() {
        env = std::make_unique<platform::Environment>(
            platform::Environment{clock, dialogs, host, processEnd, network, folder.folder()});
        running = std::make_unique<ProgramWithOrganiser>(*env, MainWindowLink::make);
    }
    ~OrganiserFixture() override {
        running.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Program& program() { return running->program; }
    common::SharedState& shared() { return running->program.shared; }
    // Shows a window and makes it the active one, so that its controls take the focus.
    template <class W> W& shown() {
        W& window = program().get<W>();
        window.Show();
        QApplication::setActiveWindow(&window);
        return window;
    }
    // A pick from a picker's list.
    static void pick(QComboBox* picker, int index) {
        picker->setCurrentIndex(index);
        emit picker->activated(index);
    }
    // A click on a cell of a grid's row, or with no column on the row's record selector.
    static void clickRow(QTableView* grid, int row, int column = -1) {
        QWidget* area = column < 0 ? grid->verticalHeader()->viewport() : grid->viewport();
        const QPoint cell = grid->visualRect(grid->model()->index(row, std::max(column, 0))).center();
        QTest::mouseClick(area, Qt::LeftButton, {}, column < 0 ? QPoint(area->width() / 2, cell.y()) : cell);
    }
    // Lets windows unloaded meanwhile be deleted, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    qint64 add(const platform::Value& date, const platform::Value& time, const QString& work,
               const platform::Value& remind = "NO", const platform::Value& message = {}) {
        return folder.add(date, time, work, remind, message);
    }
    // A column of the stored row with this SchNo, read afresh from the file.
    platform::Value stored(qint64 SchNo, const QString& field) {
        auto rs = folder.open();
        for (rs->MoveFirst(); !rs->IsEOF(); rs->MoveNext()) {
            if (qint64(rs->Fields("SchNo").Value().number()) == SchNo)
                return rs->Fields(field).Value();
        }
        ADD_FAILURE() << "no stored row " << SchNo;
        return {};
    }

    // A column of the row with this SchNo as the file holds it, read with SQLite itself.
    QString fileText(qint64 SchNo, const char* column) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(folder.path()).constData(), &db);
        const QByteArray sql =
            QByteArray("SELECT ") + column + " FROM 我的行程 WHERE SchNo = " + QByteArray::number(SchNo);
        QString text;
        sqlite3_exec(
            db, sql.constData(),
            [](void* out, int, char** v, char**) { return *static_cast<QString*>(out) = v[0], 0; }, &text,
            nullptr);
        sqlite3_close(db);
        return text;
    }

    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeHost host;
    RecordingProcessEnd processEnd;
    FakeDatagramNetwork network;
    dbtest::ScheduleFolder folder;
    std::unique_ptr<platform::Environment> env;
    std::unique_ptr<ProgramWithOrganiser> running;
};

} // namespace testsupport
