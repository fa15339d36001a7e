// Status bar panes through the SB_ messages.
#include "CStatusBar.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"

#include <algorithm>
#include <cwchar>

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_MESSAGE(WM_SIZE, &CStatusBar::OnSize)
END_MESSAGE_MAP()

// Each pane has a border pixel either side of its text.
constexpr int kPaneBorder = 2;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!pParentWnd)
        return FALSE;
    DWORD dwWindowStyle = SplitStyle(dwStyle);
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWindowStyle |= SBARS_TOOLTIPS;
    return CWnd::CreateEx(0, STATUSCLASSNAMEW, nullptr, dwWindowStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    const LONG cxChar = LOWORD(::GetDialogBaseUnits());
    for (int i = 0; i < nIDCount; ++i) {
        WCHAR text[256] = {};
        ::LoadStringW(AfxGetResourceHandle(), lpIDArray[i], text, 256);
        m_panes.push_back(Pane{lpIDArray[i], SBPS_NORMAL, static_cast<int>(std::wcslen(text) * cxChar), text});
    }
    UpdateAllPanes();
    return TRUE;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_panes[static_cast<std::size_t>(nIndex)] = Pane{nID, nStyle, cxWidth, m_panes[static_cast<std::size_t>(nIndex)].strText};
    UpdateAllPanes();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<std::size_t>(nIndex)];
    pane.strText = lpszNewText ? lpszNewText : L"";
    return SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nIndex) | (pane.nStyle & 0xFF00),
                       reinterpret_cast<LPARAM>(pane.strText.c_str())) != FALSE;
}

void CStatusBar::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CControlBar::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

LRESULT CStatusBar::OnSize(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    UpdateAllPanes();
    return result;
}

void CStatusBar::UpdateAllPanes()
{
    if (m_panes.empty())
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    int used = m_cxLeftBorder + m_cxRightBorder;
    for (const Pane& pane : m_panes)
        used += pane.cxText + 2 * kPaneBorder + borders[2];
    const int extra = std::max(0, static_cast<int>(client.right) - used);
    std::vector<int> rights;
    int right = m_cxLeftBorder;
    for (const Pane& pane : m_panes) {
        right += pane.cxText + 2 * kPaneBorder + ((pane.nStyle & SBPS_STRETCH) ? extra : 0);
        rights.push_back(right);
        right += borders[2];
    }
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        SendMessage(SB_SETTEXTW, i | (m_panes[i].nStyle & 0xFF00), reinterpret_cast<LPARAM>(m_panes[i].strText.c_str()));
}
