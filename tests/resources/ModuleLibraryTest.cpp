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
