#include "app/frm_getmsg.h"
#include "calendar/calendar_frm.h"
#include "platform/db/Adodc.h"
#include "platform/db/DataGrid.h"
#include "platform/ui/DesignUnits.h"
#include "platform/ui/Timer.h"
#include "schedule/add_sch_frm.h"
#include "schedule/schedule_frm.h"

#include "support/OrganiserFixture.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

using namespace testsupport;
using platform::BoxAnswer;

namespace {

class Calendar : public OrganiserFixture {
protected:
    calendar_frm& open() {
        running->organiser.openCalendar();
        return *program().find<calendar_frm>();
    }
    // A pick from the list: the item becomes the text, then the pick's handler runs.
    static void pick(QComboBox* combo, const QString& item) {
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void showMonth(calendar_frm& calendar, int year, int month) {
        pick(calendar.combo_year, QStringLiteral(" %1").arg(year));
        pick(calendar.combo_month, calendar.months.MonthAbbr[month - 1]);
    }
    static int cellOf(calendar_frm& calendar, const QString& day) {
        for (int i = 0; i < calendar_frm::CellCount; ++i) {
            if (calendar.txt_week[i]->isVisible() && calendar.txt_week[i]->text() == day)
                return i;
        }
        return -1;
    }
    static QColor background(calendar_frm& calendar, int cell) {
        return calendar.txt_week[cell]->palette().color(QPalette::Base);
    }
};

TEST_F(Calendar, DayCellsStartOnTheWeekdayOfTheFirst) {
    calendar_frm& calendar = open();
    struct Case {
        int year, month, firstCell, lastCell;
    };
    std::vector<Case> cases = {{2003, 3, 6, 36}, {2015, 2, 0, 27}};
    // Against an independent weekday rule.
    for (const int year : {1995, 2000, 2004, 2024, 2100}) {
        for (int month = 1; month <= 12; month += 1 + year % 3) {
            const QDate first(year, month, 1);
            cases.push_back(
                {year, month, first.dayOfWeek() % 7, first.dayOfWeek() % 7 + first.daysInMonth() - 1});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "/" << c.month);
        showMonth(calendar, c.year, c.month);
        for (int i = 0; i < calendar_frm::CellCount; ++i) {
            const bool shown = i >= c.firstCell && i <= c.lastCell;
            EXPECT_EQ(calendar.txt_week[i]->isVisible(), shown) << "cell " << i;
            if (shown) {
                EXPECT_EQ(calendar.txt_week[i]->text(), QString::number(i - c.firstCell + 1)) << "cell " << i;
            }
        }
    }
}

TEST_F(Calendar, TodayIsColouredAndAPickLeavesTheCaptionTextColourBehind) {
    const QColor today = platform::colorFromOle(0x80000013);
    const QColor picked = platform::colorFromOle(0x80000009);
    ASSERT_NE(picked, QColor(Qt::white));
    struct Case {
        QDate date;
        int mayCell;  // the cell of today in May 2003
        int juneCell; // the cell of the same day number in June 2003
    };
    const Case cases[] = {
        {QDate(2003, 5, 7), 10, 6}, // Wednesday; in June a Saturday
        {QDate(2003, 5, 3), 6, 2},  // Saturday column
        {QDate(2003, 5, 4), 7, 3},  // Sunday column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toString().toStdString());
        clock.set(QDateTime(c.date, QTime(9, 0)));
        if (auto* old = program().find<calendar_frm>())
            old->close();
        settle();
        calendar_frm& calendar = open();
        EXPECT_EQ(background(calendar, c.mayCell), today);
        EXPECT_EQ(calendar.TodayCell, c.mayCell);
        pick(calendar.combo_month, QStringLiteral("Jun"));
        EXPECT_EQ(background(calendar, c.juneCell), today);
        EXPECT_EQ(background(calendar, c.mayCell), picked);
        EXPECT_EQ(calendar.TodayCell, c.juneCell);
    }
}

TEST_F(Calendar, DayClickCaptionsTheListAndSetsSelectedDateWithoutTheYearsBlank) {
    add("2003/6/12", "9:30", "in June");
    calendar_frm& calendar = open();
    EXPECT_EQ(shared().CalendarMonth, 5);
    pick(calendar.combo_month, QStringLiteral("Jun"));
    EXPECT_EQ(shared().CalendarMonth, 6);
    QTest::mouseClick(calendar.txt_week[cellOf(calendar, "12")], Qt::LeftButton);

    schedule_frm* list = program().find<schedule_frm>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->Frame1->title(), QStringLiteral(" 2003/6/12 Schedule"));
    EXPECT_EQ(shared().SelectedDate, QStringLiteral("2003/6/12"));
    EXPECT_TRUE(list->ClrSch->isVisible());
    EXPECT_EQ(list->Sch_Grid->model()->rowCount(), 1);

