// The rectangle helpers, and every public header of the window layer compiling together.
#include "win/Automation.h"
#include "win/Windows.h"

#include <gtest/gtest.h>

TEST(WinHeaders, RectanglesHitTestHalfOpen)
{
    RECT rect{};
    ASSERT_TRUE(SetRect(&rect, 10, 20, 30, 40));
    EXPECT_TRUE(PtInRect(&rect, POINT{10, 20}));
    EXPECT_FALSE(PtInRect(&rect, POINT{30, 39}));
    OffsetRect(&rect, 5, 5);
    InflateRect(&rect, 1, 1);
    RECT expected{14, 24, 36, 46};
    EXPECT_TRUE(EqualRect(&rect, &expected));
    SetRectEmpty(&rect);
    EXPECT_TRUE(IsRectEmpty(&rect));
}
