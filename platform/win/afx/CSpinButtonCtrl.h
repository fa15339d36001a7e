// An up-down control: its range, position and buddy window.
#pragma once

#include "CWnd.h"
#include "win/CommCtrl.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    // The previous position.
    int SetPos(int nPos);
    int SetPos32(int nPos);
    int GetPos32(BOOL* pbError = nullptr) const;
    // The previous buddy.
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
};
