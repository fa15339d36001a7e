// Menus: items with their states and sub-menus, loading from a template.
#include "WinTest.h"

using MenuTest = WinTest;
using testing::ElementsAre;

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
