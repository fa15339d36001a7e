// A window object: the C++ side of an HWND. A permanent object is attached to its window and,
// once subclassed, receives the window's messages through AfxWndProc → WindowProc → OnWndMsg →
// its message map, falling back to the window's previous procedure.
#pragma once

#include "AFX_MODULE_STATE.h"
#include "CCmdTarget.h"
#include "CDC.h"
#include "CFont.h"
#include "CMenu.h"
#include "win/WinUser.h"

#include <string>

class CDataExchange;

// The ids of control bars (tool bar, status bar) that RepositionBars lays out.
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
// Sent by RepositionBars to each bar: the bar takes its room from the rectangle left over.
constexpr UINT WM_SIZEPARENT = 0x0361;
struct AFX_SIZEPARENTPARAMS {
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    // Destroys a window still attached, so no window outlives its object.
    ~CWnd() override;

    // The permanent object of a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The permanent object, or else a temporary wrapper valid while the window exists.
    static CWnd* FromHandle(HWND hWnd);

    HWND Detach();
    // Makes this the window's object and routes its messages through this object's message map;
    // fails for a window that already has one.
    BOOL SubclassWindow(HWND hWnd);

    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    // A child window; without a class name, the framework's plain window class.
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    CMenu* GetMenu() const;
    CMenu* GetSystemMenu(BOOL bRevert) const;
    DWORD GetStyle() const;

    void GetWindowText(std::wstring& rString) const;
    void SetWindowText(LPCWSTR lpszString);
    void SetWindowText(const std::wstring& rString) { SetWindowText(rString.c_str()); }
    void GetDlgItemText(int nID, std::wstring& rString) const;
    void SetDlgItemText(int nID, LPCWSTR lpszString);
    void SetDlgItemText(int nID, const std::wstring& rString) { SetDlgItemText(nID, rString.c_str()); }

    // Over the owner (or pAlternateOwner), or the screen for a window without one; kept on screen.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);

    // Headless, these only check the window: every frame is drawn from the windows' state.
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();

    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK) const;

    // TRUE moves the controls' contents into the members and validates them; FALSE moves the
    // members into the controls. FALSE when a field was rejected (its message has been shown).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // A chance to handle a message before it is dispatched; TRUE when it was.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Lays out the child bars with ids from nIDFirst to nIDLast in the client area, in child
    // order; the child nIDLeftOver (0: none) gets what is left.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver);
    // A tool tip for the window's controls: a control shows the tip that the window gives for it
    // (TTN_NEEDTEXT with the control's window as the id). Mouse messages reach it through
    // FilterToolTipMessage.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    void FilterToolTipMessage(MSG* pMsg);
    // The same for a message of this window, as a WindowProc override hands it on.
    void FilterToolTipMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification of this control, offered back to it by its parent before the parent's map;
    // also a WM_DRAWITEM for it that the parent's map does not handle.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's previous procedure, or DefWindowProcW.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled, passed on to DefWindowProc.
    LRESULT Default();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Right after the object is attached to its window, before any message arrives through it.
    virtual void PreSubclassWindow() {}
    // After the window's last message; the object is detached. A heap object may delete itself.
    virtual void PostNcDestroy() {}

    // Default handlers of the ON_WM_* entries.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDestroy();
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;

private:
    friend LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    static LRESULT CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT CallWindowProcFor(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnFinalNcDestroy();
    friend void AfxHookWindowCreate(CWnd* pWnd);

    // The module state in force when the object was attached; its messages run in it.
    AFX_MODULE_STATE* m_pModuleState = nullptr;
};

// A window's whole text.
std::wstring AfxGetWindowText(HWND hWnd);

// The framework's window procedure: routes a window's messages to its permanent object.
LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// The next window created on this thread is attached to pWnd and subclassed, as the window's first
// act. Unhooking says whether that happened.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();
