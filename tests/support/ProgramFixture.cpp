#include "support/ProgramFixture.h"

#include "app/MainWindowLink.h"
#include "app/frm_getmsg.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace testsupport {

ProgramFixture::ProgramFixture() {
    network.ownAddress = QHostAddress(host.ip);
    env = std::make_unique<platform::Environment>(
        platform::Environment{clock, dialogs, host, processEnd, network, folder.path()});
    program = std::make_unique<Program>(*env, organiser, organiser, MainWindowLink::make);
}

ProgramFixture::~ProgramFixture() {
    endProgram();
}

void ProgramFixture::endProgram() {
    program.reset();
    // Windows unloaded during the test are deleted by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramFixture::restartProgram() {
    endProgram();
    program = std::make_unique<Program>(*env, organiser, organiser, MainWindowLink::make);
}

void ProgramFixture::writeSettings(const QByteArray& bytes) {
    QFile file(QDir(folder.path()).filePath(QStringLiteral("schedule.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ProgramFixture::readSettings() const {
    QFile file(QDir(folder.path()).filePath(QStringLiteral("schedule.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<no file>");
    return file.readAll();
}

frm_getmsg& ProgramFixture::startMainWindow() {
    dialogs.alwaysAnswer(SubnetNotice, platform::BoxAnswer::OK);
    frm_getmsg& window = program->get<frm_getmsg>();
    window.Show();
    network.deliverPending();
    return window;
}

void ProgramFixture::arrive(const QString& text, const QString& from) {
    network.injectText(7777, text, QHostAddress(from));
    network.deliverPending();
    // The window shows what arrived once the receiver has drained its socket.
    QCoreApplication::processEvents();
}

} // namespace testsupport
