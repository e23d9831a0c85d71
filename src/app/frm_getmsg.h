#pragma once

#include "core/ProgramForm.h"
#include "messaging/KnownHosts.h"
#include "messaging/MessageStore.h"
#include "platform/net/Winsock.h"
#include "platform/ui/Form.h"

#include <QIcon>
#include <QStringList>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
namespace platform {
class Timer;
}

// The main window: received messages, the hour-bell text, the menus, and the start-up and exit.
class frm_getmsg : public ProgramForm {
    Q_OBJECT
public:
    explicit frm_getmsg(Program& program);
    ~frm_getmsg() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void cmd_exit_Click();
    void exit_Click() { cmd_exit_Click(); }
    void new_msg_Click();
    void send_msg_Click() { new_msg_Click(); }
    void del_msg_Click() { clear_msg_Click(); }
    void del_all_Click() { clear_all_Click(); }
    void open_schedule_Click();
    void show_today_sch_Click();
    void about_Click();

    void Winsock_get_DataArrival(int bytesTotal);
    void previous_Click();
    void NextCmd_Click();
    void reply_cmd_Click();
    void clear_msg_Click();
    void clear_all_Click();
    void clear_txt_msg_Click();

    // Timer1: enabled exactly while the hourly chime is on.
    void setChimeTimerEnabled(bool enabled);
    // The text of txt_msg, the hour-bell line.
    void setHourBellLine(const QString& text);

    QToolButton* new_msg;
    QToolButton* reply_cmd;
    QToolButton* previous;
    QToolButton* NextCmd;
    QToolButton* clear_msg;
    QToolButton* clear_all;
    QGroupBox* Frame2;
    QPlainTextEdit* txt_get;
    QGroupBox* Frame3;
    QLineEdit* txt_msg;
    QPushButton* clear_txt_msg;
    QGroupBox* Frame1;
    QLabel* Label1;
    QLineEdit* MsgState;
    QPushButton* cmd_exit;

    QMenuBar* menuBar;
    QMenu* msg;
    QAction* send_msg;
    QAction* del_msg;
    QAction* del_all;
    QAction* exit;
    QMenu* calendar;
    QAction* open_schedule;
    QAction* show_today_sch;
    QMenu* discription;
    QAction* about;

    // Kept out of view: the message store with its display state.
    MessageStore messages;
    KnownHosts knownHosts;
    QIcon Picture1; // message waiting
    QIcon Picture2; // idle

    platform::Winsock Winsock_get;
    platform::Timer* sch_alarm_timer;
    platform::Timer* User_Timer;
    platform::Timer* Timer1;

    QString ShowTodayText;

private:
    void buildDesign();
    void buildMenus();
    void showStore();
    void showArrivalsOnceDrained();
    void readSettings();
    void openReceivingSocket();

    bool arrivalsToShow_ = false;
};
