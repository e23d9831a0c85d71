// Draws every picture the program shows and writes them as PNG files into the folder given as argument.
// Build: g++ -std=c++20 -fPIC draw_pictures.cpp -o draw_pictures $(pkg-config --cflags --libs Qt6Gui)
// Run:   QT_QPA_PLATFORM=offscreen ./draw_pictures pictures

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>
#include <tuple>

namespace {

// One palette for all pictures, so the toolbar, the icons and the splash read as one program.
namespace Palette {
const QColor ink(0x33, 0x45, 0x5e);
const QColor paper(0xfd, 0xfe, 0xff);
const QColor paperShade(0xe3, 0xea, 0xf3);
const QColor blue(0x2f, 0x6f, 0xde);
const QColor blueDark(0x1d, 0x4c, 0xa6);
const QColor blueLight(0x6f, 0xa5, 0xf5);
const QColor green(0x2e, 0x9e, 0x4f);
const QColor greenDark(0x1f, 0x74, 0x38);
const QColor red(0xe0, 0x45, 0x3a);
const QColor redDark(0xa8, 0x2a, 0x22);
const QColor amber(0xf5, 0xa6, 0x23);
const QColor amberLight(0xff, 0xd8, 0x6b);
const QColor amberDark(0xb8, 0x6d, 0x0a);
const QColor slate(0x5b, 0x73, 0x94);
} // namespace Palette

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void beginPainting(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont sansFont(int pixelSize, QFont::Weight weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QPen outline(const QColor& colour, qreal width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// --- Shared motifs
// --------------------------------------------------------------------------------------------

// A closed envelope in the rectangle; the flap meets a little above the middle so it reads as closed at 16
// px.
void drawEnvelope(QPainter& p, const QRectF& r, const QColor& body, const QColor& flap, const QColor& line,
                  qreal lineWidth) {
    const qreal radius = r.height() * 0.08;
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, body);
    fill.setColorAt(1, body.darker(108));
    p.setPen(outline(line, lineWidth));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);

    QPainterPath flapPath;
    flapPath.moveTo(r.left() + lineWidth * 0.5, r.top() + lineWidth * 0.5);
    flapPath.lineTo(r.center().x(), r.top() + r.height() * 0.58);
    flapPath.lineTo(r.right() - lineWidth * 0.5, r.top() + lineWidth * 0.5);
    flapPath.closeSubpath();
    p.setBrush(flap);
    p.drawPath(flapPath);
}

// A round badge with a white symbol, used on the toolbar and on the waiting icon.
enum class BadgeSymbol { Plus, Cross, Exclamation, Check };

void drawBadge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour, const QColor& rim,
               BadgeSymbol symbol) {
    QRadialGradient fill(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    fill.setColorAt(0, colour.lighter(125));
    fill.setColorAt(1, colour);
    p.setPen(outline(rim, qMax(1.0, radius * 0.16)));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);

    const qreal arm = radius * 0.55;
    // Two whole pixels on the toolbar, so the symbol stays sharp at 1:1.
    const qreal stroke = radius < 8 ? 2.0 : radius * 0.32;
    QPen white(Qt::white, stroke, Qt::SolidLine, Qt::FlatCap);
    p.setPen(white);
    switch (symbol) {
    case BadgeSymbol::Plus:
        p.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
        p.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
        break;
    case BadgeSymbol::Cross: {
        const qreal d = arm * 0.9;
        p.setPen(QPen(Qt::white, stroke * 0.85, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
        p.drawLine(centre + QPointF(-d, d), centre + QPointF(d, -d));
        break;
    }
    case BadgeSymbol::Exclamation:
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(centre.x() - stroke / 2, centre.y() - radius * 0.62, stroke, radius * 0.78),
                          stroke / 2, stroke / 2);
        p.drawEllipse(QPointF(centre.x(), centre.y() + radius * 0.45), stroke * 0.55, stroke * 0.55);
        break;
    case BadgeSymbol::Check: {
        p.setPen(QPen(Qt::white, stroke * 0.85, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(centre + QPointF(-arm * 0.95, arm * 0.05));
        tick.lineTo(centre + QPointF(-arm * 0.25, arm * 0.7));
        tick.lineTo(centre + QPointF(arm * 0.95, -arm * 0.65));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
        break;
    }
    }
}

// A wall-calendar page with binder rings and a grid of days; the organiser's emblem.
void drawCalendarPage(QPainter& p, const QRectF& r, qreal scale) {
    const qreal radius = 4 * scale;
    p.setPen(outline(Palette::ink, 1.2 * scale));
    QLinearGradient paper(r.topLeft(), r.bottomLeft());
    paper.setColorAt(0, Palette::paper);
    paper.setColorAt(1, Palette::paperShade);
    p.setBrush(paper);
    p.drawRoundedRect(r, radius, radius);

    const QRectF header(r.left(), r.top(), r.width(), r.height() * 0.27);
    QPainterPath headerPath;
    headerPath.addRoundedRect(header, radius, radius);
    QPainterPath squareBottom;
    squareBottom.addRect(header.adjusted(0, header.height() / 2, 0, 0));
    headerPath = headerPath.united(squareBottom);
    QLinearGradient band(header.topLeft(), header.bottomLeft());
    band.setColorAt(0, Palette::red.lighter(115));
    band.setColorAt(1, Palette::red);
    p.setBrush(band);
    p.drawPath(headerPath);

    // Rings that hold the page.
    for (qreal fx : {0.3, 0.7}) {
        const QPointF ring(r.left() + r.width() * fx, r.top());
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::redDark);
        p.drawEllipse(ring + QPointF(0, header.height() * 0.35), 2.0 * scale, 2.0 * scale);
        p.setPen(outline(Palette::ink, 1.6 * scale));
        p.setBrush(Qt::NoBrush);
        p.drawLine(ring + QPointF(0, -3.5 * scale), ring + QPointF(0, header.height() * 0.35));
    }

    // Grid of days with today marked.
    const int columns = 4;
    const int rows = 3;
    const QRectF grid = QRectF(r.left(), header.bottom(), r.width(), r.bottom() - header.bottom())
                            .adjusted(5 * scale, 4.5 * scale, -5 * scale, -4.5 * scale);
    const qreal gap = 2.2 * scale;
    const qreal cellW = (grid.width() - gap * (columns - 1)) / columns;
    const qreal cellH = (grid.height() - gap * (rows - 1)) / rows;
    p.setPen(Qt::NoPen);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const bool today = row == 1 && column == 1;
            p.setBrush(today ? Palette::amber : QColor(0xc9, 0xd4, 0xe3));
            p.drawRoundedRect(
                QRectF(grid.left() + column * (cellW + gap), grid.top() + row * (cellH + gap), cellW, cellH),
                1.2 * scale, 1.2 * scale);
        }
    }
}

// A round clock face with ticks and hands at ten past ten.
void drawClock(QPainter& p, const QPointF& centre, qreal radius, qreal scale) {
    QRadialGradient face(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(0xe6, 0xee, 0xf8));
    p.setPen(outline(Palette::blueDark, 2.4 * scale));
    p.setBrush(face);
    p.drawEllipse(centre, radius, radius);

    p.setPen(outline(Palette::slate, 1.2 * scale));
    for (int hour = 0; hour < 12; hour += 3) {
        const qreal angle = hour * M_PI / 6;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        p.drawLine(centre + direction * radius * 0.68, centre + direction * radius * 0.84);
    }

    const auto hand = [&](qreal minutesOnDial, qreal length, qreal width, const QColor& colour) {
        const qreal angle = minutesOnDial * M_PI / 30;
        p.setPen(outline(colour, width));
        p.drawLine(centre, centre + QPointF(std::sin(angle), -std::cos(angle)) * length);
    };
    hand(50.8, radius * 0.5, 2.2 * scale, Palette::ink); // hour hand just past ten
    hand(10, radius * 0.72, 1.6 * scale, Palette::ink);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::red);
    p.drawEllipse(centre, 1.6 * scale, 1.6 * scale);
}

