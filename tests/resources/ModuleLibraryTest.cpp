// The module library as the host sees it: loadable, one export, and its resources by handle.
#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "resources/ResourceIds.h"
#include "tui/CellGeometry.h"
#include "win/CommCtrl.h"
#include "win/WinUser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class ModuleLibrary : public testing::Test {
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

TEST_F(ModuleLibrary, CommandTableIsTheFiftySixBytesTheHostReads)
{
    HRSRC found = FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(101), LANG_ENGLISH_US);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(module, found), 56u);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const std::vector<unsigned char> expected = {
        'W', 'I', 'T', 'H', 'H', 'E', 'L', 'P', 0, 0x01, 0x00, 0x00, 0x80, 0x00,
        'F', 'I', 'A', 'R', 'U', 'N', 'N', 'E', 'R', 0, 0xEA, 0x03, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
        'F', 'I', 'A', 'C', 'O', 'N', 'T', 'R', 'O', 'L', 0, 0xE9, 0x03, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
        0, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 56), expected);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(102), RT_RCDATA), nullptr);
}

TEST_F(ModuleLibrary, IsFoundByNameOnceLoadedAndExportsOnlyItsEntry)
{
    EXPECT_EQ(GetModuleHandleW(L"serion"), module);
    EXPECT_EQ(GetModuleHandleW(L"LIBSERION.SO"), module);
    EXPECT_NE(GetProcAddress(module, "OOCPSRV"), nullptr);
    EXPECT_EQ(LoadLibraryW(L"libno-such-module.so"), nullptr);

    std::unique_ptr<FILE, int (*)(FILE*)> listing(
        popen("nm -D --defined-only " SERION_MODULE_PATH " | awk '{print $3}'", "r"), pclose);
    ASSERT_TRUE(listing);
    std::string exported;
    char line[512];
    while (fgets(line, sizeof line, listing.get()))
        exported += line;
    EXPECT_EQ(exported, "OOCPSRV\n");
}

// The caption, size, menu, default button and Close button are seen where the module and the
// terminal show the window; what the user's keys and typing meet is checked here.
TEST_F(ModuleLibrary, MainViewerTemplateHasItsControlsInTabOrderWithTheStylesTheUserMeets)
{
    const auto* dialog = find<DialogTemplate>(RT_DIALOG, 23201);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->style & WS_VISIBLE, 0u) << "shown once it is filled";
    std::vector<int> ids;
    for (const DialogItemTemplate& item : dialog->items)
        ids.push_back(item.id);
    EXPECT_EQ(ids, (std::vector<int>{IDC_STATIC, 19006, IDC_STATIC, 19005, IDC_STATIC, 19040, IDC_STATIC, 19041,
                                     IDC_STATIC, 19042, 19001, 33001, 33002, 33003, IDOK, 19053, 19054}));

    const DialogItemTemplate& groups = dialog->items[1];
    EXPECT_EQ(groups.style & (CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP), CBS_DROPDOWNLIST | CBS_SORT | WS_TABSTOP);
    const DialogItemTemplate& shutdown = dialog->items[3];
    EXPECT_EQ(shutdown.style & 3, CBS_DROPDOWN);
    EXPECT_EQ(shutdown.style & CBS_UPPERCASE, CBS_UPPERCASE);
    EXPECT_EQ(dialog->items[5].style & ES_UPPERCASE, ES_UPPERCASE) << "the command on recovery, as the shut-down";
    EXPECT_EQ(dialog->items[7].style & 3, CBS_DROPDOWNLIST) << "the failure policy is chosen, not typed";
    const DialogItemTemplate& list = dialog->items[10];
    EXPECT_EQ(std::wstring(list.className), L"SysListView32");
    EXPECT_EQ(list.style & (LVS_TYPEMASK | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER), LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
}

} // namespace

// A terminal character takes a whole cell, wider than the dialog font's average character: a
// one-row label wider than its box runs on into the cells beside it, which must then be free.
TEST_F(ModuleLibrary, NoLabelOfADialogRunsIntoTheControlBesideItOnTheTerminal)
{
    const LONG baseUnits = GetDialogBaseUnits();
    const auto cellsOf = [&](const DialogItemTemplate& item) {
        const RECT pixels{item.x * LOWORD(baseUnits) / 4, item.y * HIWORD(baseUnits) / 8,
                          (item.x + item.cx) * LOWORD(baseUnits) / 4, (item.y + item.cy) * HIWORD(baseUnits) / 8};
        return CellGeometry::cellsOf(pixels);
    };
    const auto isOneRowLabel = [&](const DialogItemTemplate& item) {
        const DWORD kind = item.style & SS_TYPEMASK;
        return EqualsNoCase(std::wstring_view(item.className), L"Static") && item.text && *item.text && kind != SS_ICON &&
               kind != SS_ETCHEDHORZ && cellsOf(item).height == 1;
    };
    for (WORD id : {IDD_MAIN_VIEWER, IDD_ADD_GROUP, IDD_ADD_METHOD, IDD_AUTONAME, IDD_METHOD_INFO, IDD_LOCKER, IDD_LOGON,
                    IDD_USER_INFO, IDD_USER_ACCOUNTS, IDD_EXPORT_RESULTS, IDD_IMPORT_WORKLIST, IDD_QC_RULES}) {
        const auto* dialog = find<DialogTemplate>(RT_DIALOG, id);
        ASSERT_NE(dialog, nullptr) << id;
        for (const DialogItemTemplate& label : dialog->items) {
            if (!isOneRowLabel(label))
                continue;
            const Rect cells = cellsOf(label);
            std::wstring shown(label.text);
            if (!(label.style & SS_NOPREFIX))
                std::erase(shown, L'&');
            const int textEnd = cells.x + static_cast<int>(shown.size());
            for (const DialogItemTemplate& other : dialog->items) {
                const Rect beside = cellsOf(other);
                const bool sameRow = beside.y <= cells.y && cells.y < beside.bottom();
                if (&other != &label && sameRow && beside.x > cells.x && beside.x < textEnd)
                    ADD_FAILURE() << "dialog " << id << ": \"" << WideToUtf8(label.text) << "\" runs into control " << other.id;
            }
        }
    }
}
