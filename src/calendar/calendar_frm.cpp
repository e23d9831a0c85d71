#include "calendar/calendar_frm.h"

#include "calendar/HourChime.h"
#include "calendar/UserTime_frm.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/DesignConstants.h"
#include "core/Program.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "platform/ui/Picker.h"
#include "platform/ui/Timer.h"
#include "schedule/add_sch_frm.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace design;
using platform::makeControl;

namespace {

constexpr quint32 TodayColor = InactiveCaptionText;
// What a pick leaves on the last today cell.
constexpr quint32 PickedColor = CaptionText;

} // namespace

calendar_frm::calendar_frm(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("Calendar"));
    setWindowFlags(platform::fixedBorderFlags(false));
    platform::setBackColor(this, AppWorkspace);
    buildDesign();
    buildMenus();
    Timer1 = new platform::Timer(100, true, this);
    connect(Timer1, &QTimer::timeout, this, &calendar_frm::Timer1_Timer);
}

calendar_frm::~calendar_frm() = default;

void calendar_frm::buildDesign() {
    QWidget* client = platform::makeClientArea(this, 4695, 3615);

    Frame1 = makeControl<QGroupBox>(client, 120, 120, 4455, 3375, QStringLiteral("My Calendar"));
    platform::setBackColor(Frame1, AppWorkspace);
    platform::setForeColor(Frame1, Yellow);
    Frame1->setFont(platform::mingFont(12));

    auto combo = [this](int left, int width) {
        auto* box = makeControl<QComboBox>(Frame1, left, 360, width, 300);
        platform::makePicker(box, platform::PickerText::Typed);
        platform::setBackColor(box, WindowFrame);
        platform::setForeColor(box, WindowBackground);
        return box;
    };
    combo_year = combo(120, 1095);
    combo_month = combo(1200, 975);
    txt_time = makeControl<QLineEdit>(Frame1, 2175, 360, 1215, 300);
    txt_time->setAlignment(Qt::AlignCenter);
    // The longest reading, "AM 12:59:59", fits the box only at the window's default size.
    txt_time->setFont(platform::mingFont(9));
    platform::setBackColor(txt_time, MenuText);
    platform::setForeColor(txt_time, Menu);

    struct Header {
        QLabel** label;
        const char* text;
        quint32 back, fore;
    };
    const Header headers[] = {
        {&week7, "Sun", Red, HighlightedText}, {&week1, "Mon", DarkBlue, Menu},
        {&week2, "Tue", DarkBlue, Menu},       {&week3, "Wed", DarkBlue, Menu},
        {&week4, "Thu", DarkBlue, Menu},       {&week5, "Fri", DarkBlue, Menu},
        {&week6, "Sat", Red, White},
    };
    for (int k = 0; k < 7; ++k) {
        QLabel* header =
            makeControl<QLabel>(Frame1, 120 + 600 * k, 720, 615, 255, QString::fromLatin1(headers[k].text));
        header->setAlignment(Qt::AlignCenter);
        platform::setBackColor(header, headers[k].back);
        platform::setForeColor(header, headers[k].fore);
        *headers[k].label = header;
    }

    for (int i = 0; i < CellCount; ++i) {
        QLineEdit* cell = makeControl<QLineEdit>(Frame1, 120 + 600 * (i % 7), 960 + 360 * (i / 7), 615, 375);
        cell->setReadOnly(true);
        cell->setAlignment(Qt::AlignCenter);
        const bool weekend = i % 7 == 0 || i % 7 == 6;
        platform::setBackColor(cell, weekend ? White : ButtonHighlight);
        if (weekend)
            platform::setForeColor(cell, Red);
        platform::onClick(cell, [this, i] { txt_week_Click(i); });
        txt_week[i] = cell;
    }

    connect(combo_month, &QComboBox::activated, this, &calendar_frm::combo_month_Click);
    connect(combo_year, &QComboBox::activated, this, &calendar_frm::combo_year_Click);
}

