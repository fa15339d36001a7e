// The main viewer's dialog template 23201 and menu 301 as the window layer finds them in the module.
#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "win/WinUser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MainViewerResources : public testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryW(L"" SERION_MODULE_PATH);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }

    template <typename T>
    const T* find(LPCWSTR type, WORD id)
    {
        HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), LANG_ENGLISH_US);
        return found ? static_cast<const T*>(LockResource(LoadResource(module, found))) : nullptr;
    }

    HMODULE module = nullptr;
};

TEST_F(MainViewerResources, TemplateIsTheModelessMainWindowWithItsMenuAndControlsInTabOrder)
{
    const auto* dialog = find<DialogTemplate>(RT_DIALOG, 23201);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::wstring(dialog->caption), L"Run Serion Methods");
    EXPECT_EQ(dialog->cx, 301);
    EXPECT_EQ(dialog->cy, 218);
    EXPECT_EQ(dialog->menuId, 301);
    EXPECT_EQ(std::wstring(dialog->fontName), L"MS Sans Serif");
    EXPECT_EQ(dialog->pointSize, 8);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(dialog->style & frame, frame);
    EXPECT_EQ(dialog->style & (WS_MAXIMIZEBOX | WS_VISIBLE | WS_CHILD), 0u);

    std::vector<int> ids;
    for (const DialogItemTemplate& item : dialog->items)
        ids.push_back(item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDC_STATIC, 19006, IDC_STATIC, 19005, 33001, 33002, 33003, IDOK}));

    const DialogItemTemplate& groups = dialog->items[1];
    EXPECT_EQ(groups.style & (CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP), CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP);
    const DialogItemTemplate& shutdown = dialog->items[3];
    EXPECT_EQ(shutdown.style & 3, CBS_DROPDOWN);
    EXPECT_EQ(shutdown.style & CBS_UPPERCASE, CBS_UPPERCASE);
    EXPECT_EQ(dialog->items[4].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const DialogItemTemplate& close = dialog->items[7];
    EXPECT_EQ(close.style & (WS_VISIBLE | WS_DISABLED), WS_DISABLED) << "Close is created hidden and disabled";
}

TEST_F(MainViewerResources, MenuHasFileGroupMethodAndAHelpCommand)
{
    const auto* bar = find<MenuTemplate>(RT_MENU, 301);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->items.size(), 4u);
    EXPECT_EQ(std::wstring(bar->items[0].text), L"&File");
    EXPECT_EQ(std::wstring(bar->items[1].text), L"&Group");
    EXPECT_EQ(std::wstring(bar->items[2].text), L"&Method");
    EXPECT_EQ(std::wstring(bar->items[3].text), L"&Help");
    EXPECT_EQ(bar->items[3].id, 9u);
    EXPECT_EQ(bar->items[3].popup, nullptr);

    auto ids = [](const MenuTemplate* menu) {
        std::vector<UINT> result;
        for (const MenuItemTemplate& item : menu->items)
            result.push_back(item.flags & MF_SEPARATOR ? 0 : item.id);
        return result;
    };
    EXPECT_EQ(ids(bar->items[0].popup), (std::vector<UINT>{32779, 2}));
    EXPECT_EQ(ids(bar->items[1].popup), (std::vector<UINT>{32773, 32774, 0, 32775}));
    EXPECT_EQ(ids(bar->items[2].popup), (std::vector<UINT>{32770, 32771, 0, 32772, 0, 32777, 32778}));
}

} // namespace
