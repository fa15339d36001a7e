// A tool bar over the tool bar control: buttons and separators from a tool bar resource and its
// bitmap, each button's style (TBBS_...) as MFC keeps it.
#pragma once

#include "CControlBar.h"
#include "win/CommCtrl.h"

#include <span>

// Button styles: the control's style in the low word, its state in the high word (disabled
// being the enabled state's absence).
constexpr UINT TBBS_BUTTON = 0x00000000;
constexpr UINT TBBS_SEPARATOR = 0x00000001;
constexpr UINT TBBS_CHECKBOX = 0x00000002;
constexpr UINT TBBS_CHECKED = 0x00010000;
constexpr UINT TBBS_PRESSED = 0x00020000;
constexpr UINT TBBS_DISABLED = 0x00040000;
constexpr UINT TBBS_HIDDEN = 0x00080000;
// A separator in a list of button ids.
constexpr UINT ID_SEPARATOR = 0;

// The platform's RT_TOOLBAR resource: the image size and the items, 0 for a separator.
struct ToolBarTemplate {
    WORD wWidth;
    WORD wHeight;
    std::span<const WORD> items;
};

class CToolBar : public CControlBar {
public:
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, RECT rcBorders = RECT{},
                  UINT nID = AFX_IDW_TOOLBAR);
    // The buttons of tool bar resource nIDResource with bitmap nIDResource, from the resource
    // handle in force.
    BOOL LoadToolBar(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // The left border is where the first button begins.
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    BOOL SetBitmap(HBITMAP hbmImageWell);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);

    SIZE m_sizeImage{16, 15};
};
