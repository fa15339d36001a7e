// The host's screen: menu bar, logbook with the newest entries, status line and command line.
#include "tui/HostScreen.h"

#include <gtest/gtest.h>

namespace {

TEST(HostScreen, LogbookShowsNewestEntriesAtTheBottomAndScrollsBack)
{
    HostScreen host;
    std::vector<std::wstring> entries;
    for (int i = 1; i <= 80; ++i)
        entries.push_back(L"entry " + std::to_wstring(i));
    entries.push_back(std::wstring(100, L'w'));
    host.logbook().setEntries(entries);
    Screen screen(80, 30);
    host.draw(screen, true);
    // The long newest entry wraps onto two rows above the status line.
    EXPECT_EQ(screen.rowText(27), L" " + std::wstring(22, L'w') + std::wstring(57, L' '));
    EXPECT_EQ(screen.rowText(26), L" " + std::wstring(78, L'w') + L" ");
    EXPECT_EQ(screen.find(L"entry 80"), (Screen::Point{1, 25}));
    EXPECT_EQ(screen.find(L"entry 56 "), (Screen::Point{1, 1}));

    EXPECT_TRUE(host.logbook().scroll(InputEvent::ofKey(Key::PageUp)));
    host.draw(screen, true);
    EXPECT_EQ(screen.find(L"entry 56 "), (Screen::Point{1, 27}));
    // Scrolling back stops at the oldest entry.
    for (int i = 0; i < 5; ++i)
        host.logbook().scroll(InputEvent::ofKey(Key::PageUp));
    host.draw(screen, true);
    EXPECT_EQ(screen.find(L"entry 1 "), (Screen::Point{1, 1}));
    host.logbook().scroll(InputEvent::ofKey(Key::PageDown));
    host.draw(screen, true);
    EXPECT_EQ(screen.find(L"entry 53 "), (Screen::Point{1, 27}));
    // A new entry brings the newest back into view.
    entries.push_back(L"newest");
    host.logbook().setEntries(entries);
    host.draw(screen, true);
    EXPECT_EQ(screen.find(L"newest"), (Screen::Point{1, 27}));
    EXPECT_FALSE(host.logbook().scroll(InputEvent::ofKey(Key::Up)));
}

} // namespace
