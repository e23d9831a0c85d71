#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

namespace platform {

// The units a design is written in: sizes in twips, colours as &H00BBGGRR, the Ming font by its name.

// Designs give sizes in twips (1/1440 inch); they scale with the screen's logical resolution.
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
int pixelsToTwips(int pixels);

// A colour written &H00BBGGRR. Values with the top bit set name a system colour by its index.
QColor colorFromOle(quint32 ole);

// 新細明體 at the given point size; the installed Ming-style CJK font stands in for it.
QFont mingFont(double pointSize, bool bold = false, bool italic = false);

} // namespace platform