// --- Toolbar glyphs (20 x 20)
// ---------------------------------------------------------------------------------

constexpr int GlyphSize = 20;

// The small envelope the message buttons share; its lines sit on half pixels so they stay sharp at 1:1.
void drawToolbarEnvelope(QPainter& p) {
    drawEnvelope(p, QRectF(1.5, 3.5, 15, 11), Palette::paper, QColor(0xdc, 0xe6, 0xf5), Palette::blueDark,
                 1.0);
}

QImage drawNewMessage() {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);
    drawToolbarEnvelope(p);
    drawBadge(p, QPointF(14, 14), 5.5, Palette::green, Palette::greenDark, BadgeSymbol::Plus);
    return image;
}

QImage drawDeleteMessage() {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);
    drawToolbarEnvelope(p);
    drawBadge(p, QPointF(14, 14), 5.5, Palette::red, Palette::redDark, BadgeSymbol::Cross);
    return image;
}

QImage drawReply() {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);

    // A hooked arrow: the shaft leaves to the right and bends down, the head points back left.
    QPainterPath arrow;
    arrow.moveTo(1.5, 8.5);
    arrow.lineTo(8.0, 2.5);
    arrow.lineTo(8.0, 6.0);
    arrow.lineTo(10.5, 6.0);
    arrow.cubicTo(15.5, 6.0, 18.5, 9.5, 18.5, 17.5);
    arrow.cubicTo(16.8, 13.5, 14.5, 11.2, 10.5, 11.2);
    arrow.lineTo(8.0, 11.2);
    arrow.lineTo(8.0, 14.5);
    arrow.closeSubpath();

    QLinearGradient fill(0, 2, 0, 17);
    fill.setColorAt(0, Palette::blueLight);
    fill.setColorAt(1, Palette::blue);
    p.setPen(outline(Palette::blueDark, 1.0));
    p.setBrush(fill);
    p.drawPath(arrow);
    return image;
}

