// A list view control: columns, items with their parameter, state and texts, the selection and
// the hit test, through the LVM_ messages.
#pragma once

#include "CImageList.h"
#include "CWnd.h"
#include "win/CommCtrl.h"

#include <string>

// A place in a walk over the selected items; null when the walk is over.
struct __POSITION;
using POSITION = __POSITION*;

class CListCtrl : public CWnd {
public:
    // The previous image list of that kind (LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE), or null.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    DWORD SetExtendedStyle(DWORD dwNewStyle);

    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);

    int GetItemCount() const;
    int InsertItem(const LVITEMW* pItem);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    BOOL SetItem(const LVITEMW* pItem);
    BOOL GetItem(LVITEMW* pItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    std::wstring GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL DeleteAllItems();

    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    // The item at pos; pos moves on to the next selected item.
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);

    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
};
