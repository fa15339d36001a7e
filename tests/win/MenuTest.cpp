// Menus: items with their states and sub-menus, loading from a template, and choosing a command
// as a user does: the pop-up is initialised first, a greyed command cannot be chosen, and the
// system menu's Close closes the window.
#include "WinTest.h"

using MenuTest = WinTest;
using testing::ElementsAre;

namespace {

LRESULT CALLBACK greyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITMENUPOPUP)
        EnableMenuItem(reinterpret_cast<HMENU>(wParam), 401, MF_BYCOMMAND | MF_GRAYED);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST_F(MenuTest, ItemsKeepTheirStatesAndSubMenus)
{
    const HMENU menu = LoadMenuW(TestInstance(), MAKEINTRESOURCEW(testMenuId));
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    const HMENU file = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 401u);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) >> 8, 3u);
    EXPECT_EQ(GetMenuState(menu, 402, MF_BYCOMMAND), MF_GRAYED);
    wchar_t text[16]{};
    EXPECT_EQ(GetMenuStringW(menu, 401, text, 16, MF_BYCOMMAND), 5);
    EXPECT_STREQ(text, L"&Open");

    EXPECT_EQ(EnableMenuItem(menu, 402, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu, 402, MF_BYCOMMAND), MF_ENABLED);
    EXPECT_EQ(CheckMenuItem(menu, 411, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(menu, 999, MF_GRAYED), static_cast<DWORD>(-1));
    EXPECT_EQ(GetMenuState(menu, 999, MF_BYCOMMAND), static_cast<UINT>(-1));

    const HMENU popup = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuW(popup, MF_POPUP, 12345, L"Nowhere"));
    DestroyMenu(popup);

    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(MenuTest, ChoosingACommandInitialisesItsPopupFirstAndGreyedCommandsCannotBeChosen)
{
    const HMENU menu = LoadMenuW(TestInstance(), MAKEINTRESOURCEW(testMenuId));
    const HWND window = createRecordingWindow(L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, reinterpret_cast<UINT_PTR>(menu));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 10 * 16 - 3 * 16);   // frame above and below, and the menu bar

    log().clear();
    EXPECT_TRUE(Done(Automation::chooseMenuCommand(window, 401)));
    EXPECT_THAT(log(), ElementsAre("Main WM_INITMENU", "Main WM_INITMENUPOPUP", "Main WM_COMMAND 401 menu"));

    log().clear();
    EXPECT_EQ(Automation::chooseMenuCommand(window, 402).message, L"menu command 402 is greyed");
    EXPECT_EQ(Automation::chooseMenuCommand(window, 999).message, L"the window has no menu command 999");
    EXPECT_THAT(log(), ElementsAre("Main WM_INITMENU", "Main WM_INITMENUPOPUP"));

    EnableWindow(window, FALSE);
    EXPECT_FALSE(Automation::chooseMenuCommand(window, 401).ok);
    EnableWindow(window, TRUE);

    log().clear();
    EXPECT_TRUE(Done(Automation::chooseMenuCommand(window, SC_CLOSE)));
    EXPECT_THAT(log(), testing::IsSupersetOf({"Main WM_SYSCOMMAND 61536", "Main WM_CLOSE", "Main WM_DESTROY"}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsMenu(menu));
}

TEST_F(MenuTest, AWindowMayGreyACommandWhenItsPopupOpens)
{
    const HWND window = createWindowOfClass(L"GreyingWindow", greyingProc, L"Greying", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 160,
                                            nullptr, LoadMenuW(TestInstance(), MAKEINTRESOURCEW(testMenuId)));
    ASSERT_TRUE(window);
    EXPECT_EQ(Automation::chooseMenuCommand(window, 401).message, L"menu command 401 is greyed");
}
