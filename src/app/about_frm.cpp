#include "app/about_frm.h"

#include "platform/ui/DesignUnits.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

about_frm::about_frm(Program& program) : ProgramForm(program) {
    setWindowTitle(QStringLiteral("About Memorell"));
    setFixedSize(610, 420);
    Background = new QLabel(this);
    Background->setPixmap(QPixmap(QStringLiteral(":/pictures/about_background.png")));
    Background->setGeometry(0, 0, 610, 160);

    Picture1 = new QLabel(this);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/pictures/about_picture.png")));
    Picture1->setGeometry(24, 44, 72, 72);

    Label1 = new QLabel(QStringLiteral("Memorell v1.0"), this);
    Label1->setFont(platform::mingFont(20, true));
    Label1->setGeometry(120, 56, 460, 48);

    about_frame = new QGroupBox(QStringLiteral("Terms"), this);
    about_frame->setObjectName(QStringLiteral("about_frm"));
    about_frame->setGeometry(12, 168, 586, 240);
    about_txt = new QPlainTextEdit(about_frame);
    about_txt->setReadOnly(true);
    about_txt->setFont(platform::mingFont(8));
    about_txt->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The rule runs to the edge; a scroll bar for its last few pixels would only distract.
    about_txt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    about_txt->setGeometry(10, 24, 566, 204);
}

QString about_frm::termsText() {
    const QStringList lines = {
        QStringLiteral("Memorell v1.0 - terms of use"),
        QString(103, QLatin1Char('-')),
        QStringLiteral("1. The program is given free of charge, as it is, without any warranty."),
        QStringLiteral(
            "2. You use it at your own risk: no one is liable for lost data or a missed appointment."),
        QStringLiteral(
            "3. Messages cross your local network unencrypted: do not send anything confidential."),
        QStringLiteral("4. You may copy and pass on the program unchanged; you may not sell it."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void about_frm::Form_Load() {
    about_txt->setPlainText(termsText());
}