void calendar_frm::buildMenus() {
    menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);
    my_work = menuBar->addMenu(QStringLiteral("Schedule"));
    manage_schedule = my_work->addAction(QStringLiteral("Schedule Manage"));
    exit = my_work->addAction(QStringLiteral("Exit"));
    alarm_time = menuBar->addMenu(QStringLiteral("Time Prompt"));
    alarm_full = alarm_time->addAction(QStringLiteral("Hour Bell"));
    alarm_full->setCheckable(true);
    alarm_msg = alarm_time->addAction(QStringLiteral("Hour Bell Message"));
    alarm_customer = alarm_time->addAction(QStringLiteral("Customer Bell"));
    // The handler decides the mark from the state before the choice: the action's own toggle is undone first.
    connect(alarm_full, &QAction::triggered, this, [this](bool checked) {
        alarm_full->setChecked(!checked);
        alarm_full_Click();
    });
    connect(alarm_msg, &QAction::triggered, this, &calendar_frm::alarm_msg_Click);
    connect(alarm_customer, &QAction::triggered, this, &calendar_frm::alarm_customer_Click);
    connect(manage_schedule, &QAction::triggered, this, &calendar_frm::manage_schedule_Click);
    connect(exit, &QAction::triggered, this, &calendar_frm::exit_Click);
}

void calendar_frm::Form_Load() {
    months.fill();
    const QDate today = registry().env().clock.now().date();
    program().shared.CalendarMonth = qint16(today.month());
    Show();
    for (int year = design::CalendarFirstYear; year <= design::LastYear; ++year)
        combo_year->addItem(common::leadingBlankNumber(year));
    for (const QString& month : months.MonthAbbr)
        combo_month->addItem(month);
    platform::showWithoutPick(combo_year, common::leadingBlankNumber(today.year()));
    platform::showWithoutPick(combo_month, months.MonthAbbr[today.month() - 1]);
    SelYear = today.year();
    SelMonth = qint16(today.month());
    DrawMonth();
}

void calendar_frm::showWithHourBell(bool on) {
    alarm_full->setChecked(on);
    alarm_msg->setEnabled(true);
    Show();
}

void calendar_frm::Form_Unload(bool&) {
    program().shared.HourBellOn = alarm_full->isChecked();
}

void calendar_frm::setCellBackground(int Index, quint32 ole) {
    platform::setBackColor(txt_week[Index], ole);
}

void calendar_frm::DrawMonth() {
    start = common::ComputeMonthStart(months.DaysInMonth, SelYear, SelMonth);
    const int first = start.FirstWeekday;
    const int length = months.DaysInMonth[SelMonth - 1];
    for (int i = 0; i < first; ++i)
        txt_week[i]->setVisible(false);
    for (int i = first + length; i < CellCount; ++i)
        txt_week[i]->setVisible(false);
    // Colours are never reset here: a cell keeps its colour until it is painted again.
    const QString today = QString::number(registry().env().clock.now().date().day());
    for (int day = 1; day <= length; ++day) {
        const int i = first + day - 1;
        txt_week[i]->setVisible(true);
        txt_week[i]->setText(QString::number(day));
        if (txt_week[i]->text() == today) {
            setCellBackground(i, TodayColor);
            TodayCell = qint16(i);
        }
    }
}

void calendar_frm::combo_month_Click() {
    SelMonth = qint16(combo_month->currentIndex() + 1);
    program().shared.CalendarMonth = SelMonth;
    setCellBackground(TodayCell, PickedColor);
    DrawMonth();
}

void calendar_frm::combo_year_Click() {
    SelYear = common::readNumber(combo_year->currentText());
    setCellBackground(TodayCell, PickedColor);
    DrawMonth();
}

void calendar_frm::Timer1_Timer() {
    txt_time->setText(common::clockText(registry().env().clock.now().time()));
}

void calendar_frm::manage_schedule_Click() {
    program().get<add_sch_frm>().Show();
}

void calendar_frm::exit_Click() {
    close();
}

void calendar_frm::alarm_full_Click() {
    HourChime::alarm_full_Click(program(), alarm_full, alarm_msg);
}

void calendar_frm::alarm_msg_Click() {
    HourChime::alarm_msg_Click(program());
}

void calendar_frm::alarm_customer_Click() {
    program().get<UserTime_frm>().Show();
}
