// The screen model: drawing lands where it should, stays inside its clip, and the terminal is
// sent only the cells that changed.
#include "tui/Screen.h"
#include "tui/Theme.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace
