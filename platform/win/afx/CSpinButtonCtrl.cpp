// Up-down control operations through the UDM_ messages.
#include "CSpinButtonCtrl.h"

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    SendMessage(UDM_SETRANGE, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(nUpper), static_cast<WORD>(nLower))));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }

int CSpinButtonCtrl::SetPos(int nPos)
{
    return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, static_cast<LPARAM>(MAKELONG(static_cast<WORD>(nPos), 0)))));
}

int CSpinButtonCtrl::SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }

int CSpinButtonCtrl::GetPos32(BOOL* pbError) const
{
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(pbError)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
