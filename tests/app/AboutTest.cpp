#include "app/about_frm.h"
#include "app/frm_getmsg.h"
#include "support/ProgramFixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>

using namespace testsupport;

class About : public ProgramFixture {};

TEST_F(About, OneInstanceFilledOnEveryLoading) {
    frm_getmsg& main = startMainWindow();
    main.about->trigger();
    ASSERT_TRUE(program->isLoaded<about_frm>());
    about_frm& box = *program->find<about_frm>();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Memorell"));
    EXPECT_EQ(box.Label1->text(), QStringLiteral("Memorell v1.0"));
    EXPECT_EQ(box.Picture1->pixmap().size(), QSize(72, 72));
    EXPECT_EQ(box.Background->pixmap().size(), QSize(610, 160));
    EXPECT_FALSE(box.about_frame->title().contains(QLatin1Char(' ')));

    const QStringList lines = about_frm::termsText().split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_FALSE(lines[0].isEmpty());
    EXPECT_EQ(lines[1], QString(103, QLatin1Char('-')));
    for (int i = 2; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(QStringLiteral("%1. ").arg(i - 1))) << lines[i].toStdString();
    EXPECT_FALSE(about_frm::termsText().contains(QRegularExpression("[^\r]\n")));
    EXPECT_EQ(box.about_txt->toPlainText().split(QLatin1Char('\n')).size(), lines.size());

    main.about->trigger();
    EXPECT_EQ(program->find<about_frm>(), &box);
    box.about_txt->setPlainText("changed");
    box.close();
    EXPECT_FALSE(program->isLoaded<about_frm>());
    main.about->trigger();
    EXPECT_EQ(program->find<about_frm>()->about_txt->toPlainText().split(QLatin1Char('\n')).size(),
              lines.size());
}
