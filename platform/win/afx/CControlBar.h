// The base of the tool bar and the status bar: a child window that RepositionBars places along
// its parent's top or bottom edge, with its bar style and borders.
#pragma once

#include "CWnd.h"
#include "MessageMap.h"

// Bar styles (m_dwStyle), apart from the window's own.
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD CBRS_ALL = 0x0040FFFF;

class CControlBar : public CWnd {
public:
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    // The bar's size along its edge: the whole width, one line of the dialog font high.
    virtual SIZE CalcFixedLayout(BOOL bStretch, BOOL bHorz);

    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;
    DWORD m_dwStyle = 0;

protected:
    // Splits the bar styles from the window styles: the control must not place itself.
    DWORD SplitStyle(DWORD dwStyle);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