// A blue arrow pointing right across the rectangle: a shaft of the given thickness, the head from headStart
// on.
void drawBlockArrow(QPainter& p, const QRectF& r, qreal shaft, qreal headStart) {
    const qreal middle = r.center().y();
    QPainterPath arrow;
    arrow.moveTo(r.left(), middle - shaft / 2);
    arrow.lineTo(headStart, middle - shaft / 2);
    arrow.lineTo(headStart, r.top());
    arrow.lineTo(r.right(), middle);
    arrow.lineTo(headStart, r.bottom());
    arrow.lineTo(headStart, middle + shaft / 2);
    arrow.lineTo(r.left(), middle + shaft / 2);
    arrow.closeSubpath();

    QLinearGradient fill(0, r.top(), 0, r.bottom());
    fill.setColorAt(0, Palette::blueLight);
    fill.setColorAt(1, Palette::blue);
    p.setPen(outline(Palette::blueDark, 1.0));
    p.setBrush(fill);
    p.drawPath(arrow);
}

QImage drawArrow(bool pointsRight) {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);
    if (!pointsRight) {
        p.translate(GlyphSize, 0);
        p.scale(-1, 1);
    }
    drawBlockArrow(p, QRectF(2.5, 3.0, 15.0, 14.0), 5.0, 10.0);
    return image;
}

QImage drawDeleteAll() {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);

    // A pile of letters in an open bin tells "all messages" apart from the single-envelope delete.
    const QColor flap(0xdc, 0xe6, 0xf5);
    drawEnvelope(p, QRectF(6.5, 1.5, 11, 8), Palette::paper, flap, Palette::blueDark, 1.0);
    drawEnvelope(p, QRectF(2.5, 3.5, 11, 8), Palette::paper, flap, Palette::blueDark, 1.0);

    QPainterPath bin;
    bin.moveTo(2.5, 8.5);
    bin.lineTo(17.5, 8.5);
    bin.lineTo(16.0, 18.5);
    bin.lineTo(4.0, 18.5);
    bin.closeSubpath();
    QLinearGradient metal(2, 0, 18, 0);
    metal.setColorAt(0, QColor(0xf0, 0x7a, 0x6e));
    metal.setColorAt(0.45, Palette::red);
    metal.setColorAt(1, Palette::redDark);
    p.setPen(outline(Palette::redDark, 1.0));
    p.setBrush(metal);
    p.drawPath(bin);

    p.setPen(outline(QColor(255, 255, 255, 160), 1.0));
    for (qreal x : {7.5, 10.0, 12.5}) {
        p.drawLine(QPointF(x, 11.0), QPointF(x, 16.0));
    }
    return image;
}

