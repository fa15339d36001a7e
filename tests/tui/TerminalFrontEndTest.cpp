// The front end on the window framework: a test dialog on the screen model, and keys and clicks
// from a scripted terminal reaching controls only as the framework lets them.
#include "ScriptedTerminal.h"

#include "tui/CellGeometry.h"
#include "tui/TerminalFrontEnd.h"
#include "tui/Theme.h"

#include "kernel/Clock.h"
#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "support/ListViewItems.h"
#include "support/TempRoot.h"
#include "win/Automation.h"
#include "win/CommCtrl.h"
#include "win/WinGdi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace {

constexpr int nameEdit = 101;
constexpr int passwordEdit = 102;
constexpr int rememberBox = 103;
constexpr int lockedEdit = 104;
constexpr int stopButton = 105;

DialogItemTemplate item(LPCWSTR className, LPCWSTR text, WORD id, DWORD style, short x, short y, short cx, short cy)
{
    return {className, text, id, WS_VISIBLE | style, x, y, cx, cy};
}

const std::array<DialogItemTemplate, 9> testItems = {
    item(L"STATIC", L"&Name:", 0xFFFF, SS_LEFT, 4, 6, 36, 8),
    item(L"EDIT", L"", nameEdit, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 44, 4, 100, 12),
    item(L"STATIC", L"&Password:", 0xFFFF, SS_LEFT, 4, 22, 38, 8),
    item(L"EDIT", L"", passwordEdit, WS_TABSTOP | WS_BORDER | ES_PASSWORD | ES_AUTOHSCROLL, 44, 20, 100, 12),
    item(L"BUTTON", L"&Remember", rememberBox, WS_TABSTOP | BS_AUTOCHECKBOX, 44, 36, 80, 10),
    item(L"EDIT", L"Locked by Ann", lockedEdit, WS_BORDER | ES_READONLY, 44, 50, 100, 12),
    item(L"BUTTON", L"OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 70, 50, 14),
    item(L"BUTTON", L"Cancel", IDCANCEL, WS_TABSTOP, 80, 70, 50, 14),
    item(L"BUTTON", L"&Stop", stopButton, WS_TABSTOP | WS_DISABLED, 140, 70, 50, 14),
};

const std::array<DialogItemTemplate, 1> modalItems = {
    item(L"BUTTON", L"Close", IDCANCEL, WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 10, 50, 14),
};

DialogTemplate dialogTemplate(LPCWSTR caption, short x, short y, short cx, short cy, std::span<const DialogItemTemplate> items)
{
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME, 0, x, y, cx, cy, caption, L"MS Sans Serif", 8, 0,
            nullptr, items};
}

constexpr UINT runCommand = 500;
constexpr UINT greyedCommand = 501;

// The buttons the test dialog was told were clicked: (control id, BN_CLICKED).
std::vector<std::pair<int, int>> g_commands;
// The menu commands the host window received.
std::vector<UINT> g_hostCommands;

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        g_hostCommands.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the host's main window, with the host's kind of menu bar.
HWND createHostWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.lpszClassName = L"TuiTestHost";
    RegisterClassW(&windowClass);
    HMENU tools = CreatePopupMenu();
    AppendMenuW(tools, MF_STRING, runCommand, L"&Run");
    AppendMenuW(tools, MF_STRING | MF_GRAYED, greyedCommand, L"&Greyed");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"&Tools");
    return CreateWindowExW(0, L"TuiTestHost", L"Orvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, bar,
                           nullptr, nullptr);
}

INT_PTR CALLBACK testDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        // Edits report their focus and changes too; only clicks matter here.
        if (HIWORD(wParam) == BN_CLICKED)
            g_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != lockedEdit)
            return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    default: return FALSE;
    }
}

INT_PTR CALLBACK modalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

Rect cellsOfControl(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    return CellGeometry::cellsOf(rect);
}

std::wstring controlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

