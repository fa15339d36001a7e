// Each control kind drawn as users recognise it, from the framework's description of the control.
#include "tui/CellGeometry.h"
#include "tui/ControlBarDrawers.h"
#include "tui/ControlDrawers.h"
#include "tui/TerminalColor.h"
#include "tui/Theme.h"

#include "win/CommCtrl.h"

#include <gtest/gtest.h>

namespace {

// A control at the given cells, described as the framework would in pixels.
WindowInfo control(const wchar_t* className, std::wstring text, DWORD style, Rect cells)
{
    WindowInfo info;
    info.className = className;
    info.text = std::move(text);
    info.style = WS_CHILD | WS_VISIBLE | style;
    info.windowRect = {cells.x * CellGeometry::cellWidthPx, cells.y * CellGeometry::cellHeightPx,
                       cells.right() * CellGeometry::cellWidthPx, cells.bottom() * CellGeometry::cellHeightPx};
    info.visible = true;
    info.enabled = true;
    return info;
}

std::wstring drawn(const WindowInfo& info, int width = 24, int height = 4)
{
    Screen screen(width, height);
    DrawControl(screen, info);
    return screen.snapshot();
}

// Buttons, check boxes and radio buttons are seen on the front end's test dialogs.
TEST(ControlDrawers, EachKindLooksLikeItself)
{
    WindowInfo combo = control(L"ComboBox", L"", CBS_DROPDOWNLIST, {0, 0, 10, 1});
    combo.items = {L"alpha", L"beta"};
    combo.currentSelection = 1;
    WindowInfo progress = control(PROGRESS_CLASSW, L"", 0, {1, 1, 8, 1});
    progress.rangeLow = 10;
    progress.rangeHigh = 18;
    progress.position = 13;

    struct Case {
        const char* name;
        WindowInfo info;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {"group box", control(L"BUTTON", L"&Options", BS_GROUPBOX, {0, 0, 14, 3}),
         L"┌ Options ───┐\n│            │\n└────────────┘\n\n"},
        {"wrapped static", control(L"Static", L"Select the gr&oup you want", SS_LEFT, {0, 0, 12, 3}),
         L"Select the\ngroup you\nwant\n\n"},
        {"right static", control(L"Static", L"Name:", SS_RIGHT, {0, 0, 8, 1}), L"   Name:\n\n\n\n"},
        {"no prefix", control(L"Static", L"A&B", SS_LEFT | SS_NOPREFIX, {0, 0, 8, 1}), L"A&B\n\n\n\n"},
        {"etched line", control(L"Static", L"", SS_ETCHEDHORZ, {1, 1, 5, 1}), L"\n ─────\n\n\n"},
        {"edit", control(L"Edit", L"text", ES_AUTOHSCROLL, {0, 0, 8, 1}), L"text\n\n\n\n"},
        {"drop-down list", combo, L"beta     ▼\n\n\n\n"},
        {"progress bar", progress, L"\n ███░░░░░\n\n\n"},
        {"up-down", control(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT, {2, 0, 1, 2}), L"  ▲\n  ▼\n\n\n"},
        {"unknown class", control(L"SomethingNew", L"", 0, {0, 0, 6, 3}), L"┌Some┐\n│    │\n└────┘\n\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawn(c.info), c.expected) << c.name;
}

TEST(ControlDrawers, AReportScrolledSidewaysShowsItsColumnsFromTheFirstInViewWithMarks)
{
    WindowInfo list = control(WC_LISTVIEWW, L"", LVS_REPORT, {0, 0, 16, 2});
    list.clientRect = list.windowRect;
    list.listView.report = true;
    list.listView.showHeader = true;
    list.listView.countPerPage = 1;
    for (const wchar_t* title : {L"A", L"B", L"C", L"D"})
        list.listView.columns.push_back(ListColumnInfo{title, 8 * CellGeometry::cellWidthPx});
    list.listView.items.push_back(ListItemInfo{{{L"a"}, {L"b"}, {L"c"}, {L"d"}}});
    EXPECT_EQ(drawn(list, 16, 3), L"A      │B      ►\na       b\n\n") << "more columns to the right";
    // The first title in view gives the left mark its cell.
    list.listView.firstColumn = 1;
    list.listView.scrolledWidth = 8 * CellGeometry::cellWidthPx;
    EXPECT_EQ(drawn(list, 16, 3), L"◄B     │C      ►\nb       c\n\n");
    list.listView.firstColumn = 2;
    list.listView.scrolledWidth = 16 * CellGeometry::cellWidthPx;
    EXPECT_EQ(drawn(list, 16, 3), L"◄C     │D\nc       d\n\n");
    // A report not yet given its columns shows each item's first text across the list.
    list.listView.columns.clear();
    list.listView.firstColumn = 0;
    list.listView.scrolledWidth = 0;
    list.listView.items = {ListItemInfo{{{L"whole first text"}}}};
    EXPECT_EQ(drawn(list, 16, 3), L"\nwhole first text\n\n");
}

} // namespace
