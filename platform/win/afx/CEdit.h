// An edit control: its text limit, selection and read-only state.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
public:
    void SetLimitText(UINT nMax);
    void LimitText(int nChars = 0) { SetLimitText(static_cast<UINT>(nChars)); }
    // nStartChar 0 and nEndChar -1 select everything; -1 and -1 remove the selection.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};