class TerminalFrontEndTest : public testing::Test {
protected:
    TerminalFrontEndTest() { previous = Automation::setInputSource(&frontEnd); }
    ~TerminalFrontEndTest() override
    {
        for (HWND window : opened)
            if (IsWindow(window))
                DestroyWindow(window);
        DestroyWindow(host);
        Automation::setInputSource(previous);
        g_commands.clear();
        g_hostCommands.clear();
    }

    HWND openTestDialog()
    {
        static const DialogTemplate test = dialogTemplate(L"Test Dialog", 20, 16, 200, 90, testItems);
        HWND dialog = openDialog(test, testDialogProc);
        Automation::deliverPending();
        frontEnd.render();
        return dialog;
    }

    // A modeless dialog of the host window's, closed when the test ends.
    HWND openDialog(const DialogTemplate& dialogTemplate, DLGPROC procedure)
    {
        return opened.emplace_back(CreateDialogIndirectParamW(nullptr, &dialogTemplate, host, procedure, 0));
    }

    // A child control 7 of dialog at the given pixels.
    static HWND createChild(HWND dialog, LPCWSTR className, LPCWSTR text, DWORD style, int x, int y, int cx, int cy)
    {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, dialog,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7)), nullptr, nullptr);
    }

    // The user's events, taken one at a time as an idle loop takes them; then the screen drawn.
    void act(std::initializer_list<InputEvent> events)
    {
        terminal.add(events);
        deliver();
        while (frontEnd.runNextAction())
            deliver();
        frontEnd.render();
    }

    // An application's loop for modeless dialogs: their keyboard handling comes first.
    void deliver()
    {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bool forDialog = std::ranges::any_of(opened, [&](HWND dialog) { return IsDialogMessageW(dialog, &message); });
            if (!forDialog) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    void clickOn(HWND dialog, int id)
    {
        const Rect cells = cellsOfControl(dialog, id);
        act({InputEvent::ofClick(cells.x + cells.width / 2, cells.y + (cells.height - 1) / 2)});
    }

    const Screen& screen() const { return frontEnd.screen(); }

    TempRoot root;
    HWND host = createHostWindow();
    ScriptedTerminal terminal{80, 30};
    std::vector<std::wstring> ranLines;
    TerminalFrontEnd frontEnd{terminal, {host, [this](const std::wstring& line) { ranLines.push_back(line); }}};
    InputSource* previous = nullptr;
    std::vector<HWND> opened;
};

