// Filling a list view for a test and reading its selection.
#include "support/ListViewItems.h"

#include "win/CommCtrl.h"

void AppendListItems(HWND list, const std::wstring& prefix, int count)
{
    for (int index = 0; index < count; ++index) {
        const std::wstring name = prefix + std::to_wstring(index);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<LPWSTR>(name.c_str());
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<int> SelectedListItems(HWND list)
{
    std::vector<int> indexes;
    for (int index = -1; (index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0;)
        indexes.push_back(index);
    return indexes;
}
