#include "app/frm_getmsg.h"

#include "app/SettingsFile.h"
#include "app/about_frm.h"
#include "common/DateText.h"
#include "common/NumberText.h"
#include "core/DesignConstants.h"
#include "core/ErrorBox.h"
#include "core/OrganiserSide.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "messaging/DatagramKinds.h"
#include "messaging/Message_module.h"
#include "messaging/Receiver.h"
#include "messaging/frm_sendmsg.h"
#include "platform/ui/Design.h"
#include "platform/ui/PictureButton.h"
#include "platform/ui/Timer.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using platform::makeControl;

namespace {

const QString SubnetNotice = QStringLiteral("Please make sure your subnet mask is: 255.255.255.0");
const QString ExitQuestion =
    QStringLiteral("You can't receive message anymore, Calendar will close, relly exit?");

QToolButton* pictureButton(QWidget* parent, int index, const QString& picture, const QString& toolTip) {
    return platform::makePictureButton(parent, 120 + index * 435, 120, 375, 375, picture, toolTip);
}

} // namespace

frm_getmsg::frm_getmsg(Program& program)
    : ProgramForm(program), knownHosts(program.shared.TempList),
      Picture1(QStringLiteral(":/pictures/icon_waiting.png")),
      Picture2(QStringLiteral(":/pictures/icon_idle.png")),
      Winsock_get(program.env().network, program.env().host, this) {
    setWindowTitle(ProgramTitle);
    // Fixed single border; it starts minimised, so it keeps its minimise button.
    setWindowFlags(platform::fixedBorderFlags() | Qt::WindowMinimizeButtonHint);
    setWindowIcon(Picture2);
    setFont(platform::mingFont(9));
    buildDesign();
    buildMenus();

    // The organiser's timers: the main window carries them, the organiser does their work.
    OrganiserSide& organiser = program.organiser;
    sch_alarm_timer = new platform::Timer(500, true, this);
    User_Timer = new platform::Timer(1000, true, this);
    Timer1 = new platform::Timer(700, false, this);
    connect(sch_alarm_timer, &QTimer::timeout, this, [&organiser] { organiser.sch_alarm_timer_Timer(); });
    connect(User_Timer, &QTimer::timeout, this, [&organiser] { organiser.User_Timer_Timer(); });
    connect(Timer1, &QTimer::timeout, this, [&organiser] { organiser.Timer1_Timer(); });

    connect(&Winsock_get, &platform::Winsock::DataArrival, this, &frm_getmsg::Winsock_get_DataArrival);
    setWindowState(Qt::WindowMinimized);
}

frm_getmsg::~frm_getmsg() = default;

void frm_getmsg::buildDesign() {
    QWidget* client = platform::makeClientArea(this, 5760, 4800);

    new_msg =
        pictureButton(client, 0, QStringLiteral(":/pictures/new_msg.png"), QStringLiteral("send message"));
    reply_cmd =
        pictureButton(client, 1, QStringLiteral(":/pictures/reply.png"), QStringLiteral("reply message"));
    previous = pictureButton(client, 2, QStringLiteral(":/pictures/previous.png"),
                             QStringLiteral("previous message"));
    NextCmd = pictureButton(client, 3, QStringLiteral(":/pictures/next.png"), QStringLiteral("next message"));
    clear_msg =
        pictureButton(client, 4, QStringLiteral(":/pictures/delete.png"), QStringLiteral("delete message"));
    clear_all = pictureButton(client, 5, QStringLiteral(":/pictures/delete_all.png"),
                              QStringLiteral("delete all message"));
    previous->setEnabled(false);
    NextCmd->setEnabled(false);

    Frame2 = makeControl<QGroupBox>(client, 120, 600, 5520, 2220, MessageStore::EmptyCaption);
    txt_get = makeControl<QPlainTextEdit>(Frame2, 120, 300, 5280, 1800);
    txt_get->setReadOnly(true);
    txt_get->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Frame3 = makeControl<QGroupBox>(client, 120, 2880, 5520, 780, QStringLiteral("Hour Bell Message"));
    txt_msg = makeControl<QLineEdit>(Frame3, 120, 300, 4200, 360);
    txt_msg->setReadOnly(true);
    QPalette red = txt_msg->palette();
    red.setColor(QPalette::Text, platform::colorFromOle(design::Red));
    txt_msg->setPalette(red);
    clear_txt_msg = makeControl<QPushButton>(Frame3, 4440, 285, 960, 390, QStringLiteral("Clear"));

    Frame1 = makeControl<QGroupBox>(client, 120, 3720, 5520, 960, QStringLiteral("Message State"));
    Label1 = makeControl<QLabel>(Frame1, 120, 420, 1620, 300, QStringLiteral("Message / Total :"));
    MsgState = makeControl<QLineEdit>(Frame1, 1800, 360, 1800, 390);
    MsgState->setReadOnly(true);
    QFont bold = platform::mingFont(9, true);
    MsgState->setFont(bold);
    QPalette blue = MsgState->palette();
    blue.setColor(QPalette::Text, platform::colorFromOle(design::Blue));
    MsgState->setPalette(blue);
    cmd_exit = makeControl<QPushButton>(Frame1, 4200, 330, 1200, 450, QStringLiteral("EXIT"));

    connect(new_msg, &QToolButton::clicked, this, &frm_getmsg::new_msg_Click);
    connect(reply_cmd, &QToolButton::clicked, this, &frm_getmsg::reply_cmd_Click);
    connect(previous, &QToolButton::clicked, this, &frm_getmsg::previous_Click);
    connect(NextCmd, &QToolButton::clicked, this, &frm_getmsg::NextCmd_Click);
    connect(clear_msg, &QToolButton::clicked, this, &frm_getmsg::clear_msg_Click);
    connect(clear_all, &QToolButton::clicked, this, &frm_getmsg::clear_all_Click);
    connect(cmd_exit, &QPushButton::clicked, this, &frm_getmsg::cmd_exit_Click);
    connect(clear_txt_msg, &QPushButton::clicked, this, &frm_getmsg::clear_txt_msg_Click);
}