TEST_F(TerminalFrontEndTest, KeysAndClicksReachTheRightControlAndNotADisabledOne)
{
    HWND dialog = openTestDialog();
    // A window that opens takes the keys; F6 hands them to the command line and back.
    act({InputEvent::ofCharacter(L'A')});
    EXPECT_EQ(controlText(dialog, nameEdit), L"A");
    act({InputEvent::ofKey(Key::F6), InputEvent::ofCharacter(L'x')});
    EXPECT_EQ(controlText(dialog, nameEdit), L"A");
    act({InputEvent::ofKey(Key::F6), InputEvent::ofCharacter(L'n')});
    EXPECT_EQ(controlText(dialog, nameEdit), L"An");
    const Rect name = cellsOfControl(dialog, nameEdit);
    EXPECT_EQ(screen().cursor(), (Screen::Point{name.x + 2, screen().find(L"Name:")->y}));

    act({InputEvent::ofKey(Key::Tab), InputEvent::ofCharacter(L's'), InputEvent::ofCharacter(L'3')});
    EXPECT_EQ(controlText(dialog, passwordEdit), L"s3");
    EXPECT_TRUE(screen().find(L"**"));
    EXPECT_FALSE(screen().find(L"s3"));

    clickOn(dialog, rememberBox);
    EXPECT_EQ(IsDlgButtonChecked(dialog, rememberBox), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(screen().find(L"[x] Remember"));
    // Alt and the mnemonic press the check box again.
    act({InputEvent::ofCharacter(L'r', true)});
    EXPECT_EQ(IsDlgButtonChecked(dialog, rememberBox), static_cast<UINT>(BST_UNCHECKED));

    g_commands.clear();
    clickOn(dialog, stopButton);
    EXPECT_TRUE(g_commands.empty());
    act({InputEvent::ofKey(Key::BackTab), InputEvent::ofKey(Key::Enter)});
    // Back in the password field, Enter presses the default button.
    EXPECT_EQ(g_commands, (std::vector<std::pair<int, int>>{{IDOK, BN_CLICKED}}));
}

TEST_F(TerminalFrontEndTest, AWindowBehindAModalOneDoesNotReact)
{
    HWND dialog = openTestDialog();
    const Rect ok = cellsOfControl(dialog, IDOK);
    const Rect remember = cellsOfControl(dialog, rememberBox);
    static const DialogTemplate modal = dialogTemplate(L"Modal", 150, 100, 70, 30, modalItems);
    g_commands.clear();
    // Clicks on the dialog behind while the modal one waits; Escape closes it.
    terminal.add({InputEvent::ofClick(ok.x + 2, ok.y), InputEvent::ofClick(remember.x, remember.y),
                  InputEvent::ofKey(Key::Escape)});
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &modal, dialog, modalDialogProc, 0), IDCANCEL);
    EXPECT_TRUE(terminal.consumed());
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(IsDlgButtonChecked(dialog, rememberBox), static_cast<UINT>(BST_UNCHECKED));
    // What the user saw last: the modal dialog over the disabled one.
    EXPECT_TRUE(terminal.shown().find(L" Modal "));
    const auto behind = terminal.shown().find(L" Test Dialog ");
    ASSERT_TRUE(behind);
    EXPECT_EQ(terminal.shown().at(behind->x, behind->y).style, Theme::titleInactive);

    // A modal window of the host's own: the command line and the menu bar do not react either.
    terminal.add({InputEvent::ofCharacter(L'q'), InputEvent::ofKey(Key::F10), InputEvent::ofKey(Key::Enter)});
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, &modal, host, modalDialogProc, 0), IDCANCEL);
    EXPECT_TRUE(ranLines.empty());
    EXPECT_TRUE(g_hostCommands.empty());
    EXPECT_EQ(terminal.shown().rowText(29).substr(0, 3), L">  ");
}

TEST_F(TerminalFrontEndTest, HostMenuBarAndCommandLine)
{
    act({InputEvent::ofKey(Key::F10)});
    EXPECT_TRUE(screen().find(L"Greyed"));
    act({InputEvent::ofKey(Key::Enter)});
    EXPECT_EQ(g_hostCommands, std::vector<UINT>{runCommand});
    EXPECT_FALSE(screen().find(L"Greyed"));

    // Escape closes the menu and the keys go back to the command line.
    act({InputEvent::ofCharacter(L't', true), InputEvent::ofKey(Key::Escape), InputEvent::ofCharacter(L'r')});
    EXPECT_EQ(g_hostCommands, std::vector<UINT>{runCommand});

    // The "r" went to the command line; Enter runs it and the pane shows it.
    act({InputEvent::ofCharacter(L'1'), InputEvent::ofKey(Key::Enter)});
    EXPECT_EQ(ranLines, std::vector<std::wstring>{L"r1"});
    EXPECT_TRUE(screen().find(L"> r1"));

    // A click on the menu bar's title opens it; a click on the item chooses it.
    act({InputEvent::ofClick(2, 0)});
    const auto run = screen().find(L"Run");
    ASSERT_TRUE(run);
    act({InputEvent::ofClick(run->x, run->y)});
    EXPECT_EQ(g_hostCommands, (std::vector<UINT>{runCommand, runCommand}));
}

