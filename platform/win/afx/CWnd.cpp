// Window objects: the handle maps, subclassing, the framework's window procedure and the
// create-window hook.
#include "CWnd.h"

#include "AFX_MAINTAIN_STATE.h"
#include "CDataExchange.h"
#include "CHandleMap.h"
#include "win/CommCtrl.h"

#include <algorithm>
#include <vector>

namespace {

bool isWindowLive(HWND hWnd) { return ::IsWindow(hWnd) != FALSE; }

// Never destroyed: window objects of other static objects may go after it at exit.
CHandleMap<CWnd, HWND, &CWnd::m_hWnd, isWindowLive>& windowMap()
{
    static auto* map = new CHandleMap<CWnd, HWND, &CWnd::m_hWnd, isWindowLive>;
    return *map;
}

// The message being handled, for Default(); saved and restored around nested messages.
MSG currentMessage{};

// The create-window hook: the object the next window created is attached to.
CWnd* windowToAttach = nullptr;
HHOOK createHook = nullptr;

WNDPROC windowProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)); }

LPCWSTR plainWindowClass()
{
    static const LPCWSTR name = [] {
        WNDCLASSW windowClass{};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.lpszClassName = L"AfxWnd";
        ::RegisterClassW(&windowClass);
        return L"AfxWnd";
    }();
    return name;
}

} // namespace

std::wstring AfxGetWindowText(HWND hWnd)
{
    int length = ::GetWindowTextLengthW(hWnd);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    int copied = ::GetWindowTextW(hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return windowMap().LookupPermanent(hWnd); }

CWnd* CWnd::FromHandle(HWND hWnd) { return windowMap().FromHandle(hWnd); }

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        windowMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    m_pModuleState = AfxGetModuleState();
    windowMap().SetPermanent(hWnd, this);
    PreSubclassWindow();
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (!previous) {
        Detach();
        return FALSE;
    }
    // A window already routed through the framework keeps no older procedure to fall back on.
    m_pfnSuper = previous == &AfxWndProc ? nullptr : previous;
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                  hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    AfxUnhookWindowCreate();
    return hWnd && hWnd == m_hWnd;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID)
{
    return CreateEx(0, lpszClassName ? lpszClassName : plainWindowClass(), lpszWindowName, dwStyle | WS_CHILD,
                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return FALSE;
    // A window routed through AfxWndProc is detached by its last message, after which the object
    // may have deleted itself; any other is detached here.
    bool routed = FromHandlePermanent(hWnd) == this && windowProcOf(hWnd) == &AfxWndProc;
    BOOL destroyed = ::DestroyWindow(hWnd);
    if (!routed && m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return destroyed;
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }

void CWnd::GetWindowText(std::wstring& rString) const { rString = AfxGetWindowText(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString ? lpszString : L""); }

void CWnd::GetDlgItemText(int nID, std::wstring& rString) const
{
    rString = AfxGetWindowText(::GetDlgItem(m_hWnd, nID));
}

void CWnd::SetDlgItemText(int nID, LPCWSTR lpszString)
{
    ::SetWindowTextW(::GetDlgItem(m_hWnd, nID), lpszString ? lpszString : L"");
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                      : (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd)
                                                : ::GetWindow(m_hWnd, GW_OWNER);
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT area = screen;
    if (hWndCenter)
        ::GetWindowRect(hWndCenter, &area);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    LONG width = window.right - window.left;
    LONG height = window.bottom - window.top;
    LONG x = std::clamp((area.left + area.right - width) / 2, screen.left, std::max(screen.left, screen.right - width));
    LONG y = std::clamp((area.top + area.bottom - height) / 2, screen.top, std::max(screen.top, screen.bottom - height));
    if (GetStyle() & WS_CHILD) {
        // A child is placed in its parent's client coordinates.
        POINT topLeft{x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &topLeft);
        x = topLeft.x;
        y = topLeft.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(::GetDlgItem(m_hWnd, nID), message, wParam, lParam);
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType) const
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetModuleState()->m_strAppName.c_str(),
                         nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        return pNMHDR && pNMHDR->hwndFrom && OnNotify(wParam, lParam, pResult);
    }
    AFX_MSGCALL call{0, wParam, lParam, pResult};
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        call.nID = message - WM_CTLCOLORMSGBOX;
        return DispatchToMessageMap(WM_CTLCOLOR, 0, 0, call);
    }
    if (DispatchToMessageMap(message, 0, 0, call))
        return TRUE;
    // An owner-drawn control draws itself when its object knows how.
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* control = item ? FromHandlePermanent(item->hwndItem) : nullptr;
        return control && control->OnChildNotify(message, wParam, lParam, pResult);
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (!lParam) {
        // Menus and accelerators: both are commands, and command 0 is none.
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    // The control that sent it may take its own notification first (ON_NOTIFY_REFLECT).
    CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
    if (pChild && pChild != this && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    UINT nID = static_cast<UINT>(::GetDlgCtrlID(pNMHDR->hwndFrom));
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_NOTIFY)), &notify);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY)
        return FALSE;
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY)), &notify);
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(currentMessage.message, currentMessage.wParam, currentMessage.lParam); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

