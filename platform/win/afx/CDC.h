// A device context as WM_CTLCOLOR hands it to a handler: the colours a control is drawn with.
// It never owns the handle.
#pragma once

#include "CObject.h"
#include "win/WinGdi.h"

class CDC : public CObject {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}

    HDC GetSafeHdc() const { return m_hDC; }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

    HDC m_hDC;
};