TEST_F(TerminalFrontEndTest, AWindowTooLargeForTheTerminalIsClippedAndMovesWithKeys)
{
    static const std::array<DialogItemTemplate, 1> items = {item(L"BUTTON", L"Far", IDOK, WS_TABSTOP, 340, 270, 50, 14)};
    static const DialogTemplate large = dialogTemplate(L"Large", 0, 0, 400, 300, items);
    HWND dialog = openDialog(large, testDialogProc);
    act({});
    RECT before{};
    GetWindowRect(dialog, &before);
    const Rect cells = CellGeometry::cellsOf(before);
    ASSERT_GT(cells.right(), 80);
    EXPECT_FALSE(screen().find(L"[ Far"));

    // F7 moves the window a cell a key until Enter; moved far enough, the far corner comes into view.
    const auto move = [&](int left, int up) {
        terminal.add({InputEvent::ofKey(Key::F7)});
        for (int i = 0; i < left; ++i)
            terminal.add({InputEvent::ofKey(Key::Left)});
        for (int i = 0; i < up; ++i)
            terminal.add({InputEvent::ofKey(Key::Up)});
        act({InputEvent::ofKey(Key::Enter)});
    };
    move(2, 1);
    RECT after{};
    GetWindowRect(dialog, &after);
    EXPECT_EQ(after.left, before.left - 2 * CellGeometry::cellWidthPx);
    EXPECT_EQ(after.top, before.top - CellGeometry::cellHeightPx);
    move(20, 8);
    EXPECT_TRUE(screen().find(L"Far")) << WideToUtf8(screen().snapshot());
}

INT_PTR CALLBACK choicesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return testDialogProc(dialog, message, wParam, lParam);
    for (const wchar_t* option : {L"STANDBY", L"LAMPALL OFF", L"PUMPALL OFF"})
        SendDlgItemMessageW(dialog, 201, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(option));
    SendDlgItemMessageW(dialog, 201, CB_SETCURSEL, 0, 0);
    CheckRadioButton(dialog, 202, 203, 202);
    return TRUE;
}

TEST_F(TerminalFrontEndTest, ComboListsAndRadioButtonsTakeClicksAndKeys)
{
    static const std::array<DialogItemTemplate, 4> items = {
        item(L"COMBOBOX", L"", 201, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 100, 60),
        item(L"BUTTON", L"&First", 202, WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 10, 30, 60, 10),
        item(L"BUTTON", L"S&econd", 203, BS_AUTORADIOBUTTON, 10, 40, 60, 10),
        item(L"COMBOBOX", L"", 204, WS_TABSTOP | WS_GROUP | CBS_DROPDOWN | CBS_UPPERCASE, 10, 54, 100, 60),
    };
    static const DialogTemplate choices = dialogTemplate(L"Choices", 20, 20, 150, 70, items);
    HWND dialog = openDialog(choices, choicesDialogProc);
    act({});
    const Rect combo = cellsOfControl(dialog, 201);
    EXPECT_EQ(screen().find(L"STANDBY"), (Screen::Point{combo.x, combo.y}));
    EXPECT_TRUE(screen().find(L"(•) First"));

    // A click opens the list over the window; a click on an entry chooses it and closes the list.
    clickOn(dialog, 201);
    const auto entry = screen().find(L"PUMPALL OFF");
    ASSERT_TRUE(entry) << WideToUtf8(screen().snapshot());
    EXPECT_GT(entry->y, combo.y);
    act({InputEvent::ofClick(entry->x, entry->y)});
    EXPECT_EQ(SendDlgItemMessageW(dialog, 201, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(screen().find(L"PUMPALL OFF"), (Screen::Point{combo.x, combo.y}));
    EXPECT_FALSE(screen().find(L"LAMPALL OFF"));

    // With the focus on the combo box, Up chooses the entry before.
    act({InputEvent::ofKey(Key::Up)});
    EXPECT_EQ(SendDlgItemMessageW(dialog, 201, CB_GETCURSEL, 0, 0), 1);
    // F4 and Alt+Down open the list by keyboard.
    act({InputEvent::ofKey(Key::F4)});
    EXPECT_TRUE(screen().find(L"PUMPALL OFF")) << WideToUtf8(screen().snapshot());
    act({InputEvent::ofKey(Key::Escape)});
    EXPECT_FALSE(screen().find(L"PUMPALL OFF"));
    act({InputEvent::ofKey(Key::Down, true)});
    EXPECT_TRUE(screen().find(L"PUMPALL OFF"));
    act({InputEvent::ofKey(Key::Enter)});
    EXPECT_FALSE(screen().find(L"PUMPALL OFF"));

    clickOn(dialog, 203);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 202), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(screen().find(L"(•) Second"));
    EXPECT_TRUE(screen().find(L"( ) First"));

    // A drop-down combo's edit field takes typing, shown with the caret after it.
    clickOn(dialog, 204);
    act({InputEvent::ofCharacter(L'x'), InputEvent::ofCharacter(L'y'), InputEvent::ofCharacter(L'z')});
    // The combo converts to upper case.
    const auto typed = screen().find(L"XYZ");
    ASSERT_TRUE(typed) << WideToUtf8(screen().snapshot());
    EXPECT_EQ(screen().cursor(), (Screen::Point{typed->x + 3, typed->y}));
}

} // namespace

