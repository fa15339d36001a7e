// The tool bar's creation and its tool-tip relay.
#include "CSRToolBar.h"

BOOL CSRToolBar::Create(CWnd* pParent, UINT nIDResource)
{
    if (!CreateEx(pParent, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, RECT{0, 0, 0, 0}) ||
        !LoadToolBar(nIDResource))
        return FALSE;
    ShowWindow(SW_SHOW);
    SetBarStyle(CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY);
    SetBorders(10, 2, 0, 2);
    return TRUE;
}

LRESULT CSRToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    FilterToolTipMessage(message, wParam, lParam);
    return CToolBar::WindowProc(message, wParam, lParam);
}
