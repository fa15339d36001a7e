// A status bar over the status bar control: panes with indicator ids, styles and widths, their
// texts, and owner-drawn panes painted by DrawItem.
#pragma once

#include "CControlBar.h"
#include "win/CommCtrl.h"

#include <string>
#include <vector>

// Pane styles: the control's drawing types in the low word, MFC's own above.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_OWNERDRAW = SBT_OWNERDRAW;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar {
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // One pane for each id, plain, as wide as its initial text (the id's string, when there is one).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    BOOL SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate = TRUE);
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    // Paints an owner-drawn pane; the item's itemID is the pane's index.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // A new width gives the stretching pane the room left.
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    struct Pane {
        UINT nID;
        UINT nStyle;
        int cxText;
        std::wstring strText;
    };
    // Hands the panes' edges and texts to the control; a stretching pane takes the room left.
    void UpdateAllPanes();

    std::vector<Pane> m_panes;
};
