// A device context: the colours a WM_CTLCOLOR handler sets, and the painting of an owner-drawn
// control (fills, text in a colour, bitmaps). A CDC made from a handle never owns it; one made
// with CreateCompatibleDC deletes its context with the object.
#pragma once

#include "CObject.h"
#include "win/WinGdi.h"

#include <string>

class CBitmap;

class CDC : public CObject {
public:
    explicit CDC(HDC hDC = nullptr) : m_hDC(hDC) {}
    ~CDC() override;

    // A temporary wrapper that lives as long as the call that got it.
    static CDC* FromHandle(HDC hDC);
    BOOL CreateCompatibleDC(CDC* pDC);

    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    CBitmap* SelectObject(CBitmap* pBitmap);
    // Fills with the colour; the background colour is the colour's afterwards, as in MFC.
    void FillSolidRect(LPCRECT lpRect, COLORREF color);
    int DrawText(const std::wstring& text, LPRECT lpRect, UINT nFormat);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);

    HDC m_hDC;

private:
    bool m_bOwned = false;
    CBitmap* m_pSelectedBitmap = nullptr;
};