namespace {

std::vector<int> g_doubleClicked;

INT_PTR CALLBACK listDialogProc(HWND, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_DBLCLK)
        g_doubleClicked.push_back(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem);
    return message == WM_INITDIALOG;
}

TEST_F(TerminalFrontEndTest, ListViewsShowHeaderStateImagesAndSelectionAndScrollByWheelAndKeys)
{
    static const DialogTemplate frame = dialogTemplate(L"Lists", 8, 8, 200, 96, {});
    HWND dialog = openDialog(frame, listDialogProc);
    // Twelve pixels of header and ten rows of list: a header and nine items in view.
    HWND list = createChild(dialog, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 8, 8, 48 * 8, 10 * 16);
    const HMODULE module = LoadLibraryW(L"" SERION_MODULE_PATH);
    ASSERT_TRUE(module);
    HIMAGELIST states = ImageList_LoadImageW(module, MAKEINTRESOURCEW(351), 20, 5, RGB(255, 255, 255), IMAGE_BITMAP, 0);
    ASSERT_EQ(ImageList_GetImageCount(states), 6);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(states));
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    for (const auto& [index, title, width] : {std::tuple{0, L"", 21}, std::tuple{1, L"Method Name", 144}, std::tuple{2, L"Data File", 144}})
        InsertListColumn(list, index, title, width);
    for (int index = 0; index < 20; ++index) {
        LVITEMW item{};
        item.mask = LVIF_STATE;
        item.iItem = index;
        item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(index % 5 + 1));
        item.stateMask = LVIS_STATEIMAGEMASK;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetListItemText(list, index, 1, L"Method " + std::to_wstring(index));
    }
    act({});

    const Rect cells = CellGeometry::cellsOf(Automation::describe(list).windowRect);
    EXPECT_EQ(screen().find(L"Method Name"), (Screen::Point{cells.x + 3, cells.y}));
    EXPECT_EQ(screen().find(L"\u2612  Method 0"), (Screen::Point{cells.x, cells.y + 1}));
    EXPECT_EQ(screen().find(L"\u2713  Method 2"), (Screen::Point{cells.x, cells.y + 3}));
    EXPECT_EQ(screen().at(cells.x, cells.y + 4).ch, L'?');
    EXPECT_EQ(screen().at(cells.x, cells.y + 4).style.fg, Color::Red) << "the failed image is red";
    EXPECT_EQ(screen().at(cells.right() - 1, cells.bottom() - 1).ch, L'▼') << "more rows below";

    // A click selects a row; the same cell again at once is a double click, half a second later not.
    const auto clickRow = [&](int row) { act({InputEvent::ofClick(cells.x + 5, cells.y + 1 + row)}); };
    clickRow(1);
    EXPECT_EQ(screen().at(cells.x + 5, cells.y + 2).style, Theme::selection.with(Attr::Underline)) << "the clicked row has the keys";
    clickRow(1);
    EXPECT_EQ(g_doubleClicked, std::vector<int>{1});
    clickRow(1);
    Clock::advance(501);
    clickRow(1);
    EXPECT_EQ(g_doubleClicked, std::vector<int>{1});

    // A double click is on one item: the wheel between the clicks, or rows that moved, part them.
    clickRow(2);
    act({InputEvent::ofWheel(cells.x + 5, cells.y + 4, -1)});
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 3);
    clickRow(2);
    EXPECT_EQ(g_doubleClicked, std::vector<int>{1});
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 5);
    clickRow(2);
    EXPECT_EQ(g_doubleClicked, (std::vector<int>{1, 5}));
    clickRow(2);
    SendMessageW(list, LVM_DELETEITEM, 0, 0);
    clickRow(2);
    EXPECT_EQ(g_doubleClicked, (std::vector<int>{1, 5})) << "row 2 shows another item now";
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 5);
    g_doubleClicked.clear();

    // The wheel and the keys scroll: nineteen rows left, nine in view.
    EXPECT_EQ(screen().at(cells.right() - 1, cells.y + 1).ch, L'▲');
    act({InputEvent::ofKey(Key::End)});
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 10);
    EXPECT_TRUE(screen().find(L"Method 19"));
    EXPECT_EQ(screen().cursor(), (Screen::Point{cells.x, cells.bottom() - 1})) << "the cursor on the focused row";
    FreeLibrary(module);
}