// A brass hand bell with its clapper showing under the lip; the daily bells' motif.
void drawBell(QPainter& p, const QRectF& r, qreal lineWidth) {
    const qreal w = r.width();
    const qreal h = r.height();
    const auto at = [&](qreal fx, qreal fy) { return QPointF(r.left() + w * fx, r.top() + h * fy); };

    p.setPen(outline(Palette::amberDark, lineWidth));
    p.setBrush(Palette::amberDark);
    p.drawEllipse(at(0.5, 0.91), w * 0.11, w * 0.11);

    QPainterPath body;
    body.moveTo(at(0.5, 0.1));
    body.cubicTo(at(0.75, 0.1), at(0.8, 0.32), at(0.8, 0.52));
    body.cubicTo(at(0.8, 0.68), at(0.9, 0.74), at(0.98, 0.82));
    body.lineTo(at(0.02, 0.82));
    body.cubicTo(at(0.1, 0.74), at(0.2, 0.68), at(0.2, 0.52));
    body.cubicTo(at(0.2, 0.32), at(0.25, 0.1), at(0.5, 0.1));
    body.closeSubpath();
    QLinearGradient brass(r.topLeft(), r.topRight());
    brass.setColorAt(0, Palette::amberLight);
    brass.setColorAt(0.4, Palette::amber);
    brass.setColorAt(1, Palette::amberDark);
    p.setBrush(brass);
    p.drawPath(body);

    p.setBrush(Palette::amber);
    p.drawEllipse(at(0.5, 0.07), w * 0.08, w * 0.08);
    // A light stroke down the dome gives the metal its shine.
    p.setPen(outline(QColor(255, 255, 255, 170), lineWidth));
    p.drawLine(at(0.35, 0.3), at(0.32, 0.6));
}

// The bell editor's Save (a tick) and clear (a cross) buttons.
QImage drawBellButton(const QColor& badge, const QColor& rim, BadgeSymbol symbol) {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);
    drawBell(p, QRectF(1.5, 1.5, 14, 16), 1.0);
    drawBadge(p, QPointF(14, 14), 5.5, badge, rim, symbol);
    return image;
}

// An open door with an arrow leaving through it.
QImage drawLeave() {
    QImage image = blankImage(GlyphSize, GlyphSize);
    QPainter p(&image);
    beginPainting(p);
    p.setPen(outline(Palette::ink, 1.0));
    p.setBrush(Palette::paperShade);
    p.drawRect(QRectF(2.5, 1.5, 10, 17));
    QLinearGradient wood(2, 0, 9, 0);
    wood.setColorAt(0, Palette::amber);
    wood.setColorAt(1, Palette::amberDark);
    p.setBrush(wood);
    p.drawPolygon(QPolygonF({QPointF(2.5, 1.5), QPointF(8.5, 3.5), QPointF(8.5, 19.5), QPointF(2.5, 18.5)}));

    drawBlockArrow(p, QRectF(9.5, 5.5, 9.0, 9.0), 3.0, 14.0);
    return image;
}

// --- Window icons (32 x 32)
// -----------------------------------------------------------------------------------

constexpr int IconSize = 32;

QImage drawIdleIcon() {
    QImage image = blankImage(IconSize, IconSize);
    QPainter p(&image);
    beginPainting(p);
    drawEnvelope(p, QRectF(3, 7, 26, 19), QColor(0xea, 0xf0, 0xf7), QColor(0xc3, 0xd2, 0xe6), Palette::slate,
                 2.0);
    return image;
}

QImage drawBellIcon() {
    QImage image = blankImage(IconSize, IconSize);
    QPainter p(&image);
    beginPainting(p);
    drawBell(p, QRectF(3, 1, 26, 29), 1.6);
    return image;
}

QImage drawWaitingIcon() {
    QImage image = blankImage(IconSize, IconSize);
    QPainter p(&image);
    beginPainting(p);
    drawEnvelope(p, QRectF(2, 10, 24, 18), Palette::amberLight, Palette::amber, Palette::amberDark, 2.0);
    drawBadge(p, QPointF(24.5, 9.0), 7.0, Palette::red, Palette::redDark, BadgeSymbol::Exclamation);
    return image;
}

// The schedule manager: a calendar page with a pencil across its corner.
QImage drawManagerIcon() {
    QImage image = blankImage(IconSize, IconSize);
    QPainter p(&image);
    beginPainting(p);
    drawCalendarPage(p, QRectF(2, 5, 24, 24), 0.8);
    p.translate(24, 22);
    p.rotate(45);
    p.setPen(outline(Palette::ink, 1.0));
    p.setBrush(Palette::amber);
    p.drawRect(QRectF(-2.5, -11, 5, 15));
    p.setBrush(Palette::paperShade);
    p.drawPolygon(QPolygonF({QPointF(-2.5, 4), QPointF(2.5, 4), QPointF(0, 9)}));
    return image;
}

