#pragma once

#include "core/ProgramForm.h"
#include "platform/net/Winsock.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
namespace platform {
class OptionButton;
}

// The compose window. It also carries the sending socket the presence broadcasts use.
class frm_sendmsg : public ProgramForm {
    Q_OBJECT
public:
    explicit frm_sendmsg(Program& program);

    void Form_Activate() override;
    void send_ip_GotFocus();
    void Group_opt_GotFocus();
    void send_cmd_Click();
    // Shows the window with the host a reply goes to in the host box.
    void showReplyTo(const QString& host);

    QGroupBox* Frame3;
    QLabel* Label1;
    QComboBox* send_ip;
    platform::OptionButton* Group_opt;
    QGroupBox* Frame1;
    QPlainTextEdit* sendtxt;
    QPushButton* send_cmd;
    platform::Winsock Winsock_send;

private:
    void sendTo(const QString& address, const QStringList& datagrams, const QString& typed);
    void setSending(bool sending);
    void sendFailed(const platform::Error& error, const QString& typed);
};