TEST_F(TerminalFrontEndTest, InListModeItemsRunDownColumnsAndAClickReachesTheItemDrawnThere)
{
    static const DialogTemplate frame = dialogTemplate(L"Lists", 8, 8, 200, 96, {});
    HWND dialog = openDialog(frame, listDialogProc);
    // Four rows of 40 cells: with "Method 19" the widest, columns of 10 cells, four in view.
    HWND list = createChild(dialog, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_LIST, 8, 8, 40 * 8, 4 * 16);
    AppendListItems(list, L"Method ", 20);
    act({});

    const Rect cells = CellGeometry::cellsOf(Automation::describe(list).windowRect);
    EXPECT_EQ(screen().find(L"Method 3"), (Screen::Point{cells.x, cells.y + 3}));
    EXPECT_EQ(screen().find(L"Method 4"), (Screen::Point{cells.x + 10, cells.y}));
    EXPECT_EQ(screen().find(L"Method 15"), (Screen::Point{cells.x + 30, cells.y + 3}));
    EXPECT_FALSE(screen().find(L"Method 16")) << "the fifth column lies beyond the list";
    EXPECT_EQ(screen().at(cells.right() - 1, cells.bottom() - 1).ch, L'►') << "more columns to the right";

    act({InputEvent::ofClick(cells.x + 12, cells.y + 1)});
    EXPECT_EQ(screen().at(cells.x + 12, cells.y + 1).style, Theme::selection.with(Attr::Underline));
    EXPECT_NE(screen().at(cells.x + 2, cells.y + 1).style, Theme::selection.with(Attr::Underline));
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 5);

    // Ctrl and Shift held with a key reach the list: Shift extends from the mark, Ctrl moves the
    // focus alone and Ctrl+Space adds it.
    act({InputEvent::ofKey(Key::Down).withShift(), InputEvent::ofKey(Key::Right).withCtrl(), InputEvent::ofControl(L' ')});
    EXPECT_EQ(SelectedListItems(list), (std::vector<int>{5, 6, 10}));

    // The wheel brings the next column in from the right.
    act({InputEvent::ofWheel(cells.x + 5, cells.y + 1, -1)});
    EXPECT_EQ(screen().find(L"Method 4"), (Screen::Point{cells.x, cells.y}));
    EXPECT_EQ(screen().find(L"Method 19"), (Screen::Point{cells.x + 30, cells.y + 3}));
    EXPECT_EQ(screen().at(cells.x, cells.bottom() - 1).ch, L'◄') << "columns to the left";
}

