#pragma once

#include <QtGlobal>

// The design's constants, each named once: the colours the windows are drawn in and the years their pickers
// offer.
namespace design {

// Colours written &H00BBGGRR.
constexpr quint32 Red = 0x000000FF;
constexpr quint32 Yellow = 0x0000FFFF;
constexpr quint32 Blue = 0x00FF0000;
constexpr quint32 Cyan = 0x00FFFF00;
constexpr quint32 White = 0x00FFFFFF;
constexpr quint32 Navy = 0x00800000;
constexpr quint32 DarkBlue = 0x00C00000;

// The system's colours, the top bit set and their index below it.
constexpr quint32 Menu = 0x80000004;
constexpr quint32 WindowBackground = 0x80000005;
constexpr quint32 WindowFrame = 0x80000006;
constexpr quint32 MenuText = 0x80000007;
constexpr quint32 CaptionText = 0x80000009;
constexpr quint32 AppWorkspace = 0x8000000C;
constexpr quint32 HighlightedText = 0x8000000E;
constexpr quint32 InactiveCaptionText = 0x80000013;
constexpr quint32 ButtonHighlight = 0x80000014;

// The years the year pickers list: the manager's from the year it was made, the calendar's from earlier.
constexpr int ManagerFirstYear = 2003;
constexpr int CalendarFirstYear = 1995;
constexpr int LastYear = 2100;

} // namespace design
