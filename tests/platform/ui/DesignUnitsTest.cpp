#include "platform/ui/DesignUnits.h"

#include <gtest/gtest.h>

TEST(DesignUnits, OleColoursNameBlueGreenRedBytes) {
    EXPECT_EQ(platform::colorFromOle(0x00800000), QColor(0, 0, 0x80));    // navy
    EXPECT_EQ(platform::colorFromOle(0x0000FFFF), QColor(0xFF, 0xFF, 0)); // yellow
    EXPECT_EQ(platform::colorFromOle(0x000000FF), QColor(0xFF, 0, 0));
}

TEST(DesignUnits, TwipsScaleWithTheLogicalResolution) {
    const int inch = platform::twipsToPixels(1440);
    EXPECT_GT(inch, 0);
    EXPECT_EQ(platform::twipsToPixels(2880), 2 * inch);
    EXPECT_EQ(platform::pixelsToTwips(inch), 1440);
}
