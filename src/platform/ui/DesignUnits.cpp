#include "platform/ui/DesignUnits.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <cmath>

namespace platform {
namespace {

double logicalDpi() {
    if (auto* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInch();
    return 96.0;
}

QColor systemColor(int index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 4:
        return palette.color(QPalette::Window); // menu
    case 6:
        return palette.color(QPalette::Shadow); // window frame
    case 7:
        return palette.color(QPalette::WindowText); // menu text
    // The caption texts have no role of their own. Designs use them as backgrounds of boxes with dark text,
    // so they take light colours that keep such text readable and differ from white.
    case 9:
        return palette.color(QPalette::Midlight); // caption text
    case 19:
        return QColor(0xD8, 0xE4, 0xF8); // inactive caption text
    case 20:
        return palette.color(QPalette::Light); // button highlight
    case 5:
        return palette.color(QPalette::Base); // window background
    case 8:
        return palette.color(QPalette::Text); // window text
    case 12:
        return QColor(0xAB, 0xAB, 0xAB); // application workspace
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button); // button face
    case 18:
        return palette.color(QPalette::ButtonText);
    case 16:
        return palette.color(QPalette::Mid); // button shadow
    case 17:
        return palette.color(QPalette::PlaceholderText); // grey text
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips * logicalDpi() / 1440.0));
}

int pixelsToTwips(int pixels) {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi()));
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QColor colorFromOle(quint32 ole) {
    if (ole & 0x80000000u)
        return systemColor(static_cast<int>(ole & 0xFFu));
    return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF);
}

QFont mingFont(double pointSize, bool bold, bool italic) {
    // Ask for the designed face first so a machine that has it uses it. Otherwise each character takes the
    // first face of the list that has it: Latin text a proportional serif like the Ming face's own Latin
    // letters (the Ming fonts here carry wide fixed-pitch ones that overflow the designed buttons), Chinese
    // text an installed Ming face.
    QFont font;
    font.setFamilies({QStringLiteral("新細明體"), QStringLiteral("PMingLiU"),
                      QStringLiteral("Liberation Serif"), QStringLiteral("AR PL UMing TW"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK TC"),
                      QStringLiteral("Noto Sans CJK TC")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace platform