TEST_F(TerminalFrontEndTest, AReadOnlyMessageWrappedOnMoreRowsThanItsBoxScrollsByRowsToItsLastWord)
{
    static const DialogTemplate frame = dialogTemplate(L"Message", 8, 8, 120, 60, {});
    HWND dialog = openDialog(frame, listDialogProc);
    // One line that takes fourteen rows of eleven cells, the twelfth cell left to the marks; two rows in view.
    HWND message = createChild(dialog, L"EDIT", L"The pump stopped: its pressure rose above the limit the method sets, at 12.3 "
                               L"minutes into the run. Check the column and restart",
                               WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 8, 8, 12 * 8, 2 * 16);
    act({});
    const Rect cells = CellGeometry::cellsOf(Automation::describe(message).windowRect);
    const auto shows = [&](const wchar_t* top, const wchar_t* bottom, bool above, bool below) {
        EXPECT_EQ(screen().find(top), (Screen::Point{cells.x, cells.y})) << "top row";
        EXPECT_EQ(screen().find(bottom), (Screen::Point{cells.x, cells.y + 1})) << "bottom row";
        EXPECT_EQ(screen().at(cells.right() - 1, cells.y).ch == L'▲', above) << top;
        EXPECT_EQ(screen().at(cells.right() - 1, cells.y + 1).ch == L'▼', below) << top;
    };
    shows(L"The pump", L"stopped:", false, true);
    EXPECT_EQ(SendMessageW(message, EM_GETLINECOUNT, 0, 0), 14);

    // The reader's keys move the rows as drawn, the last one included.
    act({InputEvent::ofClick(cells.x + 1, cells.y), InputEvent::ofKey(Key::Down)});
    shows(L"stopped:", L"its", true, true);
    act({InputEvent::ofKey(Key::PageDown)});
    shows(L"pressure", L"rose above", true, true);
    act({InputEvent::ofKey(Key::End), InputEvent::ofKey(Key::Down)});
    shows(L"the column", L"and restart", true, false);
    act({InputEvent::ofKey(Key::PageUp)});
    shows(L"into the", L"run. Check", true, true);
    act({InputEvent::ofKey(Key::Home)});
    shows(L"The pump", L"stopped:", false, true);

    // The wheel goes three rows a notch, and stops at the last row too.
    const auto wheelDown = InputEvent::ofWheel(cells.x + 1, cells.y, -1);
    act({wheelDown});
    shows(L"pressure", L"rose above", true, true);
    act({wheelDown, wheelDown, wheelDown, wheelDown});
    shows(L"the column", L"and restart", true, false);
    act({InputEvent::ofWheel(cells.x + 1, cells.y, 1)});
    shows(L"minutes", L"into the", true, true);
}

TEST(TerminalTooSmall, SaysHowLargeTheTerminalMustBeAndIgnoresAllButQuitting)
{
    ScriptedTerminal small{70, 20};
    std::vector<std::wstring> ran;
    TerminalFrontEnd frontEnd{small, {nullptr, [&ran](const std::wstring& line) { ran.push_back(line); }}};
    InputSource* previous = Automation::setInputSource(&frontEnd);
    frontEnd.render();
    EXPECT_TRUE(frontEnd.screen().find(L"The terminal is 70 x 20."));
    EXPECT_TRUE(frontEnd.screen().find(L"Orvane needs at least 80 x 24:"));
    for (const InputEvent& event : {InputEvent::ofCharacter(L'x'), InputEvent::ofKey(Key::Enter), InputEvent::ofClick(3, 3)})
        frontEnd.handle(event);
    EXPECT_TRUE(ran.empty());
    Automation::setInputSource(previous);
}

} // namespace
