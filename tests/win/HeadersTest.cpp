// The rectangle helpers, and every public header of the window layer compiling together.
#include "win/Automation.h"
#include "win/Windows.h"

#include <gtest/gtest.h>

TEST(WinHeaders, RectanglesHitTestHalfOpen)
{
    RECT rect{10, 20, 30, 40};
    EXPECT_TRUE(PtInRect(&rect, POINT{10, 20}));
    EXPECT_FALSE(PtInRect(&rect, POINT{30, 39}));
    OffsetRect(&rect, 5, 5);
    EXPECT_TRUE(PtInRect(&rect, POINT{34, 44}));
    EXPECT_FALSE(PtInRect(&rect, POINT{14, 24}));
}
