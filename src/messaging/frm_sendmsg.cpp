#include "messaging/frm_sendmsg.h"

#include "common/DateText.h"
#include "core/ErrorBox.h"
#include "core/Program.h"
#include "core/Titles.h"
#include "messaging/DatagramKinds.h"
#include "messaging/Message_module.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/Design.h"
#include "platform/ui/OptionButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using platform::makeControl;

frm_sendmsg::frm_sendmsg(Program& program)
    : ProgramForm(program), Winsock_send(program.env().network, program.env().host, this) {
    setWindowTitle(ProgramTitle);
    platform::setClientSizeTwips(this, 5655, 4215, false);
    setFont(platform::mingFont(9));

    Frame1 = makeControl<QGroupBox>(this, 240, 1080, 5175, 2295, QStringLiteral("Message"));
    Frame3 = makeControl<QGroupBox>(this, 240, 240, 3375, 735, QStringLiteral("Send to"));
    Label1 = makeControl<QLabel>(Frame3, 120, 285, 375, 255, QStringLiteral("User"));
    send_ip = makeControl<QComboBox>(Frame3, 600, 240, 1695, 315);
    send_ip->setEditable(true);
    send_ip->setInsertPolicy(QComboBox::NoInsert);
    Group_opt = makeControl<platform::OptionButton>(Frame3, 2400, 200, 855, 375, QStringLiteral("Group"));
    sendtxt = makeControl<QPlainTextEdit>(this, 360, 1320, 4935, 1935);
    sendtxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sendtxt->setTabChangesFocus(true);
    sendtxt->raise();
    send_cmd = makeControl<QPushButton>(this, 240, 3600, 1335, 375, QStringLiteral("Send"));

    send_ip->setFocus();

    platform::onGotFocus(send_ip, [this] { send_ip_GotFocus(); });
    platform::onGotFocus(Group_opt, [this] { Group_opt_GotFocus(); });
    connect(send_cmd, &QPushButton::clicked, this, &frm_sendmsg::send_cmd_Click);
}

void frm_sendmsg::Form_Activate() {
    // Each activation lists the known hosts afresh, so each appears once; the recipient typed stays.
    const QString recipient = send_ip->currentText();
    send_ip->clear();
    send_ip->addItems(program().shared.TempList);
    send_ip->setEditText(recipient);
}

void frm_sendmsg::send_ip_GotFocus() {
    Group_opt->setChecked(false);
}

void frm_sendmsg::Group_opt_GotFocus() {
    send_ip->setEditText(QString());
    Group_opt->setChecked(true);
}

void frm_sendmsg::showReplyTo(const QString& host) {
    Show();
    send_ip->setEditText(host);
}

void frm_sendmsg::send_cmd_Click() {
    const QString typed = sendtxt->toPlainText();
    const bool group = Group_opt->isChecked();
    const QString destination = group ? program().shared.BroadcastAddress : send_ip->currentText();
    if (destination.isEmpty()) {
        sendFailed(
            platform::Error(group ? QStringLiteral("The broadcast address of this computer is not known, so "
                                                   "nothing can be sent to Group.")
                                  : QStringLiteral("Type the host name of the recipient, or choose Group.")),
            typed);
        return;
    }
    // The three datagrams go all or none: whatever can be known to fail is known before the first leaves.
    const QString host = Winsock_send.LocalHostName();
    const QString time = common::timeOfDayText(registry().env().clock.now().time());
    const QStringList datagrams = {DatagramKinds::headerText(host, time), DatagramKinds::replyHostText(host),
                                   DatagramKinds::bodyText(host, DatagramKinds::wireLineBreaks(typed))};
    try {
        for (const QString& datagram : datagrams)
            platform::Winsock::CheckFits(datagram);
    } catch (const platform::Error& error) {
        sendFailed(error, typed);
        return;
    }
    // The recipient's address may take the resolver a while: the window waits, unable to send twice, and
    // nothing else does.
    setSending(true);
    Winsock_send.RemoteHost = destination;
    Winsock_send.LookupRemoteHost(
        [this, datagrams, typed](const QString& address) { sendTo(address, datagrams, typed); },
        [this, typed](const platform::Error& error) {
            if (isUnloaded())
                return;
            setSending(false);
            sendFailed(error, typed);
        });
}

void frm_sendmsg::sendTo(const QString& address, const QStringList& datagrams, const QString& typed) {
    // Closed while the name was being looked up: the message went with the window.
    if (isUnloaded())
        return;
    setSending(false);
    try {
        Winsock_send.Protocol = platform::Winsock::sckUDPProtocol;
        Winsock_send.RemoteHost = address;
        Winsock_send.RemotePort = DatagramKinds::ReceivePort;
        Winsock_send.LocalPort = DatagramKinds::SendPort;
        Winsock_send.Bind();
        sendtxt->setPlainText(DatagramKinds::bodyText(Winsock_send.LocalHostName(), typed));
        for (const QString& datagram : datagrams)
            Winsock_send.SendData(datagram);
        Winsock_send.Close();
    } catch (const platform::Error& error) {
        Winsock_send.Close();
        sendFailed(error, typed);
        return;
    }
    Message_module::SendingWorks(program());
    Unload();
}

void frm_sendmsg::setSending(bool sending) {
    Frame3->setEnabled(!sending);
    sendtxt->setEnabled(!sending);
    send_cmd->setEnabled(!sending);
}

// Nothing typed is lost: the window stays open with the recipient and the text as they were.
void frm_sendmsg::sendFailed(const platform::Error& error, const QString& typed) {
    sendtxt->setPlainText(typed);
    showError(registry().env().dialogs, error.within(QStringLiteral("The message was not sent. %1")));
}
