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

TEST(ControlDrawers, StatesShowFocusAndTheDialogsBackground)
{
    // Disabled and the text colour are seen on the front end's test dialog.
    Screen screen(20, 6);
    WindowInfo focused = control(L"Button", L"OK", BS_PUSHBUTTON, {0, 0, 8, 1});
    focused.focused = true;
    WindowInfo message = control(L"Edit", L"Do not touch", ES_MULTILINE, {0, 2, 20, 2});
    message.hasColors = true;
    message.textColor = RGB(255, 0, 0);
    message.backgroundColor = RGB(255, 255, 255);
    for (const WindowInfo& info : {focused, message})
        DrawControl(screen, info);

    EXPECT_EQ(screen.at(3, 0).style, Theme::buttonFocused);
    EXPECT_EQ(screen.at(0, 2).style.bg, Color::White);
    EXPECT_FALSE(screen.cursor());
}

TEST(ControlDrawers, EditsShowCaretSelectionScrollingAndReadOnly)
{
    Screen screen(12, 4);
    WindowInfo edit = control(L"Edit", L"0123456789ABCDEF", ES_AUTOHSCROLL, {0, 0, 10, 1});
    edit.focused = true;
    edit.selectionStart = 12;
    edit.selectionEnd = 14;
    DrawControl(screen, edit);
    // Scrolled so that the caret after the selection is in view; the selection is reversed.
    EXPECT_EQ(screen.rowText(0).substr(0, 10), L"56789ABCDE");
    EXPECT_EQ(screen.cursor(), (Screen::Point{9, 0}));
    EXPECT_EQ(screen.at(7, 0).style, Theme::selection);
    EXPECT_EQ(screen.at(6, 0).style, Theme::fieldFocused);

    // A password edit arrives with its mask characters; a read-only one shows no caret.
    WindowInfo password = control(L"Edit", L"****", ES_PASSWORD, {0, 2, 10, 1});
    password.readOnly = true;
    password.focused = true;
    Screen other(12, 4);
    DrawControl(other, password);
    EXPECT_EQ(other.rowText(2).substr(0, 4), L"****");
    EXPECT_EQ(other.at(0, 2).style, Theme::fieldReadOnly);
    EXPECT_FALSE(other.cursor());
}

TEST(ControlDrawers, OpenComboListsShowTheirEntriesWithTheSelection)
{
    WindowInfo combo = control(L"ComboBox", L"", CBS_DROPDOWNLIST, {0, 0, 8, 1});
    combo.items = {L"STANDBY", L"LAMPALL OFF", L"PUMPALL OFF"};
    combo.currentSelection = 1;
    combo.droppedDown = true;
    // A list scrolled by the framework shows its entries from the top one on.
    combo.droppedRect = {0, 16, 64, 48};
    combo.currentSelection = 2;
    Screen screen(10, 5);
    DrawDroppedList(screen, combo, 1);
    // Framed beside and under, the field's row left as it is.
    EXPECT_EQ(screen.snapshot(), L"\nLAMPALL │\nPUMPALL │\n────────┘\n\n");
    EXPECT_EQ(screen.at(0, 1).style, Theme::listItem);
    EXPECT_EQ(screen.at(0, 2).style, Theme::selection);
}

TEST(ControlDrawers, ATipShowsItsLineBreaksAsBreaks)
{
    Screen screen(16, 4);
    DrawToolTip(screen, control(TOOLTIPS_CLASSW, L"Run failed:\nPump pressure", 0, {0, 0, 15, 4}));
    EXPECT_EQ(screen.snapshot(), L"┌─────────────┐\n│Run failed:  │\n│Pump pressure│\n└─────────────┘\n");
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

TEST(TerminalColor, WindowsColoursMapToTheNearestOfTheEight)
{
    struct Case {
        COLORREF colour;
        Color expected;
    };
    const std::vector<Case> cases = {
        {RGB(255, 0, 0), Color::Red},   {0x0000FF, Color::Red},            {RGB(0, 128, 0), Color::Green},
        {RGB(0, 0, 255), Color::Blue},  {RGB(192, 0, 192), Color::Magenta}, {RGB(127, 127, 127), Color::Black},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestTerminalColor(c.colour), c.expected) << std::hex << c.colour;
}

TEST(CellGeometry, PixelsMapToTheCellsWhoseCentresTheyCover)
{
    // A dialog unit is two pixels: 4 across and 8 down make a cell. The main window's client area
    // of 301 x 218 dialog units takes 75 x 27 cells.
    EXPECT_EQ(CellGeometry::cellsOf({16, 32, 16 + 602, 32 + 436}), (Rect{2, 2, 75, 27}));
    // Two controls that meet inside a row do not share it.
    EXPECT_EQ(CellGeometry::cellsOf({0, 116, 80, 136}), (Rect{0, 7, 10, 1}));
    EXPECT_EQ(CellGeometry::cellsOf({0, 136, 80, 156}), (Rect{0, 8, 10, 2}));
    // Too thin to hold a centre: the cell of its middle; empty: nothing.
    EXPECT_EQ(CellGeometry::cellsOf({-4, 17, 2, 19}), (Rect{-1, 1, 1, 1}));
    EXPECT_TRUE(CellGeometry::cellsOf({10, 10, 10, 40}).empty());
    EXPECT_EQ(CellGeometry::pixelOf(2, 3).x, 20);
    EXPECT_EQ(CellGeometry::pixelOf(2, 3).y, 56);
}

} // namespace