void frm_getmsg::buildMenus() {
    menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);
    auto item = [this](QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                       void (frm_getmsg::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    msg = menuBar->addMenu(QStringLiteral("Message"));
    send_msg = item(msg, QStringLiteral("Send Message"), QKeySequence(Qt::CTRL | Qt::Key_M),
                    &frm_getmsg::send_msg_Click);
    del_msg = item(msg, QStringLiteral("Delete Message"), QKeySequence(Qt::CTRL | Qt::Key_D),
                   &frm_getmsg::del_msg_Click);
    del_all = item(msg, QStringLiteral("Delete All Message"), QKeySequence(Qt::Key_F11),
                   &frm_getmsg::del_all_Click);
    exit = item(msg, QStringLiteral("Exit"), QKeySequence(Qt::Key_F12), &frm_getmsg::exit_Click);
    calendar = menuBar->addMenu(QStringLiteral("Calendar"));
    open_schedule = item(calendar, QStringLiteral("Open Calendar"), {}, &frm_getmsg::open_schedule_Click);
    show_today_sch = calendar->addAction(QStringLiteral("Show Today Schedule When Activate"));
    show_today_sch->setCheckable(true);
    show_today_sch->setChecked(true); // checked in the design
    // The toggle is the handler's: the action's own is undone before it runs.
    connect(show_today_sch, &QAction::triggered, this, [this](bool checked) {
        show_today_sch->setChecked(!checked);
        show_today_sch_Click();
    });
    discription = menuBar->addMenu(QStringLiteral("Description"));
    about = item(discription, QStringLiteral("About"), {}, &frm_getmsg::about_Click);
}

void frm_getmsg::Form_Load() {
    platform::Environment& env = registry().env();

    platform::MessageBoxRequest notice;
    notice.text = SubnetNotice;
    env.dialogs.messageBox(notice);

    // The store starts with no message shown (CurMsgIndex -1).
    program().organiser.LoadTodayAlarms();
    program().shared.HourBellMessage = QStringLiteral("Clock reminds you: Don't forget to do something!");
    program().shared.HourBellOn = false;

    readSettings();
    if (show_today_sch->isChecked()) {
        const QDate today = env.clock.now().date();
        program().shared.SelectedDate = common::shortDateText(today);
        program().organiser.showOneDayList(common::leadingBlankNumber(today.year()) + QLatin1Char('/') +
                                           common::leadingBlankNumber(today.month()) + QLatin1Char('/') +
                                           common::leadingBlankNumber(today.day()) +
                                           QStringLiteral(" Schedule"));
    }

    program().shared.BroadcastAddress =
        DatagramKinds::broadcastAddressFor(Winsock_get.LocalIP(), program().shared.BroadcastAddress);
    openReceivingSocket();
    Message_module::BroadcastHostQuery(program());
}

void frm_getmsg::readSettings() {
    // A missing or malformed file leaves the item as designed (checked); the next confirmed exit writes a
    // good one.
    const auto line = SettingsFile::readFirstLine(registry().env().programFolder);
    if (!line)
        return;
    ShowTodayText = *line;
    if (const auto checked = SettingsFile::truthValue(ShowTodayText))
        show_today_sch->setChecked(*checked);
}

void frm_getmsg::openReceivingSocket() {
    Winsock_get.Protocol = platform::Winsock::sckUDPProtocol;
    Winsock_get.LocalPort = DatagramKinds::ReceivePort;
    try {
        Winsock_get.Bind();
    } catch (const platform::Error& error) {
        showError(
            registry().env().dialogs,
            error.within(QStringLiteral("Messages cannot be received: %1 Is another copy of the program "
                                        "running on this computer? The rest of the program keeps working.")));
    }
}

void frm_getmsg::Form_Unload(bool& cancel) {
    cancel = true;
    cmd_exit_Click();
}

void frm_getmsg::cmd_exit_Click() {
    platform::Environment& env = registry().env();
    platform::MessageBoxRequest question;
    question.text = ExitQuestion;
    question.buttons = platform::BoxButtons::YesNo;
    question.title = OrganiserTitle;
    if (env.dialogs.messageBox(question) != platform::BoxAnswer::Yes)
        return;

    ShowTodayText = show_today_sch->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    try {
        SettingsFile::write(env.programFolder, ShowTodayText);
    } catch (const platform::Error& error) {
        showError(env.dialogs, error);
    }
    Message_module::BroadcastQuitNotice(program());
    env.processEnd.endProcess();
}

void frm_getmsg::new_msg_Click() {
    program().get<frm_sendmsg>().Show();
}

void frm_getmsg::open_schedule_Click() {
    program().organiser.openCalendar();
}

void frm_getmsg::show_today_sch_Click() {
    show_today_sch->setChecked(!show_today_sch->isChecked());
}

void frm_getmsg::about_Click() {
    program().get<about_frm>().Show();
}

void frm_getmsg::Winsock_get_DataArrival(int) {
    QString s;
    Winsock_get.GetData(s);
    const QString sender = Winsock_get.RemoteHostIP();
    switch (Receiver::take(s, sender, messages, knownHosts, registry().env().network.peers())) {
    case Receiver::Then::AnswerPresence:
        Message_module::BroadcastNeighborReply(program());
        break;
    case Receiver::Then::ShowMessages:
        showArrivalsOnceDrained();
        break;
    case Receiver::Then::Nothing:
        break;
    }
}

// A burst is shown once, when the socket has been drained, not redrawn for every message in it.
void frm_getmsg::showArrivalsOnceDrained() {
    if (arrivalsToShow_)
        return;
    arrivalsToShow_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            arrivalsToShow_ = false;
            showStore();
            if (isMinimized())
                setWindowState(windowState() & ~Qt::WindowMinimized);
        },
        Qt::QueuedConnection);
}

