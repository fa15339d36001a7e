// A combo box control: its entries, their item data and the selection.
#pragma once

#include "CWnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    // Each returns the entry's index, or CB_ERR (-1) / CB_ERRSPACE as the control answers.
    int AddString(LPCWSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    void GetLBText(int nIndex, std::wstring& rString) const;
    // The first entry after nStartAfter (-1: from the top) that begins with / equals the text,
    // ignoring case.
    int FindString(int nStartAfter, LPCWSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCWSTR lpszFind) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
};
