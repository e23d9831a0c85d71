#include "platform/ui/QtDialogs.h"
#include "platform/ui/DesignUnits.h"
#include "support/QStringPrinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString title, text, defaultButton;
    Qt::TextFormat format = Qt::AutoText;
    bool pressed = false;
};

} // namespace

TEST(QtDialogs, BoxesShowPlainTextWithTheirButtonsAndTheFirstAsDefault) {
    platform::QtDialogs dialogs(QStringLiteral("Quibbly"));
    struct Case {
        platform::BoxButtons buttons;
        QString press;
        platform::BoxAnswer answer;
        QString defaultButton;
    };
    const Case cases[] = {
        {platform::BoxButtons::OK, "OK", platform::BoxAnswer::OK, "OK"},
        {platform::BoxButtons::OKCancel, "Cancel", platform::BoxAnswer::Cancel, "OK"},
        {platform::BoxButtons::YesNo, "No", platform::BoxAnswer::No, "Yes"},
        {platform::BoxButtons::YesNo, "Yes", platform::BoxAnswer::Yes, "Yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.press.toStdString());
        auto seen = std::make_shared<SeenBox>();
        QTimer::singleShot(0, [seen, c] {
            // Whatever fails in here, the box closes: the test fails at once instead of at the run's
            // time-out.
            const auto closeTheBox = qScopeGuard([] {
                for (QWidget* window : QApplication::topLevelWidgets())
                    if (auto* open = qobject_cast<QMessageBox*>(window); open && open->isVisible())
                        open->reject();
            });
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->format = box->textFormat();
            if (box->defaultButton())
                seen->defaultButton = box->defaultButton()->text().remove(QLatin1Char('&'));
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == c.press) {
                    seen->pressed = true;
                    b->click();
                }
        });
        platform::MessageBoxRequest request;
        request.text = QStringLiteral("<b>not bold</b>");
        request.buttons = c.buttons;
        EXPECT_EQ(dialogs.messageBox(request), c.answer);
        EXPECT_TRUE(seen->pressed);
        EXPECT_EQ(seen->text, QStringLiteral("<b>not bold</b>"));
        EXPECT_EQ(seen->format, Qt::PlainText);
        EXPECT_EQ(seen->title, QStringLiteral("Quibbly"));
        EXPECT_EQ(seen->defaultButton, c.defaultButton);
    }
}

TEST(Fonts, ChineseTakesAnInstalledMingFaceAndLatinAProportionalSerif) {
    const QFont font = platform::mingFont(12);
    const QString chinese = QRawFont::fromFont(font, QFontDatabase::TraditionalChinese).familyName();
    EXPECT_TRUE(chinese.contains(QLatin1String("UMing")) || chinese.contains(QLatin1String("CJK")))
        << chinese.toStdString();
    // Fixed-pitch Latin letters would be as wide as "W" each: "il" must be narrower than "WW".
    const QFontMetrics metrics(font);
    EXPECT_LT(metrics.horizontalAdvance(QStringLiteral("il")),
              metrics.horizontalAdvance(QStringLiteral("WW")));
}
