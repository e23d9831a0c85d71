#include "calendar/UserTime_frm.h"

#include "common/NumberText.h"
#include "core/Program.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "platform/ui/PictureButton.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QToolButton>

using platform::makeControl;

namespace {

const QString Morning = QStringLiteral("上午");
const QString Afternoon = QStringLiteral("下午");
const QString SaveReminder = QStringLiteral("更新設定時間後，記得要儲存設定喔！");
const QString SaveQuestion = QStringLiteral("是否儲存？");

constexpr int RowHeight = 270;

int rowTop(int Index) {
    return 360 + 480 * Index;
}

QScrollBar* rowScrollBar(QWidget* parent, int left, int top, int maximum) {
    auto* bar = makeControl<QScrollBar>(parent, left, top, 255, RowHeight, Qt::Vertical);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

QLabel* rowLabel(QWidget* parent, int left, int top, int width, const QString& caption) {
    auto* label = makeControl<QLabel>(parent, left, top, width, RowHeight, caption);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

UserTime_frm::UserTime_frm(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("Customer Daily Bell"));
    setWindowFlags(platform::fixedBorderFlags(false));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon_bell.png")));
    setFont(platform::mingFont(9));
    platform::setClientSizeTwips(this, 9345, 3375, true);
    buildDesign();
}

UserTime_frm::~UserTime_frm() = default;

void UserTime_frm::buildDesign() {
    Cmd_save = platform::makePictureButton(
        this, 120, 120, 375, 375, QStringLiteral(":/pictures/bell_save.png"), QStringLiteral("Save setting"));
    clr_user_time =
        platform::makePictureButton(this, 480, 120, 375, 375, QStringLiteral(":/pictures/bell_clear.png"),
                                    QStringLiteral("clear all item"));
    exit = platform::makePictureButton(this, 840, 120, 375, 375, QStringLiteral(":/pictures/bell_exit.png"),
                                       QStringLiteral("Exit"));
    Frame1 = makeControl<QGroupBox>(this, 120, 600, 9090, 2655, QStringLiteral("Please Set Time Bell"));
    for (int i = 0; i < bells::BellCount; ++i)
        buildRow(i);

    // Row by row: "Remind", hour, minute, message; then the three buttons.
    QWidget* previousStop = nullptr;
    for (int i = 0; i < bells::BellCount; ++i) {
        for (QWidget* stop : {static_cast<QWidget*>(Chk[i]), static_cast<QWidget*>(txt_hour[i]),
                              static_cast<QWidget*>(txt_minute[i]), static_cast<QWidget*>(txt_msg[i])}) {
            if (previousStop)
                setTabOrder(previousStop, stop);
            previousStop = stop;
        }
    }
    for (QWidget* stop : {Cmd_save, clr_user_time, exit}) {
        setTabOrder(previousStop, stop);
        previousStop = stop;
    }

    connect(Cmd_save, &QToolButton::clicked, this, &UserTime_frm::Cmd_save_Click);
    connect(clr_user_time, &QToolButton::clicked, this, &UserTime_frm::clr_user_time_Click);
    connect(exit, &QToolButton::clicked, this, &UserTime_frm::exit_Click);
}

void UserTime_frm::buildRow(int Index) {
    const int top = rowTop(Index);
    Chk[Index] = makeControl<QCheckBox>(Frame1, 120, top, 975, RowHeight, QStringLiteral("Remind"));
    txt_AM_FM[Index] = makeControl<QLineEdit>(Frame1, 1155, top, 600, RowHeight, Morning);
    txt_AM_FM[Index]->setReadOnly(true);
    txt_AM_FM[Index]->setFocusPolicy(Qt::ClickFocus);
    txt_hour[Index] = makeControl<QLineEdit>(Frame1, 1860, top, 495, RowHeight, QStringLiteral("0"));
    scroll_hour[Index] = rowScrollBar(Frame1, 2355, top, 23);
    lbl_hour[Index] = rowLabel(Frame1, 2700, top, 540, QStringLiteral("Hour"));
    txt_minute[Index] = makeControl<QLineEdit>(Frame1, 3300, top, 495, RowHeight, QStringLiteral("0"));
    scroll_min[Index] = rowScrollBar(Frame1, 3795, top, 59);
    Label1[Index] = rowLabel(Frame1, 4140, top, 690, QStringLiteral("Minute"));
    lbl_msg[Index] = rowLabel(Frame1, 4890, top, 1380, QStringLiteral("Remind Message"));
    txt_msg[Index] = makeControl<QLineEdit>(Frame1, 6300, top, 2670, RowHeight);
    txt_msg[Index]->setToolTip(QStringLiteral("請輸入報時之訊息"));

    connect(scroll_hour[Index], &QScrollBar::valueChanged, this,
            [this, Index] { scroll_hour_Change(Index); });
    connect(scroll_min[Index], &QScrollBar::valueChanged, this, [this, Index] { scroll_min_Change(Index); });
    connect(txt_hour[Index], &QLineEdit::textChanged, this, [this, Index] { txt_hour_Change(Index); });
    connect(txt_minute[Index], &QLineEdit::textChanged, this, [this, Index] { txt_minute_Change(Index); });
    platform::onKeyPress(txt_hour[Index],
                         [this, Index](int& KeyAscii) { txt_hour_KeyPress(Index, KeyAscii); });
    platform::onKeyPress(txt_minute[Index],
                         [this, Index](int& KeyAscii) { txt_minute_KeyPress(Index, KeyAscii); });
}

void UserTime_frm::Form_Load() {
    const auto& records = program().shared.user_time_rec;
    for (int i = 0; i < bells::BellCount; ++i) {
        // Each box takes its field through the field rules: a non-zero hour sets the AM/PM box anew.
        const bells::BellRecordFields fields = bells::readBellRecord(records[i]);
        if (fields.remind)
            Chk[i]->setChecked(*fields.remind);
        if (fields.ampm)
            txt_AM_FM[i]->setText(*fields.ampm);
        if (fields.hour)
            txt_hour[i]->setText(*fields.hour);
        if (fields.minute)
            txt_minute[i]->setText(*fields.minute);
        if (fields.message)
            txt_msg[i]->setText(*fields.message);
    }
}

void UserTime_frm::scroll_hour_Change(int Index) {
    const int hour = scroll_hour[Index]->value();
    txt_hour[Index]->setText(QString::number(hour));
    txt_AM_FM[Index]->setText(hour > 11 ? Afternoon : Morning);
}

void UserTime_frm::scroll_min_Change(int Index) {
    txt_minute[Index]->setText(QString::number(scroll_min[Index]->value()));
}

void UserTime_frm::txt_hour_Change(int Index) {
    numberBoxChange(txt_hour[Index], scroll_hour[Index]);
}

void UserTime_frm::txt_minute_Change(int Index) {
    numberBoxChange(txt_minute[Index], scroll_min[Index]);
}

void UserTime_frm::numberBoxChange(QLineEdit* box, QScrollBar* bar) {
    const int number = common::readNumber(box->text());
    // Below 0 (pasted text) is out of the bar's reach as well, and drops back the same way.
    if (number > bar->maximum() || number < bar->minimum()) {
        box->setFocus();
        box->setText(QStringLiteral("0"));
        return;
    }
    bar->setValue(number);
}

void UserTime_frm::txt_hour_KeyPress(int, int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

void UserTime_frm::txt_minute_KeyPress(int, int& KeyAscii) {
    platform::keepNumberKeys(KeyAscii);
}

void UserTime_frm::saveRecords() {
    auto& records = program().shared.user_time_rec;
    for (int i = 0; i < bells::BellCount; ++i) {
        records[i] = bells::buildBellRecord({Chk[i]->isChecked(), txt_AM_FM[i]->text(), txt_hour[i]->text(),
                                             txt_minute[i]->text(), txt_msg[i]->text()});
    }
}

void UserTime_frm::Cmd_save_Click() {
    saveRecords();
}

void UserTime_frm::clr_user_time_Click() {
    program().shared.user_time_rec.fill(QString());
    for (int i = 0; i < bells::BellCount; ++i) {
        Chk[i]->setChecked(false);
        txt_AM_FM[i]->setText(Morning);
        txt_hour[i]->setText(QStringLiteral("0"));
        txt_minute[i]->setText(QStringLiteral("0"));
        txt_msg[i]->clear();
    }
}

void UserTime_frm::exit_Click() {
    platform::Dialogs& dialogs = registry().env().dialogs;
    const QPointer<UserTime_frm> self(this);
    platform::MessageBoxRequest reminder;
    reminder.text = SaveReminder;
    dialogs.messageBox(reminder);
    // A window unloaded under a box has nothing left to save or close.
    if (!self || isUnloaded())
        return;
    platform::MessageBoxRequest question;
    question.text = SaveQuestion;
    question.buttons = platform::BoxButtons::YesNoCancel;
    const platform::BoxAnswer answer = dialogs.messageBox(question);
    if (!self || isUnloaded() || answer == platform::BoxAnswer::Cancel)
        return;
    if (answer == platform::BoxAnswer::Yes)
        saveRecords();
    Unload();
}
