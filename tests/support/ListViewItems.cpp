// Filling a list view for a test.
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
