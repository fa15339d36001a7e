// Control bars: their styles, borders and place in the parent.
#include "CControlBar.h"

#include "win/CommCtrl.h"

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
END_MESSAGE_MAP()

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

SIZE CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    RECT client{};
    if (CWnd* pParent = GetParent())
        ::GetClientRect(pParent->GetSafeHwnd(), &client);
    return SIZE{client.right - client.left, HIWORD(::GetDialogBaseUnits())};
}

DWORD CControlBar::SplitStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!layout || !(GetStyle() & WS_VISIBLE))
        return 0;
    const SIZE size = CalcFixedLayout(layout->bStretch, TRUE);
    RECT& room = layout->rect;
    const LONG width = room.right - room.left;
    if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
        ::MoveWindow(m_hWnd, room.left, room.bottom - size.cy, width, size.cy, TRUE);
        room.bottom -= size.cy;
    } else {
        ::MoveWindow(m_hWnd, room.left, room.top, width, size.cy, TRUE);
        room.top += size.cy;
    }
    return 0;
}
