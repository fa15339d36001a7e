// Tool bar buttons through the TB_ messages.
#include "CToolBar.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"

#include <vector>

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, RECT rcBorders, UINT nID)
{
    if (!pParentWnd)
        return FALSE;
    DWORD dwWindowStyle = SplitStyle(dwStyle) | dwCtrlStyle;
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWindowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEW, nullptr, dwWindowStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
        return FALSE;
    SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const LPCWSTR name = MAKEINTRESOURCEW(static_cast<WORD>(nIDResource));
    const HRSRC hResource = ::FindResourceW(hInst, name, RT_TOOLBAR);
    const auto* pData = hResource ? static_cast<const ToolBarTemplate*>(::LockResource(::LoadResource(hInst, hResource))) : nullptr;
    if (!pData)
        return FALSE;
    const std::vector<UINT> ids(pData->items.begin(), pData->items.end());
    // A button is its image and a margin of 7 pixels either way, as MFC makes it.
    SetSizes(SIZE{pData->wWidth + 7, pData->wHeight + 7}, SIZE{pData->wWidth, pData->wHeight});
    const HBITMAP hBitmap = ::LoadBitmapW(hInst, name);
    return hBitmap && SetBitmap(hBitmap) && SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int nImage = 0;
    for (int i = 0; i < nIDCount; ++i) {
        TBBUTTON button{};
        if (lpIDArray[i] == ID_SEPARATOR) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 8;
        } else {
            button.idCommand = static_cast<int>(lpIDArray[i]);
            button.iBitmap = nImage++;
            button.fsState = TBSTATE_ENABLED;
        }
        buttons.push_back(button);
    }
    return SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != FALSE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell)
{
    BITMAP info{};
    if (!::GetObjectW(hbmImageWell, sizeof(info), &info) || m_sizeImage.cx <= 0)
        return FALSE;
    TBADDBITMAP added{nullptr, reinterpret_cast<UINT_PTR>(hbmImageWell)};
    const auto nImages = static_cast<int>(info.bmWidth / m_sizeImage.cx);
    return SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nImages), reinterpret_cast<LPARAM>(&added)) >= 0;
}

void CToolBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    CControlBar::SetBorders(cxLeft, cyTop, cxRight, cyBottom);
    if (m_hWnd)
        SendMessage(TB_SETINDENT, static_cast<WPARAM>(cxLeft));
}

int CToolBar::CommandToIndex(UINT nIDFind) const { return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind)); }

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button{};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button));
    return static_cast<UINT>(button.idCommand);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    const UINT nID = GetItemID(nIndex);
    SendMessage(TB_SETSTATE, nID, MAKELONG(static_cast<BYTE>(HIWORD(nStyle) ^ TBSTATE_ENABLED), 0));
}