LRESULT CWnd::CallWindowProcFor(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG outerMessage = currentMessage;
    currentMessage = MSG{};
    currentMessage.hwnd = hWnd;
    currentMessage.message = nMsg;
    currentMessage.wParam = wParam;
    currentMessage.lParam = lParam;
    LRESULT result = 0;
    {
        AFX_MAINTAIN_STATE moduleState(m_pModuleState);
        result = WindowProc(nMsg, wParam, lParam);
        // The object outlives every message but the last, after which PostNcDestroy may delete it.
        if (nMsg == WM_NCDESTROY)
            OnFinalNcDestroy();
    }
    currentMessage = outerMessage;
    return result;
}

void CWnd::OnFinalNcDestroy()
{
    if (m_pfnSuper && windowProcOf(m_hWnd) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return pWnd->CallWindowProcFor(hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && windowToAttach) {
        CWnd* pWnd = windowToAttach;
        windowToAttach = nullptr;
        pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(createHook, nCode, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (!createHook)
        createHook = ::SetWindowsHookExW(WH_CBT, &CWnd::CbtFilterHook, nullptr, ::GetCurrentThreadId());
    windowToAttach = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (createHook) {
        ::UnhookWindowsHookEx(createHook);
        createHook = nullptr;
    }
    BOOL attached = windowToAttach == nullptr;
    windowToAttach = nullptr;
    return attached;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver)
{
    AFX_SIZEPARENTPARAMS layout{};
    ::GetClientRect(m_hWnd, &layout.rect);
    layout.bStretch = TRUE;
    HWND leftOver = nullptr;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver && nIDLeftOver != 0)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast)
            ::SendMessageW(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (leftOver)
        ::MoveWindow(leftOver, layout.rect.left, layout.rect.top, layout.rect.right - layout.rect.left,
                     layout.rect.bottom - layout.rect.top, TRUE);
}

namespace {

constexpr LPCWSTR kToolTipProperty = L"AfxToolTip";

} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    auto tip = static_cast<HWND>(::GetPropW(m_hWnd, kToolTipProperty));
    if (!bEnable) {
        if (tip)
            ::DestroyWindow(tip);
        ::RemovePropW(m_hWnd, kToolTipProperty);
        return TRUE;
    }
    if (!tip) {
        tip = ::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                                ::GetAncestor(m_hWnd, GA_ROOT), nullptr, nullptr, nullptr);
        if (!tip)
            return FALSE;
        ::SetPropW(m_hWnd, kToolTipProperty, tip);
    }
    return TRUE;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const auto tip = static_cast<HWND>(::GetPropW(m_hWnd, kToolTipProperty));
    if (!pMsg || !::IsWindow(tip) || pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST)
        return;
    // The control under the mouse becomes a tool the first time the mouse reaches it.
    const POINT point{GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)};
    const HWND control = pMsg->hwnd == m_hWnd ? ::ChildWindowFromPoint(m_hWnd, point) : pMsg->hwnd;
    if (control && control != m_hWnd && ::IsChild(m_hWnd, control)) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    MSG relayed = *pMsg;
    relayed.hwnd = control ? control : pMsg->hwnd;
    ::SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CWnd::FilterToolTipMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{m_hWnd, message, wParam, lParam, 0, {}};
    ::GetCursorPos(&msg.pt);
    FilterToolTipMessage(&msg);
}
