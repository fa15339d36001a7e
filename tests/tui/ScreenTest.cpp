// The screen model: drawing lands where it should, stays inside its clip, and the terminal is
// sent only the cells that changed.
#include "tui/Screen.h"
#include "tui/Theme.h"

#include <gtest/gtest.h>

namespace {

TEST(Screen, DrawingStaysInsideTheClipRectangle)
{
    Screen screen(20, 5);
    {
        const Screen::ClipScope clip(screen, {2, 1, 6, 2});
        screen.fill({0, 0, 20, 5}, L'#', Theme::window);
        screen.text(5, 2, L"overflowing", Theme::window);
        // A nested clip cannot reach outside the outer one.
        const Screen::ClipScope inner(screen, {0, 0, 4, 5});
        screen.put(3, 1, L'X', Theme::window);
        screen.put(5, 1, L'Y', Theme::window);
    }
    screen.put(0, 4, L'Z', Theme::window);
    EXPECT_EQ(screen.snapshot(), L"\n"
                                 L"  #X####\n"
                                 L"  ###ove\n"
                                 L"\n"
                                 L"Z\n");
    // Off the screen is clipped too, and so is the cursor.
    screen.text(18, 0, L"abc", Theme::window);
    screen.put(-1, -1, L'q', Theme::window);
    EXPECT_EQ(screen.rowText(0), std::wstring(18, L' ') + L"ab");
    EXPECT_EQ(screen.find(L"ove"), (Screen::Point{5, 2}));
    {
        const Screen::ClipScope clip(screen, {0, 0, 2, 2});
        screen.setCursor(5, 1);
    }
    EXPECT_FALSE(screen.cursor());
    screen.setCursor(5, 1);
    EXPECT_EQ(screen.cursor(), (Screen::Point{5, 1}));
    screen.resize(3, 3);
    EXPECT_FALSE(screen.cursor());
}

TEST(Screen, LabelsShowTheirMnemonicAndDoubledAmpersands)
{
    Screen screen(20, 1);
    const int end = screen.label(0, 0, L"Save && &Quit", Theme::window, Theme::windowHot);
    EXPECT_EQ(screen.rowText(0).substr(0, 11), L"Save & Quit");
    EXPECT_EQ(end, 11);
    EXPECT_EQ(screen.at(7, 0).style, Theme::windowHot);
    EXPECT_EQ(screen.at(5, 0).style, Theme::window);
    EXPECT_EQ(LabelMnemonic(L"Save && &Quit"), L'Q');
    EXPECT_EQ(LabelMnemonic(L"gr&oup"), L'O');
    EXPECT_EQ(LabelMnemonic(L"no mnemonic &&"), 0);
    EXPECT_EQ(LabelText(L"Shut &down"), L"Shut down");
}

TEST(Screen, FramesAndControlCharacters)
{
    Screen screen(6, 4);
    screen.frame({0, 0, 6, 4}, Theme::window, true);
    screen.frame({1, 1, 4, 2}, Theme::window);
    screen.put(2, 3, L'\t', Theme::window);
    EXPECT_EQ(screen.snapshot(), L"╔════╗\n"
                                 L"║┌──┐║\n"
                                 L"║└──┘║\n"
                                 L"╚═?══╝\n");
}

TEST(Screen, OnlyChangedCellsAreSentAndANewSizeSendsEverything)
{
    Screen shown(10, 3);
    Screen next = shown;
    EXPECT_TRUE(next.changedRuns(shown).empty());

    next.text(2, 1, L"ab", Theme::window);
    next.put(9, 2, L'z', Theme::window);
    // Same character in another colour is a change too.
    next.put(0, 0, L' ', Theme::desktop);
    EXPECT_EQ(next.changedRuns(shown),
              (std::vector<Screen::Run>{{0, 0, 1}, {1, 2, 2}, {2, 9, 1}}));

    Screen resized(4, 2);
    EXPECT_EQ(resized.changedRuns(shown), (std::vector<Screen::Run>{{0, 0, 4}, {1, 0, 4}}));
}

} // namespace