// --- About box
// ------------------------------------------------------------------------------------------------

QImage drawAboutBackground() {
    const int width = 610;
    const int height = 160;
    QImage image = blankImage(width, height);
    QPainter p(&image);
    beginPainting(p);

    QLinearGradient base(0, 0, width, height);
    base.setColorAt(0, QColor(0xfb, 0xfc, 0xfe));
    base.setColorAt(0.6, QColor(0xf1, 0xf5, 0xfb));
    base.setColorAt(1, QColor(0xe6, 0xee, 0xf8));
    p.fillRect(image.rect(), base);

    // Faint rings on the right: enough to give the box a character, too pale to fight with text.
    p.setBrush(Qt::NoBrush);
    const QPointF centre(560, 20);
    for (int ring = 0; ring < 6; ++ring) {
        p.setPen(outline(QColor(0x9d, 0xb6, 0xd8, 34 - ring * 4), 10));
        const qreal r = 40 + ring * 26;
        p.drawEllipse(centre, r, r);
    }

    // A warm glow in the lower left balances the rings.
    QRadialGradient glow(QPointF(40, 170), 220);
    glow.setColorAt(0, QColor(0xff, 0xd8, 0x8a, 60));
    glow.setColorAt(1, QColor(0xff, 0xd8, 0x8a, 0));
    p.fillRect(image.rect(), glow);

    // A thin two-colour rule along the top edge: messenger blue and organiser amber.
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0, Palette::blue);
    rule.setColorAt(0.55, Palette::blueLight);
    rule.setColorAt(1, Palette::amber);
    p.fillRect(QRectF(0, 0, width, 3), rule);
    return image;
}

QImage drawAboutPicture() {
    QImage image = blankImage(72, 72);
    QPainter p(&image);
    beginPainting(p);

    // Soft shadow under the page.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x2b, 0x44, 40));
    p.drawRoundedRect(QRectF(6, 11, 54, 55), 5, 5);

    drawCalendarPage(p, QRectF(4, 8, 54, 54), 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x2b, 0x44, 45));
    p.drawEllipse(QPointF(53, 53), 17, 17);
    drawClock(p, QPointF(52, 52), 16, 1.0);
    return image;
}

// --- Splash
// ---------------------------------------------------------------------------------------------------

