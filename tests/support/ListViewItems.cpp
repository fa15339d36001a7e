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

void InsertListColumn(HWND list, int index, const wchar_t* title, int width, int format)
{
    LVCOLUMNW column{LVCF_FMT | LVCF_TEXT | LVCF_WIDTH, format, width, const_cast<LPWSTR>(title), 0, index, 0, 0};
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetListItemText(HWND list, int index, int column, const std::wstring& text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<LPWSTR>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::vector<int> SelectedListItems(HWND list)
{
    std::vector<int> indexes;
    for (int index = -1; (index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0;)
        indexes.push_back(index);
    return indexes;
}