    // A year pick keeps the month of the day click; a typed year goes into both texts as typed.
    pick(calendar.combo_year, QStringLiteral(" 2004"));
    EXPECT_EQ(shared().CalendarMonth, 6);
    calendar.combo_year->setEditText(QStringLiteral("2005"));
    QTest::mouseClick(calendar.txt_week[cellOf(calendar, "1")], Qt::LeftButton);
    EXPECT_EQ(list->Frame1->title(), QStringLiteral("2005/6/1 Schedule"));
    EXPECT_EQ(shared().SelectedDate, QStringLiteral("2005/6/1"));
    EXPECT_EQ(list->Sch_Grid->model()->rowCount(), 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(Calendar, TheListsGoOnFromTheEntryShownAndOnlyAPickRedraws) {
    calendar_frm& calendar = open();
    QApplication::setActiveWindow(&calendar);
    QTest::keyClick(calendar.combo_year, Qt::Key_Down); // the next year is a pick
    calendar.combo_month->setFocus();
    QTest::keyClick(calendar.combo_month, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(calendar.combo_month, "Jun\t"); // typed and left is no pick
    EXPECT_EQ(calendar.combo_year->currentText() + calendar.combo_month->currentText(), " 2004Jun");
    EXPECT_EQ(QString::number(calendar.SelYear) + "/" + QString::number(calendar.SelMonth), "2004/5");
}

TEST_F(Calendar, ATypedYearThatIsNoYearSaysSoAndOpensNoList) {
    calendar_frm& calendar = open();
    shared().SelectedDate = QStringLiteral("2003/5/7");
    calendar.combo_year->setEditText(QStringLiteral("abc"));
    dialogs.answerNext(BoxAnswer::OK);
    QTest::mouseClick(calendar.txt_week[cellOf(calendar, "12")], Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_TRUE(dialogs.shown()[0].request.text.contains(QStringLiteral("abc")));
    EXPECT_FALSE(program().isLoaded<schedule_frm>());
    EXPECT_EQ(shared().SelectedDate, QStringLiteral("2003/5/7"));
}

TEST_F(Calendar, MainWindowStartsTheOrganiserAndOpenCalendarCopiesHourBellOnWhichClosingSaves) {
    add("2003/5/7", "8:00", "today");
    dialogs.alwaysAnswer(QStringLiteral("Please make sure your subnet mask is: 255.255.255.0"),
                         BoxAnswer::OK);
    frm_getmsg& main = program().get<frm_getmsg>();
    // Without schedule.txt the start-up option stands checked: today's list opens; the manager is loaded
    // hidden.
    schedule_frm* list = program().find<schedule_frm>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->Frame1->title(), QStringLiteral(" 2003/ 5/ 7 Schedule"));
    EXPECT_EQ(list->Sch_Grid->model()->rowCount(), 1);
    EXPECT_FALSE(list->ClrSch->isVisible());
    ASSERT_TRUE(program().isLoaded<add_sch_frm>());
    EXPECT_FALSE(program().find<add_sch_frm>()->isVisible());

    main.open_schedule_Click();
    calendar_frm* calendar = program().find<calendar_frm>();
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_FALSE(calendar->alarm_full->isChecked());
    // "Hour Bell" switches the chime on, which outlives the calendar and comes back checked.
    dialogs.inputNext(QStringLiteral("Stand up"));
    calendar->alarm_full->trigger();
    EXPECT_TRUE(calendar->alarm_full->isChecked());
    EXPECT_TRUE(main.Timer1->isEnabled());
    pick(calendar->combo_month, QStringLiteral("Dec"));
    calendar->exit->trigger();
    settle();
    EXPECT_TRUE(shared().HourBellOn);
    EXPECT_FALSE(program().isLoaded<calendar_frm>());
    EXPECT_TRUE(main.Timer1->isEnabled());

    main.open_schedule_Click();
    calendar = program().find<calendar_frm>();
    EXPECT_TRUE(calendar->alarm_full->isChecked());
    EXPECT_EQ(calendar->combo_month->currentText(), QStringLiteral("May"));
    EXPECT_EQ(calendar->combo_year->currentText(), QStringLiteral(" 2003"));
    EXPECT_EQ(shared().CalendarMonth, 5);
}

} // namespace