void drawSoftShadow(QPainter& p, const QPainterPath& shape, const QPointF& offset, int layers, int alpha) {
    p.save();
    p.translate(offset);
    p.setBrush(Qt::NoBrush);
    for (int layer = layers; layer >= 1; --layer) {
        p.setPen(
            QPen(QColor(0, 0, 0, alpha / layers), layer * 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.fillPath(shape, QColor(0, 0, 0, alpha));
    p.restore();
}

void drawCentredText(QPainter& p, const QString& text, const QFont& font, qreal baseline, int width,
                     const QColor& colour, qreal letterSpacing = 0) {
    QFont spaced = font;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    QPainterPath path;
    path.addText(0, 0, spaced, text);
    const QRectF bounds = path.boundingRect();
    p.save();
    p.translate((width - bounds.width()) / 2 - bounds.left(), baseline);
    p.setPen(Qt::NoPen);
    p.fillPath(path.translated(0, 2), QColor(0, 0, 0, 60));
    p.fillPath(path, colour);
    p.restore();
}

QImage drawSplash() {
    const int width = 512;
    const int height = 482;
    QImage image = blankImage(width, height);
    QPainter p(&image);
    beginPainting(p);

    QLinearGradient sky(0, 0, width * 0.4, height);
    sky.setColorAt(0, QColor(0x17, 0x2a, 0x5e));
    sky.setColorAt(0.55, QColor(0x1f, 0x52, 0x9a));
    sky.setColorAt(1, QColor(0x1a, 0x86, 0x9c));
    p.fillRect(image.rect(), sky);

    // Light blooms behind the artwork.
    const auto bloom = [&](QPointF centre, qreal radius, QColor colour) {
        QRadialGradient g(centre, radius);
        g.setColorAt(0, colour);
        colour.setAlpha(0);
        g.setColorAt(1, colour);
        p.fillRect(image.rect(), g);
    };
    bloom(QPointF(256, 170), 230, QColor(0x8f, 0xc4, 0xff, 70));
    bloom(QPointF(430, 60), 140, QColor(0xff, 0xc8, 0x6a, 45));
    bloom(QPointF(60, 420), 170, QColor(0x5f, 0xe0, 0xd0, 40));

    for (const auto& [x, y, r] : {std::tuple{64.0, 120.0, 4.0},
                                  {440.0, 120.0, 3.0},
                                  {470.0, 260.0, 5.0},
                                  {42.0, 300.0, 3.0},
                                  {330.0, 40.0, 3.5},
                                  {150.0, 40.0, 2.5}}) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(QPointF(x, y), r, r);
    }

    // Organiser: a calendar page with a clock, standing behind on the right.
    p.save();
    p.translate(300, 72);
    p.rotate(7);
    const QRectF page(0, 0, 150, 150);
    QPainterPath pageShape;
    pageShape.addRoundedRect(page, 11, 11);
    drawSoftShadow(p, pageShape, QPointF(6, 10), 8, 70);
    drawCalendarPage(p, page, 2.8);
    p.restore();

    QPainterPath clockShape;
    clockShape.addEllipse(QPointF(420, 222), 46, 46);
    drawSoftShadow(p, clockShape, QPointF(5, 8), 8, 70);
    drawClock(p, QPointF(420, 222), 46, 2.8);

    // Messenger: a large envelope in front on the left, with a fresh-message badge.
    p.save();
    p.translate(92, 104);
    p.rotate(-8);
    const QRectF envelope(0, 0, 210, 146);
    QPainterPath envelopeShape;
    envelopeShape.addRoundedRect(envelope, 12, 12);
    // Speed lines behind the envelope: a message on its way across the network.
    for (const auto& [y, length] : {std::pair{38.0, 34.0}, {73.0, 56.0}, {108.0, 24.0}}) {
        QLinearGradient fade(-14 - length, 0, -14, 0);
        fade.setColorAt(0, QColor(255, 255, 255, 0));
        fade.setColorAt(1, QColor(255, 255, 255, 150));
        p.setPen(QPen(QBrush(fade), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-14 - length, y), QPointF(-14, y));
    }
    drawSoftShadow(p, envelopeShape, QPointF(6, 12), 8, 80);
    drawEnvelope(p, envelope, Palette::paper, QColor(0xd6, 0xe4, 0xf7), Palette::blueDark, 3.0);
    p.restore();

    QPainterPath badgeShape;
    badgeShape.addEllipse(QPointF(286, 112), 28, 28);
    drawSoftShadow(p, badgeShape, QPointF(3, 5), 5, 60);
    drawBadge(p, QPointF(286, 112), 28, Palette::amber, Palette::amberDark, BadgeSymbol::Exclamation);

    // Names.
    drawCentredText(p, QStringLiteral("Quibbly"), sansFont(76, QFont::Bold), 362, width, Qt::white, 1);
    drawCentredText(p, QStringLiteral("& Memorell"), sansFont(34, QFont::DemiBold), 408, width,
                    Palette::amberLight, 1);
    drawCentredText(p, QStringLiteral("LAN MESSAGES  \u00b7  DAILY SCHEDULE"), sansFont(13, QFont::Normal),
                    450, width, QColor(255, 255, 255, 200), 2.5);

    // Borderless window: a thin frame keeps the edge crisp on any desktop.
    p.setPen(QPen(QColor(0x0c, 0x18, 0x38), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, width - 1, height - 1));
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_pictures <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot create " << folder.path() << "\n";
        return 1;
    }

    const std::pair<const char*, std::function<QImage()>> pictures[] = {
        {"splash.png", drawSplash},
        {"new_msg.png", drawNewMessage},
        {"reply.png", drawReply},
        {"previous.png", [] { return drawArrow(false); }},
        {"next.png", [] { return drawArrow(true); }},
        {"delete.png", drawDeleteMessage},
        {"delete_all.png", drawDeleteAll},
        {"icon_idle.png", drawIdleIcon},
        {"icon_waiting.png", drawWaitingIcon},
        {"icon_manager.png", drawManagerIcon},
        {"about_background.png", drawAboutBackground},
        {"about_picture.png", drawAboutPicture},
        {"bell_save.png",
         [] { return drawBellButton(Palette::green, Palette::greenDark, BadgeSymbol::Check); }},
        {"bell_clear.png", [] { return drawBellButton(Palette::red, Palette::redDark, BadgeSymbol::Cross); }},
        {"bell_exit.png", drawLeave},
        {"icon_bell.png", drawBellIcon},
    };
    for (const auto& [name, draw] : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!draw().save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
