// The calendar's day click: a day cell opens the one-day list of that day.

#include "calendar/calendar_frm.h"
#include "common/DateRecognition.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "platform/Environment.h"
#include "schedule/schedule_frm.h"

#include <QComboBox>
#include <QLineEdit>

void calendar_frm::txt_week_Click(int Index) {
    const QString day = txt_week[Index]->text();
    const QString month = QString::number(program().shared.CalendarMonth);
    const QString date =
        combo_year->currentText().trimmed().left(4) + QLatin1Char('/') + month + QLatin1Char('/') + day;
    // The year box takes typing; a year that is not one opens no list.
    if (!common::readsAsDateOrTime(date)) {
        platform::warn(program().env().dialogs,
                       QStringLiteral("The year \"%1\" is not correct! Please pick a year from the list.")
                           .arg(combo_year->currentText()),
                       OrganiserTitle);
        return;
    }
    // The click is in this window: it counts as the active one, so showing the list activates the list.
    program().formActivated(this);
    schedule_frm& list = program().get<schedule_frm>();
    list.setDayCaption(combo_year->currentText() + QLatin1Char('/') + month + QLatin1Char('/') + day +
                       QStringLiteral(" Schedule"));
    program().shared.SelectedDate = date;
    list.showDeleteDayButton();
    list.Show();
}
