// The main viewer's opening, closing, command enabling and keyboard routing inside the host's
// message loop.
#include "CDialogMainViewer.h"

#include "module/LogbookWrite.h"
#include "module/MenuState.h"
#include "module/ModuleSettings.h"
#include "resources/ResourceIds.h"

namespace {

// The sub-menus of menu 301, by position.
constexpr int kFileMenu = 0;
constexpr int kGroupMenu = 1;
constexpr int kMethodMenu = 2;

constexpr UINT kLastKeyboardMessage = 0x0108;

// The host's loop knows nothing of the modeless viewer, so a get-message hook gives the viewer its
// dialog keyboard handling (Tab, mnemonics, Escape, Enter) before the host dispatches a key.
HHOOK g_hKeyboardHook = nullptr;

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    CDialogMainViewer* pViewer = ModuleSettings.pMainViewer;
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message >= WM_KEYFIRST &&
        pMsg->message <= kLastKeyboardMessage && pViewer && pViewer->GetSafeHwnd()) {
        if (pViewer->PreTranslateMessage(pMsg) || ::IsDialogMessageW(pViewer->GetSafeHwnd(), pMsg)) {
            pMsg->message = WM_NULL;
            pMsg->wParam = 0;
            pMsg->lParam = 0;
        }
    }
    return ::CallNextHookEx(g_hKeyboardHook, nCode, wParam, lParam);
}

void RemoveKeyboardHook()
{
    if (!g_hKeyboardHook)
        return;
    ::UnhookWindowsHookEx(g_hKeyboardHook);
    g_hKeyboardHook = nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogMainViewer, CDialog)
END_MESSAGE_MAP()

CDialogMainViewer::CDialogMainViewer(CWnd* pParent) : CDialog(IDD_MAIN_VIEWER, pParent) {}

CDialogMainViewer::~CDialogMainViewer() { RemoveKeyboardHook(); }

BOOL CDialogMainViewer::DestroyWindow()
{
    RemoveKeyboardHook();
    return CDialog::DestroyWindow();
}

BOOL CDialogMainViewer::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (CMenu* pSystemMenu = GetSystemMenu(FALSE))
        pSystemMenu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    CenterWindow();

    if (!ModuleSettings.bOnline) {
        for (int nID : {IDC_RUN, IDC_PAUSE, IDC_STOP})
            if (CWnd* pButton = GetDlgItem(nID))
                pButton->EnableWindow(FALSE);
    }

    // Without the hotlink window the viewer works on, but hears nothing from the host.
    if (m_hotlink.Create(nullptr, L"SerionHotlink", WS_CHILD, RECT{0, 0, 1, 1}, this, 1)) {
        m_hotlink.m_hHostWnd = ::GetParent(m_hWnd);
        m_hotlink.m_hWndNotify = m_hWnd;
        m_hotlink.RegisterCpCommands(ModuleSettings.hCpContext, 0, 100);
        m_hotlink.ConnectAll();
    }

    g_hKeyboardHook = ::SetWindowsHookExW(WH_GETMESSAGE, &KeyboardHookProc, nullptr, ::GetCurrentThreadId());
    UpdateCommandState();
    LogbookWriteId(IDS_WINDOW_OPENED);
    return TRUE;
}

void CDialogMainViewer::OnCancel()
{
    RemoveKeyboardHook();
    LogbookWriteId(IDS_WINDOW_CLOSED);
    MenuState(TRUE);
    EndDialog(IDCANCEL);
}

void CDialogMainViewer::UpdateCommandState()
{
    CMenu* pMenu = GetMenu();
    if (!pMenu)
        return;
    const BOOL bGroupSelected = SendDlgItemMessage(IDC_GROUP, CB_GETCURSEL) != CB_ERR;
    const BOOL bAdministrator = ModuleSettings.nUserRole == 0 && ModuleSettings.bControl;

    EnableCommand(pMenu->GetSubMenu(kFileMenu), IDCANCEL, TRUE);
    EnableCommand(pMenu->GetSubMenu(kFileMenu), ID_USER_ACCOUNTS, bAdministrator);
    EnableCommand(pMenu->GetSubMenu(kGroupMenu), ID_ADD_GROUP, TRUE);
    EnableCommand(pMenu->GetSubMenu(kGroupMenu), ID_DELETE_GROUP, bGroupSelected);
    EnableCommand(pMenu->GetSubMenu(kMethodMenu), ID_ADD_METHOD, bGroupSelected);
}

void CDialogMainViewer::EnableCommand(CMenu* pMenu, UINT nID, BOOL bEnable)
{
    if (pMenu)
        pMenu->EnableMenuItem(nID, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
}
