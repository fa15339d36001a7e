// The menu bar opens with F10, Alt+mnemonic or a click, moves with the arrows and gives the
// chosen command; greyed entries cannot be chosen.
#include "tui/MenuBar.h"

#include <gtest/gtest.h>

namespace {

constexpr int width = 80;
constexpr int height = 30;

std::vector<MenuItem> hostMenus()
{
    return {MenuItem::popup(L"&File", {MenuItem::command(L"&Open...\tCtrl+O", 101), MenuItem::separatorLine(),
                                       MenuItem::command(L"E&xit", 102)}),
            MenuItem::popup(L"&Modules", {MenuItem::command(L"&Serion", 201, true, true),
                                          MenuItem::command(L"&Logbook", 202, false, true)}),
            MenuItem::command(L"&Help", 9)};
}

std::optional<unsigned> press(MenuBar& bar, InputEvent event)
{
    return bar.handle(event, width, height);
}

TEST(MenuBar, KeyboardWalksTheMenusAndChoosesACommand)
{
    MenuBar bar;
    bar.setMenus(hostMenus());
    Screen screen(width, height);
    bar.draw(screen, {0, 0, width, 1});
    EXPECT_EQ(screen.rowText(0).substr(0, 22), L" File  Modules  Help  ");

    bar.activate();
    ASSERT_TRUE(bar.isActive());
    bar.draw(screen, {0, 0, width, 1});
    // The drop-down opens below its title; the separator is skipped by the arrows.
    EXPECT_EQ(screen.find(L"Open...  Ctrl+O"), (Screen::Point{3, 2}));
    EXPECT_FALSE(press(bar, InputEvent::ofKey(Key::Down)));
    EXPECT_EQ(press(bar, InputEvent::ofKey(Key::Enter)), 102u);
    EXPECT_FALSE(bar.isActive());

    // Right arrow moves to the next menu, wrapping round to the first.
    bar.activate();
    press(bar, InputEvent::ofKey(Key::Right));
    press(bar, InputEvent::ofKey(Key::Right));
    // Help is a command of its own on the bar: Enter chooses it.
    EXPECT_EQ(press(bar, InputEvent::ofKey(Key::Enter)), 9u);
    bar.activate();
    press(bar, InputEvent::ofKey(Key::Left));
    press(bar, InputEvent::ofKey(Key::Right));
    EXPECT_EQ(press(bar, InputEvent::ofCharacter(L'o')), 101u);
}

TEST(MenuBar, GreyedItemsAreNotChosenCheckedOnesMarkedAndClicksOpenTitles)
{
    MenuBar bar;
    bar.setMenus(hostMenus());
    ASSERT_TRUE(bar.openByMnemonic(L'm'));
    Screen screen(width, height);
    bar.draw(screen, {0, 0, width, 1});
    const auto serion = screen.find(L"Serion");
    ASSERT_TRUE(serion);
    EXPECT_EQ(screen.at(serion->x - 2, serion->y).ch, L'✓');
    EXPECT_TRUE(screen.at(serion->x, serion->y).style.attrs & Attr::Dim);

    EXPECT_FALSE(press(bar, InputEvent::ofCharacter(L's')));
    EXPECT_FALSE(press(bar, InputEvent::ofKey(Key::Enter)));
    EXPECT_TRUE(bar.isActive());
    EXPECT_EQ(press(bar, InputEvent::ofCharacter(L'L', true)), 202u);

    EXPECT_FALSE(bar.openByMnemonic(L'z'));

    // Clicks: a title opens its menu, an item is chosen.
    EXPECT_FALSE(bar.clickTitle(8));
    ASSERT_TRUE(bar.isActive());
    bar.draw(screen, {0, 0, width, 1});
    const auto logbook = screen.find(L"Logbook");
    ASSERT_TRUE(logbook);
    EXPECT_EQ(press(bar, InputEvent::ofClick(logbook->x, logbook->y)), 202u);

    // A click beside an open drop-down closes it; a click on a bar command chooses it.
    bar.clickTitle(1);
    EXPECT_FALSE(press(bar, InputEvent::ofClick(60, 20)));
    EXPECT_FALSE(bar.isActive());
    EXPECT_EQ(bar.clickTitle(17), 9u);
    EXPECT_FALSE(bar.clickTitle(70));
}

} // namespace