void frm_getmsg::previous_Click() {
    messages.previous();
    showStore();
}

void frm_getmsg::NextCmd_Click() {
    messages.next();
    showStore();
}

void frm_getmsg::reply_cmd_Click() {
    program().get<frm_sendmsg>().showReplyTo(messages.replyHost());
}

void frm_getmsg::clear_msg_Click() {
    messages.deleteOne();
    showStore();
}

void frm_getmsg::clear_all_Click() {
    messages.deleteAll();
    showStore();
}

// The window mirrors the store: caption, body, counter, browse buttons and icon.
void frm_getmsg::showStore() {
    Frame2->setTitle(messages.caption());
    const QString body = DatagramKinds::shownLineBreaks(messages.body());
    if (txt_get->toPlainText() != body)
        txt_get->setPlainText(body);
    MsgState->setText(messages.counter());
    previous->setEnabled(messages.browseEnabled());
    NextCmd->setEnabled(messages.browseEnabled());
    setWindowIcon(messages.waitingIcon() ? Picture1 : Picture2);
}

void frm_getmsg::clear_txt_msg_Click() {
    txt_msg->setText(QString());
}

void frm_getmsg::setChimeTimerEnabled(bool enabled) {
    Timer1->setEnabled(enabled);
}

void frm_getmsg::setHourBellLine(const QString& text) {
    txt_msg->setText(text);
    // The line is longer than its box: its start, the time, is what shows.
    txt_msg->setCursorPosition(0);
}
