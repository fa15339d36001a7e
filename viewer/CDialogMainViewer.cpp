// The main viewer's opening, closing, command enabling and keyboard routing inside the host's
// message loop.
#include "CDialogMainViewer.h"

#include "dialogs/CDialogAddGroup.h"
#include "dialogs/CDialogAddMethod.h"
#include "dialogs/CDialogAutoName.h"
#include "dialogs/CDialogExportResults.h"
#include "dialogs/CDialogImportWorklist.h"
#include "dialogs/CDialogQcRules.h"
#include "dialogs/CDialogRunQueue.h"
#include "dialogs/ShowOleDbErrors.h"
#include "module/core/FittingText.h"
#include "module/core/LogbookWrite.h"
#include "module/core/MenuState.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "module/core/ReadStrVar.h"
#include "resources/ResourceIds.h"
#include "users/CDialogLocker.h"
#include "users/CDialogAuditTrail.h"
#include "users/CDialogUserAccounts.h"
#include "worklist/CMethodTable.h"
#include "worklist/MethodDurations.h"
#include "worklist/QcRules.h"
#include "worklist/RecordText.h"
#include "worklist/RunClaim.h"

#include "win/afx/AFX_MODULE_STATE.h"
#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"
#include "orvane/Nls.h"

#include <algorithm>
#include <set>

namespace {

// The sub-menus of menu 301, by position.
constexpr int kFileMenu = 0;
constexpr int kGroupMenu = 1;
constexpr int kMethodMenu = 2;

constexpr UINT kLastKeyboardMessage = 0x0108;

// The shut-down options every group offers: the empty one (a blank), STANDBY, LAMPALL OFF, PUMPALL OFF.
constexpr UINT kShutdownOptions[] = {IDS_NO_SHUTDOWN, IDS_SHUTDOWN_STANDBY, IDS_SHUTDOWN_LAMPS_OFF,
                                      IDS_SHUTDOWN_PUMPS_OFF};

// What group_tbl's ShutDownOption holds.
constexpr std::size_t kMaxShutdownOption = FieldWidth(GroupRecord{}.ShutDownOption);
// How often the progress and the running row's duration are shown anew.
constexpr UINT kProgressRefreshMs = 5000;
// How long a new method table is given before its group's row is written.
constexpr DWORD kNewTableWaitMs = 1000;

// A new table needs a moment before the database shows it to every session. Meanwhile the host's
// messages and timers go on being delivered, so a run behind the window does not stall.
void WaitDeliveringMessages(DWORD dwMilliseconds)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwMilliseconds)
            return;
        // Short steps, so that a timer due meanwhile runs close to its time.
        ::Sleep(std::min<DWORD>(dwMilliseconds - dwElapsed, 50));
    }
}

// The host's loop knows nothing of the modeless viewer, so a get-message hook gives the viewer its
// dialog keyboard handling (Tab, mnemonics, Escape, Enter) before the host dispatches a key.
HHOOK g_hKeyboardHook = nullptr;
// The viewer whose keys the hook takes, while it is set.
CDialogMainViewer* g_pHookedViewer = nullptr;

LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    auto* pMsg = reinterpret_cast<MSG*>(lParam);
    CDialogMainViewer* pViewer = g_pHookedViewer;
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
    g_pHookedViewer = nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogMainViewer, CDialogBase)
    ON_COMMAND(ID_ADD_GROUP, &CDialogMainViewer::OnAddGroup)
    ON_COMMAND(ID_AUTONAME, &CDialogMainViewer::OnAutoName)
    ON_COMMAND(ID_QC_RULES, &CDialogMainViewer::OnQcRules)
    ON_COMMAND(ID_DELETE_GROUP, &CDialogMainViewer::OnDeleteGroup)
    ON_COMMAND(ID_ADD_METHOD, &CDialogMainViewer::OnAddMethod)
    ON_COMMAND(ID_DELETE_METHOD, &CDialogMainViewer::OnDeleteMethod)
    ON_COMMAND(ID_CHECK_ALL, &CDialogMainViewer::OnCheckAll)
    ON_COMMAND(ID_PROPERTIES, &CDialogMainViewer::OnProperties)
    ON_COMMAND(ID_UNCHECK_ALL, &CDialogMainViewer::OnUncheckAll)
    ON_CBN_SELCHANGE(IDC_GROUP, &CDialogMainViewer::OnGroupChanged)
    ON_CBN_SELCHANGE(IDC_SHUTDOWN, &CDialogMainViewer::OnShutdownChanged)
    ON_CBN_KILLFOCUS(IDC_SHUTDOWN, &CDialogMainViewer::OnShutdownChanged)
    ON_EN_KILLFOCUS(IDC_RECOVERY, &CDialogMainViewer::OnRecoveryChanged)
    ON_CBN_SELCHANGE(IDC_ON_FAILURE, &CDialogMainViewer::OnFailurePolicyChanged)
    ON_EN_KILLFOCUS(IDC_EMERGENCY, &CDialogMainViewer::OnFailurePolicyChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_METHOD_LIST, &CDialogMainViewer::OnListItemChanged)
    ON_COMMAND(ID_LOCK, &CDialogMainViewer::OnLock)
    ON_COMMAND(ID_USER_ACCOUNTS, &CDialogMainViewer::OnUserAccounts)
    ON_COMMAND(ID_AUDIT_TRAIL, &CDialogMainViewer::OnAuditTrail)
    ON_COMMAND(ID_EXPORT_RESULTS, &CDialogMainViewer::OnExportResults)
    ON_COMMAND(ID_IMPORT_WORKLIST, &CDialogMainViewer::OnImportWorklist)
    ON_COMMAND(ID_MODULE_HELP, &CDialogMainViewer::OnHelp)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CDialogMainViewer::OnToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CDialogMainViewer::OnToolTipText)
    ON_MESSAGE(WM_HOTLINK_VARIABLE, &CDialogMainViewer::OnVarBSPEvent)
    ON_MESSAGE(WM_HOTLINK_OBJECT, &CDialogMainViewer::OnModuleMessage)
    ON_BN_CLICKED(IDC_RUN, &CDialogMainViewer::OnRun)
    ON_BN_CLICKED(IDC_PAUSE, &CDialogMainViewer::OnPause)
    ON_BN_CLICKED(IDC_STOP, &CDialogMainViewer::OnStop)
    ON_COMMAND(ID_CONTINUE, &CDialogMainViewer::OnContinue)
    ON_COMMAND(ID_STOP_AFTER_METHOD, &CDialogMainViewer::OnStopAfterMethod)
    ON_COMMAND(ID_RUN_QUEUE, &CDialogMainViewer::OnRunQueue)
    ON_MESSAGE(WM_RUN_CLOSED, &CDialogMainViewer::OnRunClosed)
    ON_MESSAGE(WM_START_RAN, &CDialogMainViewer::OnStartRan)
    ON_WM_TIMER()
    ON_MESSAGE(WM_DISPLAYCHANGE, &CDialogMainViewer::OnDisplayChange)
END_MESSAGE_MAP()

CDialogMainViewer::CDialogMainViewer(CWnd* pParent)
    : CDialogBase(IDD_MAIN_VIEWER, pParent), m_rows(ModuleSettings), m_groupTable(ModuleSettings)
{
}

CDialogMainViewer::~CDialogMainViewer() { RemoveKeyboardHook(); }

BOOL CDialogMainViewer::DestroyWindow()
{
    RemoveKeyboardHook();
    return CDialogBase::DestroyWindow();
}

void CDialogMainViewer::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_METHOD_LIST, m_listMethods);
    DDX_Control(pDX, IDC_SHUTDOWN, m_comboShutdown);
    DDX_Control(pDX, IDC_GROUP, m_comboGroup);
}

BOOL CDialogMainViewer::OnInitDialog()
{
    CDialogBase::OnInitDialog();

    if (CMenu* pSystemMenu = GetSystemMenu(FALSE))
        pSystemMenu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    RECT rectTemplate{};
    ::GetWindowRect(m_hWnd, &rectTemplate);
    m_sizeTemplate = {rectTemplate.right - rectTemplate.left, rectTemplate.bottom - rectTemplate.top};
    FitToScreen();

    // Without the hotlink window the viewer works on, but hears nothing from the host.
    if (m_hotlink.Create(nullptr, L"SerionHotlink", WS_CHILD, RECT{0, 0, 1, 1}, this, 1)) {
        m_hotlink.m_hHostWnd = ::GetParent(m_hWnd);
        m_hotlink.m_hWndNotify = m_hWnd;
        m_hotlink.RegisterCpCommands(ModuleSettings.hCpContext, 0, 100);
        m_hotlink.ConnectAll();
    }

    SendDlgItemMessageW(m_hWnd, IDC_RECOVERY, EM_LIMITTEXT, FieldWidth(GroupRecord{}.RecoveryCommand), 0);
    SendDlgItemMessageW(m_hWnd, IDC_EMERGENCY, EM_LIMITTEXT, FieldWidth(GroupRecord{}.EmergencyCommand), 0);
    FillFailurePolicies(IDC_ON_FAILURE);
    EnableToolTips(TRUE);
    if (!m_toolBar.Create(this, IDR_MAIN_TOOLBAR) || !m_statusBar.Create(this))
        return TRUE;
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    // Before the groups are read, so that the rows show what an earlier host kept for the server.
    m_run.ForwardLeftWrites();
    if (LoadGroups())
        ShowFirstGroup();

    m_hAccelerators = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
    g_pHookedViewer = this;
    g_hKeyboardHook = ::SetWindowsHookExW(WH_GETMESSAGE, &KeyboardHookProc, nullptr, ::GetCurrentThreadId());
    m_idleLock.Start(m_hWnd, [this] { LockHost(TRUE); });
    UpdateCommandState();
    LogbookWriteId(IDS_WINDOW_OPENED);

    std::wstring strSystemStatus;
    ReadStrVar("GUISYSTEMSTATUS$", strSystemStatus);
    m_statusBar.ShowSystemStatus(strSystemStatus);
    m_run.ReadAcqStatus();
    const DWORD dwAttributes = ::GetFileAttributesW(ModuleSettings.strDatabasePath.c_str());
    m_bWorklistReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY);
    if (m_bWorklistReadOnly)
        m_statusBar.SetMessageForms(
            {FormatWin(ModuleString(IDS_WORKLIST_READ_ONLY).c_str(), ModuleSettings.strDatabasePath.c_str()),
             ModuleString(IDS_WORKLIST_READ_ONLY_SHORT)});
    UpdateRunButtons();
    return TRUE;
}

BOOL CDialogMainViewer::PreTranslateMessage(MSG* pMsg)
{
    const bool bForThisWindow = pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd);
    if (bForThisWindow && ::TranslateAcceleratorW(m_hWnd, m_hAccelerators, pMsg))
        return TRUE;
    return CDialogBase::PreTranslateMessage(pMsg);
}

LRESULT CDialogMainViewer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    FilterToolTipMessage(message, wParam, lParam);
    return CDialogBase::WindowProc(message, wParam, lParam);
}

BOOL CDialogMainViewer::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTipW = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    auto* pTipA = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    // The same flags sit at the same place in both forms.
    const UINT uFlags = pNMHDR->code == TTN_NEEDTEXTW ? pTipW->uFlags : pTipA->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    if (nID == 0)
        return TRUE;
    std::wstring strTip = ModuleString(static_cast<UINT>(nID));
    if (strTip.empty())
        return FALSE;
    // A prompt's first line is the status line's; the tip is what follows the line break.
    if (const std::size_t nBreak = strTip.find(L'\n'); nBreak != std::wstring::npos)
        strTip.erase(0, nBreak + 1);
    constexpr std::size_t nMaxTip = 79;
    strTip.resize(std::min(strTip.size(), nMaxTip));
    if (pNMHDR->code == TTN_NEEDTEXTW) {
        std::copy(strTip.begin(), strTip.end(), pTipW->szText);
        pTipW->szText[strTip.size()] = L'\0';
    } else {
        std::string strNarrow = WideToUtf8(strTip);
        strNarrow.resize(std::min(strNarrow.size(), nMaxTip));
        std::copy(strNarrow.begin(), strNarrow.end(), pTipA->szText);
        pTipA->szText[strNarrow.size()] = '\0';
    }
    *pResult = 0;
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

void CDialogMainViewer::OnCancel()
{
    // A running group keeps its window: the run's results arrive through it.
    if (m_run.IsRunning())
        return;
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
    // A logon or the switch of access control ends here too.
    if (m_statusBar.GetSafeHwnd())
        m_statusBar.ShowLoggedOnUser();
    m_idleLock.FollowAccessControl();
    const BOOL bGroupSelected = m_comboGroup.GetSafeHwnd() && m_comboGroup.GetCurSel() != CB_ERR;
    const BOOL bAdministrator = ModuleSettings.nUserRole == USERROLE_ADMINISTRATOR && ModuleSettings.bControl;
    const int nItems = m_listMethods.GetSafeHwnd() ? m_listMethods.GetItemCount() : 0;
    const UINT nSelected = m_listMethods.GetSafeHwnd() ? m_listMethods.GetSelectedCount() : 0;
    const BOOL bIdle = !m_run.IsRunning();
    CMenu* pFileMenu = pMenu->GetSubMenu(kFileMenu);
    CMenu* pGroupMenu = pMenu->GetSubMenu(kGroupMenu);
    CMenu* pMethodMenu = pMenu->GetSubMenu(kMethodMenu);

    EnableCommand(pFileMenu, IDCANCEL, bIdle);
    EnableCommand(pFileMenu, ID_USER_ACCOUNTS, bAdministrator);
    EnableCommand(pFileMenu, ID_EXPORT_RESULTS, bGroupSelected);
    EnableCommand(pFileMenu, ID_IMPORT_WORKLIST, bIdle && !m_bWorklistReadOnly);
    EnableCommand(pGroupMenu, ID_ADD_GROUP, bIdle);
    EnableCommand(pGroupMenu, ID_AUTONAME, bIdle && nItems > 0);
    EnableCommand(pGroupMenu, ID_QC_RULES, bIdle && bGroupSelected && !m_bWorklistReadOnly);
    EnableCommand(pGroupMenu, ID_RUN_QUEUE,
                  bIdle && m_comboGroup.GetSafeHwnd() && m_comboGroup.GetCount() > 0 && ModuleSettings.bOnline &&
                      !m_bWorklistReadOnly);
    EnableCommand(pGroupMenu, ID_CONTINUE, bGroupSelected && m_run.CanContinue());
    EnableCommand(pGroupMenu, ID_STOP_AFTER_METHOD, m_run.CanStopAfterMethod());
    if (pGroupMenu)
        pGroupMenu->CheckMenuItem(ID_STOP_AFTER_METHOD,
                                  MF_BYCOMMAND | (m_run.StopsAfterMethod() ? MF_CHECKED : MF_UNCHECKED));
    EnableCommand(pGroupMenu, ID_DELETE_GROUP, bIdle && bGroupSelected);
    EnableCommand(pMethodMenu, ID_ADD_METHOD, bIdle && bGroupSelected);
    EnableCommand(pMethodMenu, ID_CHECK_ALL, bIdle && nItems > 0);
    EnableCommand(pMethodMenu, ID_DELETE_METHOD, bIdle && nSelected > 0);
    // The rows a run has not started yet may still change.
    EnableCommand(pMethodMenu, ID_PROPERTIES, nSelected == 1);
    EnableCommand(pMethodMenu, ID_UNCHECK_ALL, bIdle && nItems > 0);
}

void CDialogMainViewer::EnableCommand(CMenu* pMenu, UINT nID, BOOL bEnable)
{
    if (pMenu)
        pMenu->EnableMenuItem(nID, MF_BYCOMMAND | (bEnable ? MF_ENABLED : MF_GRAYED));
    const int nIndex = m_toolBar.GetSafeHwnd() ? m_toolBar.CommandToIndex(nID) : -1;
    if (nIndex < 0)
        return;
    UINT nStyle = m_toolBar.GetButtonStyle(nIndex);
    nStyle = bEnable ? nStyle & ~TBBS_DISABLED : (nStyle | TBBS_DISABLED) & ~TBBS_PRESSED;
    m_toolBar.SetButtonStyle(nIndex, nStyle);
}

BOOL CDialogMainViewer::LoadGroups()
{
    const HRESULT status = m_groupTable.Open();
    if (FAILED(status)) {
        ShowOleDbErrors(status);
        return FALSE;
    }
    m_comboGroup.ResetContent();
    for (const GroupEntry& group : GroupRows(m_groupTable).List()) {
        const int nIndex = m_comboGroup.AddString(group.name.c_str());
        m_comboGroup.SetItemData(nIndex, static_cast<DWORD_PTR>(group.id));
    }
    return m_comboGroup.GetCount() > 0;
}

int CDialogMainViewer::GetCurrentGroup(std::wstring& strName) const
{
    const int nIndex = m_comboGroup.GetCurSel();
    if (nIndex != CB_ERR)
        m_comboGroup.GetLBText(nIndex, strName);
    return nIndex;
}

void CDialogMainViewer::OnGroupChanged()
{
    std::wstring strGroup;
    const int nIndex = GetCurrentGroup(strGroup);
    m_run.ForgetContinue();
    if (nIndex == CB_ERR) {
        HandGroupToRun();
        ::SetDlgItemTextW(m_hWnd, IDC_RECOVERY, L"");
        ShowFailurePolicy(FALSE);
        m_listMethods.LoadGroup();
        UpdateCommandState();
        return;
    }
    m_comboShutdown.EnableWindow(TRUE);
    FillShutdownComboOf(GroupIdOf(nIndex));
    HandGroupToRun();
    const bool bFound = GroupRows(m_groupTable).FindById(GroupIdOf(nIndex));
    ::SetDlgItemTextW(m_hWnd, IDC_RECOVERY, bFound ? m_groupTable.RecoveryCommand : L"");
    ShowFailurePolicy(bFound);
    m_listMethods.LoadGroup(strGroup.c_str(), GroupIdOf(nIndex));
    // What the pane said was about the group shown before.
    m_statusBar.SetMessageText(L"");
    m_run.ShowInterruptedRun();
    UpdateCommandState();
}

void CDialogMainViewer::ShowFirstGroup()
{
    // One reading of group_tbl finds every open run; a live host's claim tells which of them runs.
    std::set<LONG> interrupted;
    for (const GroupEntry& group : GroupRows(m_groupTable).List())
        if (group.runOpen != 0 && !RunClaim::IsClaimed(ModuleSettings, group.id))
            interrupted.insert(group.id);
    std::vector<int> shown;
    for (int nIndex = 0; nIndex < m_comboGroup.GetCount(); ++nIndex)
        if (interrupted.contains(GroupIdOf(nIndex)))
            shown.push_back(nIndex);
    if (shown.empty())
        shown.push_back(0);
    for (auto nIndex = shown.rbegin(); nIndex != shown.rend(); ++nIndex) {
        m_comboGroup.SetCurSel(*nIndex);
        OnGroupChanged();
    }
    if (shown.size() < 2)
        return;
    std::wstring strOthers;
    for (auto nIndex = shown.begin() + 1; nIndex != shown.end(); ++nIndex) {
        std::wstring strName;
        m_comboGroup.GetLBText(*nIndex, strName);
        strOthers += (strOthers.empty() ? L"" : L", ") + strName;
    }
    // Each form of the shown group's message names the others; the shortest only counts them.
    std::vector<std::wstring> forms;
    for (const std::wstring& strForm : m_statusBar.MessageForms())
        forms.push_back(strForm + (strForm.empty() ? L"" : L". ") +
                        FormatWin(ModuleString(IDS_ALSO_INTERRUPTED).c_str(), strOthers.c_str()));
    forms.push_back(m_statusBar.MessageForms().back() + L" " +
                    FormatWin(ModuleString(IDS_ALSO_INTERRUPTED_SHORT).c_str(), static_cast<int>(shown.size() - 1)));
    m_statusBar.SetMessageForms(std::move(forms));
}

void CDialogMainViewer::ContinueInterruptedRun()
{
    HandGroupToRun();
    if (m_run.IsInterrupted())
        m_run.OnContinue(TRUE);
}

void CDialogMainViewer::HandGroupToRun()
{
    std::wstring strName;
    const int nIndex = GetCurrentGroup(strName);
    std::wstring strShutdown;
    if (m_comboShutdown.GetSafeHwnd())
        m_comboShutdown.GetWindowText(strShutdown);
    m_run.ShowsGroup({nIndex == CB_ERR ? 0 : GroupIdOf(nIndex), strName, strShutdown});
}

void CDialogMainViewer::OnRun()
{
    // A shut-down command typed and not yet left goes with this run.
    if (!m_run.IsRunning())
        HandGroupToRun();
    m_run.OnRun();
    KeysToListDuringRun();
}

void CDialogMainViewer::OnPause() { m_run.OnPause(); }

void CDialogMainViewer::OnStop() { m_run.OnStop(ModuleSettings.strUserName); }

void CDialogMainViewer::OnContinue()
{
    HandGroupToRun();
    m_run.OnContinue(FALSE);
    KeysToListDuringRun();
}

void CDialogMainViewer::OnStopAfterMethod()
{
    m_run.OnStopAfterMethod();
    UpdateCommandState();
}

void CDialogMainViewer::OnRunQueue()
{
    if (m_run.IsRunning())
        return;
    CDialogRunQueue dialog(this, ListedGroups());
    if (dialog.RunModal(IDD_RUN_QUEUE) != IDOK)
        return;
    m_run.OnRunQueue(dialog.m_queue);
    KeysToListDuringRun();
}

void CDialogMainViewer::KeysToListDuringRun()
{
    // Left on Run, the next Enter would start the group again once it has ended.
    if (m_run.IsRunning() && m_listMethods.GetSafeHwnd())
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_listMethods.GetSafeHwnd()), TRUE);
}

void CDialogMainViewer::FollowOnlineState()
{
    // The instrument may go online or offline after the window opened; a run keeps its buttons.
    const BOOL bOnline = HostIsOnline(ModuleSettings.hCpContext);
    if (bOnline == ModuleSettings.bOnline || m_run.IsRunning())
        return;
    ModuleSettings.bOnline = bOnline;
    UpdateRunButtons();
}

LRESULT CDialogMainViewer::OnRunClosed(WPARAM, LPARAM)
{
    m_run.OnRunClosed();
    return 0;
}

LRESULT CDialogMainViewer::OnStartRan(WPARAM wParam, LPARAM)
{
    m_run.OnStartRan(static_cast<LONG>(wParam));
    return 0;
}

void CDialogMainViewer::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kSaveRetryTimer)
        m_run.OnSaveRetry();
    else if (nIDEvent == kClaimTimer)
        m_run.OnClaimTimer();
    else if (nIDEvent == IdleLock::kTimer)
        m_idleLock.OnTimer();
    else if (nIDEvent == kProgressTimer) {
        for (LONG aaaID : m_progress.RunningRows())
            m_listMethods.ShowRunningTime(aaaID, static_cast<LONG>(_time64(nullptr)));
        ShowRunProgress();
    }
}

LRESULT CDialogMainViewer::OnVarBSPEvent(WPARAM, LPARAM lParam)
{
    const auto* pszName = reinterpret_cast<LPCWSTR>(lParam);
    if (!pszName)
        return 0;
    // The system status is followed all the time, not only during a run.
    if (EqualsNoCase(pszName, L"GUISYSTEMSTATUS$")) {
        FollowOnlineState();
        std::wstring strStatus;
        ReadStrVar("GUISYSTEMSTATUS$", strStatus);
        m_statusBar.ShowSystemStatus(strStatus);
    }
    m_run.OnVariableChanged(pszName);
    return 0;
}

LRESULT CDialogMainViewer::OnModuleMessage(WPARAM wParam, LPARAM lParam)
{
    const auto* pszName = reinterpret_cast<LPCWSTR>(lParam);
    if (wParam == 1 && pszName)
        m_run.OnModuleMessage(pszName);
    return 0;
}

void CDialogMainViewer::FollowRunProgress()
{
    const BOOL bRunning = m_run.IsRunning();
    if (bRunning == m_bShowingProgress) {
        // A pause, or Run after it.
        ShowRunProgress();
        return;
    }
    m_bShowingProgress = bRunning;
    if (bRunning) {
        if (!m_bDurationsRead)
            ReadMethodDurations();
        BeginRunProgress();
        ::SetTimer(m_hWnd, kProgressTimer, kProgressRefreshMs, nullptr);
    } else {
        ::KillTimer(m_hWnd, kProgressTimer);
        m_bDurationsRead = FALSE;
    }
    for (int nID : {IDC_PROGRESS_BAR, IDC_PROGRESS_TEXT})
        if (HWND hControl = ::GetDlgItem(m_hWnd, nID))
            ::ShowWindow(hControl, bRunning ? SW_SHOW : SW_HIDE);
    ShowRunProgress();
}

void CDialogMainViewer::ReadMethodDurations()
{
    std::vector<std::wstring> groups;
    for (const GroupEntry& group : ListedGroups())
        groups.push_back(group.name);
    m_progress.UseDurations(MethodDurations::Read(ModuleSettings, groups));
    m_bDurationsRead = TRUE;
}

std::int64_t CDialogMainViewer::ExpectedEnd() const
{
    const auto now = static_cast<LONG>(_time64(nullptr));
    const std::optional<LONG> left = m_bShowingProgress ? m_progress.SecondsLeft(now) : std::nullopt;
    return left ? now + *left : 0;
}

void CDialogMainViewer::BeginRunProgress()
{
    m_nProgressRefills = m_listMethods.RefillCount();
    m_progress.Begin(m_listMethods.ProgressRows());
    m_progress.UseGroupsToCome(m_run.QueuedGroupsToCome());
}

void CDialogMainViewer::ShowRunProgress()
{
    if (!m_bShowingProgress)
        return;
    if (m_nProgressRefills != m_listMethods.RefillCount())
        BeginRunProgress();
    m_progress.SetPaused(m_run.IsPaused());
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, std::max(1, m_progress.Total()));
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(m_progress.Ended()), 0);
    const HWND hText = ::GetDlgItem(m_hWnd, IDC_PROGRESS_TEXT);
    ::SetWindowTextW(hText, FittingText(hText, m_progress.Texts(static_cast<LONG>(_time64(nullptr)))).c_str());
}

void CDialogMainViewer::UpdateRunButtons()
{
    FollowRunProgress();
    if (!ModuleSettings.bOnline) {
        for (int nID : {IDC_RUN, IDC_PAUSE, IDC_STOP})
            EnableControl(nID, FALSE);
        return;
    }
    using State = GroupRun::State;
    struct Buttons {
        State state;
        BOOL bRun, bPause, bStop, bChoices;
    };
    // The group and shut-down boxes (the choices) stay as the run found them until it ends.
    static constexpr Buttons kButtons[] = {
        {State::Idle, TRUE, FALSE, FALSE, TRUE},
        {State::Starting, FALSE, TRUE, TRUE, FALSE},
        {State::WaitingForInstrument, FALSE, TRUE, TRUE, FALSE},
        {State::MethodQueued, FALSE, TRUE, TRUE, FALSE},
        {State::MethodRunning, FALSE, TRUE, TRUE, FALSE},
        {State::HeldForSave, FALSE, TRUE, TRUE, FALSE},
        {State::PauseRequested, TRUE, FALSE, TRUE, FALSE},
        {State::WaitingForRun, TRUE, FALSE, TRUE, FALSE},
        {State::Stopping, FALSE, FALSE, FALSE, FALSE},
        {State::Closing, TRUE, FALSE, FALSE, TRUE},
        {State::WaitingForServer, FALSE, FALSE, TRUE, FALSE},
    };
    const Buttons& buttons = *std::ranges::find(kButtons, m_run.GetState(), &Buttons::state);
    EnableControl(IDC_RUN, buttons.bRun && !m_bWorklistReadOnly);
    EnableControl(IDC_PAUSE, buttons.bPause);
    EnableControl(IDC_STOP, buttons.bStop);
    // A result that waits to be written belongs to the shown group: another is shown once it lands
    // or is given up.
    const BOOL bChoices = buttons.bChoices && !m_run.IsRetryingSave();
    for (int nID : {IDC_GROUP, IDC_SHUTDOWN, IDC_RECOVERY, IDC_ON_FAILURE, IDC_EMERGENCY})
        EnableControl(nID, bChoices);
}

LONG CDialogMainViewer::GroupIdOf(int nIndex) const
{
    // The combo is sorted by name while the table keeps its own order: the entry's id finds the row.
    return static_cast<LONG>(m_comboGroup.GetItemData(nIndex));
}

std::vector<GroupEntry> CDialogMainViewer::ListedGroups() const
{
    std::vector<GroupEntry> groups;
    for (int nIndex = 0; nIndex < m_comboGroup.GetCount(); ++nIndex) {
        std::wstring strName;
        m_comboGroup.GetLBText(nIndex, strName);
        groups.push_back({strName, GroupIdOf(nIndex)});
    }
    return groups;
}

BOOL CDialogMainViewer::ShowGroup(LONG nGroupId)
{
    for (int nIndex = 0; nIndex < m_comboGroup.GetCount(); ++nIndex) {
        if (GroupIdOf(nIndex) != nGroupId)
            continue;
        m_comboGroup.SetCurSel(nIndex);
        OnGroupChanged();
        return TRUE;
    }
    return FALSE;
}

void CDialogMainViewer::FillShutdownComboOf(LONG nGroupId)
{
    const bool bFound = GroupRows(m_groupTable).FindById(nGroupId);
    FillShutdownCombo(bFound ? m_groupTable.ShutDownOption : nullptr);
}

void CDialogMainViewer::OnShutdownChanged()
{
    std::wstring strGroup;
    const int nGroup = GetCurrentGroup(strGroup);
    if (nGroup == CB_ERR)
        return;
    std::wstring strOption;
    const int nOption = m_comboShutdown.GetCurSel();
    if (nOption != CB_ERR)
        m_comboShutdown.GetLBText(nOption, strOption);
    else
        m_comboShutdown.GetWindowText(strOption);
    if (strOption.size() > kMaxShutdownOption) {
        // The box shows the stored option again before the message, so that closing it finds
        // nothing left to refuse.
        FillShutdownComboOf(GroupIdOf(nGroup));
        ShowMessageId(IDS_SHUTDOWN_TOO_LONG, MB_OK);
        return;
    }
    FillShutdownCombo(strOption.c_str());
    HandGroupToRun();
    GroupRows(m_groupTable).StoreShutDownOption(GroupIdOf(nGroup), strOption);
}

void CDialogMainViewer::OnRecoveryChanged()
{
    std::wstring strGroup;
    const int nGroup = GetCurrentGroup(strGroup);
    if (nGroup == CB_ERR)
        return;
    WCHAR szCommand[std::size(GroupRecord{}.RecoveryCommand)]{};
    ::GetDlgItemTextW(m_hWnd, IDC_RECOVERY, szCommand, static_cast<int>(std::size(szCommand)));
    GroupRows(m_groupTable).StoreRecoveryCommand(GroupIdOf(nGroup), szCommand);
}

void CDialogMainViewer::ShowFailurePolicy(BOOL bFound)
{
    const LONG nPolicy = bFound ? std::clamp(m_groupTable.OnFailure, ONFAILURE_GO_ON, ONFAILURE_STOP) : ONFAILURE_GO_ON;
    SendDlgItemMessageW(m_hWnd, IDC_ON_FAILURE, CB_SETCURSEL, static_cast<WPARAM>(nPolicy), 0);
    ::SetDlgItemTextW(m_hWnd, IDC_EMERGENCY, bFound ? m_groupTable.EmergencyCommand : L"");
}

void CDialogMainViewer::OnFailurePolicyChanged()
{
    std::wstring strGroup;
    const int nGroup = GetCurrentGroup(strGroup);
    const auto nPolicy = static_cast<LONG>(SendDlgItemMessageW(m_hWnd, IDC_ON_FAILURE, CB_GETCURSEL, 0, 0));
    if (nGroup == CB_ERR || nPolicy == CB_ERR)
        return;
    WCHAR szCommand[std::size(GroupRecord{}.EmergencyCommand)]{};
    ::GetDlgItemTextW(m_hWnd, IDC_EMERGENCY, szCommand, static_cast<int>(std::size(szCommand)));
    GroupRows(m_groupTable).StoreFailurePolicy(GroupIdOf(nGroup), nPolicy, szCommand);
}

void CDialogMainViewer::OnAddGroup()
{
    CDialogAddGroup dialog(this);
    if (dialog.RunModal(IDD_ADD_GROUP) != IDOK)
        return;
    const std::wstring& strName = dialog.m_strGroupName;
    const std::wstring strRefusal = GroupRows::RefusalOf(strName, ListedGroups());
    if (!strRefusal.empty()) {
        ShowMessage(strRefusal.c_str(), MB_OK);
        return;
    }
    LONG nNewId = 0;
    const bool bListEmpty = m_comboGroup.GetCount() == 0;
    HRESULT status = GroupRows(m_groupTable).Add(strName, bListEmpty, &nNewId, &WaitDeliveringMessages);
    if (status == DB_E_DUPLICATETABLEID) {
        const std::wstring strQuestion = FormatWin(ModuleString(IDS_ORPHAN_TABLE_QUESTION).c_str(), strName.c_str());
        const int nAnswer = ShowMessage(strQuestion.c_str(), MB_YESNOCANCEL);
        if (nAnswer == IDYES || nAnswer == IDNO) {
            status = GroupRows(m_groupTable).Add(strName, bListEmpty, &nNewId, &WaitDeliveringMessages,
                                                 nAnswer == IDYES ? OrphanTable::TakeBack : OrphanTable::Remove);
            ShowOleDbErrors(status);
        }
    } else {
        ShowOleDbErrors(status);
    }
    if (SUCCEEDED(status)) {
        const int nIndex = m_comboGroup.AddString(strName.c_str());
        m_comboGroup.SetItemData(nIndex, static_cast<DWORD_PTR>(nNewId));
        m_comboGroup.SetCurSel(nIndex);
        m_comboShutdown.EnableWindow(TRUE);
        m_listMethods.LoadGroup(strName.c_str(), nNewId);
        ::SetDlgItemTextW(m_hWnd, IDC_RECOVERY, L"");
        GroupRows(m_groupTable).StoreFailurePolicy(nNewId, dialog.m_nOnFailure, L"");
        ShowFailurePolicy(GroupRows(m_groupTable).FindById(nNewId));
        UpdateCommandState();
    }
    FillShutdownCombo(nullptr);
}

void CDialogMainViewer::OnDeleteGroup()
{
    std::wstring strGroup;
    const int nIndex = GetCurrentGroup(strGroup);
    if (nIndex == CB_ERR || ShowOleDbErrors(m_rows.EditableHere()))
        return;
    const std::wstring strQuestion =
        ModuleString(IDS_DELETE_QUESTION) + ModuleString(NLS_HOST_DELETE_GROUP, 30) + L"\"" + strGroup + L"\"";
    if (ShowMessage(strQuestion.c_str(), MB_YESNO) != IDYES)
        return;
    // Only the group asked about is deleted: another host may have deleted it and given its id anew.
    const bool bDeleted = GroupRows(m_groupTable).DeleteRow(GroupIdOf(nIndex), strGroup);
    m_comboGroup.DeleteString(nIndex);
    m_comboShutdown.ResetContent();
    m_comboShutdown.SetFocus();
    // The list lets go of the deleted group's table before the table is dropped.
    m_comboGroup.SetCurSel(0);
    OnGroupChanged();
    if (bDeleted)
        ShowOleDbErrors(CMethodTable(ModuleSettings).DropMethodTable(strGroup));
    UpdateCommandState();
}

void CDialogMainViewer::OnAutoName()
{
    std::wstring strGroup;
    if (GetCurrentGroup(strGroup) == CB_ERR)
        return;
    const MethodRecord* pFirstRow = m_rows.FindRowById(0, FALSE);
    if (!pFirstRow)
        return;
    CDialogAutoName dialog(this);
    dialog.m_strSubdirectory = pFirstRow->SubFolder;
    dialog.m_strPrefix = pFirstRow->Prefix;
    dialog.m_nCounter = pFirstRow->Counter;
    dialog.m_strOperator = ModuleSettings.strUserName;
    if (dialog.RunModal(IDD_AUTONAME) != IDOK)
        return;
    ShowOleDbErrors(m_rows.AutoName(dialog.m_strSubdirectory.c_str(), dialog.m_strPrefix, dialog.m_nCounter,
                                    dialog.m_strOperator.c_str()));
}

void CDialogMainViewer::OnQcRules()
{
    std::wstring strGroup;
    const int nIndex = GetCurrentGroup(strGroup);
    if (nIndex == CB_ERR || m_run.IsRunning() || ShowOleDbErrors(m_rows.EditableHere()))
        return;
    // Rules that cannot be read are not offered for editing: OK would write the window's over them.
    std::vector<QcRule> rules;
    if (ShowOleDbErrors(QcRules::Read(ModuleSettings, GroupIdOf(nIndex), rules)))
        return;
    CDialogQcRules(this, {strGroup, GroupIdOf(nIndex)}, rules, ListedGroups()).RunModal(IDD_QC_RULES);
}

void CDialogMainViewer::OnAddMethod()
{
    std::wstring strGroup;
    if (GetCurrentGroup(strGroup) == CB_ERR)
        return;
    // The host may have moved its method directory since the window opened.
    ReadStrVar("_METHPATH$", ModuleSettings.strMethodPath);
    const DWORD dwAttributes = ::GetFileAttributesW(ModuleSettings.strMethodPath.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowMessageId(IDS_NO_METHOD_DIRECTORY, MB_OK);
        return;
    }
    CDialogAddMethod dialog;
    dialog.m_strMethodPath = ModuleSettings.strMethodPath;
    if (dialog.RunModal(IDD_ADD_METHOD) != IDOK)
        return;
    m_listMethods.InsertMethods(dialog.m_arrMethods, dialog.m_nSamples, ModuleSettings.strMethodPath);
    m_run.ForgetContinue();
    UpdateCommandState();
}

void CDialogMainViewer::OnDeleteMethod()
{
    std::wstring strQuestion = ModuleString(IDS_DELETE_QUESTION);
    for (int nItem = m_listMethods.GetNextItem(-1, LVNI_SELECTED); nItem != -1;
         nItem = m_listMethods.GetNextItem(nItem, LVNI_SELECTED))
        strQuestion += L"\n" + m_listMethods.GetItemText(nItem, 1);
    if (ShowMessage(strQuestion.c_str(), MB_YESNO) != IDYES)
        return;
    m_listMethods.DeleteSelected();
    m_run.ForgetContinue();
    UpdateCommandState();
}

void CDialogMainViewer::FillShutdownCombo(LPCWSTR lpszText)
{
    m_comboShutdown.ResetContent();
    for (UINT nID : kShutdownOptions)
        m_comboShutdown.AddString(ModuleString(nID).c_str());
    if (!lpszText)
        return;
    int nIndex = m_comboShutdown.FindString(-1, lpszText);
    if (nIndex == CB_ERR)
        nIndex = m_comboShutdown.AddString(lpszText);
    m_comboShutdown.SetCurSel(nIndex);
}

void CDialogMainViewer::OnProperties()
{
    if (m_listMethods.HasSingleSelection())
        m_listMethods.EditProperties();
    else
        ShowMessageId(IDS_METHOD_LIST_EMPTY, MB_OK);
}

void CDialogMainViewer::OnCheckAll()
{
    m_run.ForgetContinue();
    ShowOleDbErrors(m_rows.SetAllRunStates(TRUE));
    UpdateCommandState();
}

void CDialogMainViewer::OnUncheckAll()
{
    m_run.ForgetContinue();
    ShowOleDbErrors(m_rows.SetAllRunStates(FALSE));
    UpdateCommandState();
}

void CDialogMainViewer::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    // A row checked or unchecked may give Continue something to do, or take it away.
    const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((pChange->uChanged & LVIF_STATE) && ((pChange->uNewState ^ pChange->uOldState) & LVIS_STATEIMAGEMASK)) {
        m_run.ForgetContinue();
        // A row started or ended: the progress counts it, unless the list was rebuilt meanwhile.
        if (m_bShowingProgress && m_nProgressRefills == m_listMethods.RefillCount())
            m_progress.RowChanged(m_listMethods.ItemRow(pChange->iItem));
        ShowRunProgress();
    }
    UpdateCommandState();
    *pResult = 0;
}

void CDialogMainViewer::OnHelp() { ShowHelp(IDH_MAIN_VIEWER); }

void CDialogMainViewer::OnLock() { LockHost(FALSE); }

void CDialogMainViewer::LockHost(BOOL bAtOnce)
{
    ShowWindow(SW_HIDE);
    CDialogLocker locker(this);
    locker.m_bLockAtOnce = bAtOnce;
    locker.RunModal(IDD_LOCKER);
    ShowWindow(SW_SHOW);
    // Whoever unlocked is the logged-on user now.
    UpdateCommandState();
}

void CDialogMainViewer::OnUserAccounts()
{
    if (!ModuleSettings.bControl || ModuleSettings.nUserRole != USERROLE_ADMINISTRATOR)
        return;
    // Owned by the viewer, so that the viewer cannot be used while the list is open.
    CDialogUserAccounts accounts(this);
    accounts.RunModal(IDD_USER_ACCOUNTS);
}

void CDialogMainViewer::OnAuditTrail()
{
    CDialogAuditTrail trail(this);
    trail.RunModal(IDD_AUDIT_TRAIL);
}

void CDialogMainViewer::OnExportResults() { CDialogExportResults(this, m_rows.GroupName()).RunModal(IDD_EXPORT_RESULTS); }

void CDialogMainViewer::OnImportWorklist() { CDialogImportWorklist(this, m_rows, m_comboGroup).RunModal(IDD_IMPORT_WORKLIST); }

void CDialogMainViewer::ShowStatus(std::vector<std::wstring> forms) { m_statusBar.SetMessageForms(std::move(forms)); }

void CDialogMainViewer::ShowStatusId(UINT nID) { m_statusBar.SetMessageTextId(nID); }

void CDialogMainViewer::ShowRunState()
{
    UpdateRunButtons();
    UpdateCommandState();
    const BOOL bRunning = m_run.IsRunning();
    m_listMethods.SetRunGoesOn(bRunning);
    // The rows' colours as the ended run left them.
    if (!bRunning && m_listMethods.GetSafeHwnd()) {
        m_listMethods.Invalidate();
        m_listMethods.UpdateWindow();
    }
}

int CDialogMainViewer::ShowRunMessage(const std::wstring& strText, UINT nType) { return ShowMessage(strText.c_str(), nType); }

int CDialogMainViewer::Ask(const std::wstring& strQuestion, UINT nType) { return AfxMessageBox(strQuestion, nType); }

int CDialogMainViewer::CountShown(LONG nState) const { return m_listMethods.CountInState(nState); }

void CDialogMainViewer::PostStartRan(LONG nRow) { ::PostMessageW(m_hWnd, WM_START_RAN, static_cast<WPARAM>(nRow), 0); }

void CDialogMainViewer::PostRunClosed() { ::PostMessageW(m_hWnd, WM_RUN_CLOSED, 0, 0); }

void CDialogMainViewer::SetSaveRetryTimer(BOOL bOn) { SwitchTimer(kSaveRetryTimer, SaveRetry::kIntervalMs, bOn); }

void CDialogMainViewer::SetClaimTimer(BOOL bOn) { SwitchTimer(kClaimTimer, RunClaim::kRenewMs, bOn); }

void CDialogMainViewer::SwitchTimer(UINT_PTR nIDEvent, UINT nElapseMs, BOOL bOn)
{
    if (bOn)
        ::SetTimer(m_hWnd, nIDEvent, nElapseMs, nullptr);
    else
        ::KillTimer(m_hWnd, nIDEvent);
}

int CDialogMainViewer::ShowMessage(LPCWSTR lpszText, UINT nType)
{
    return MessageBox(lpszText, ModuleString(IDS_CAPTION).c_str(), nType);
}

int CDialogMainViewer::ShowMessageId(UINT nID, UINT nType)
{
    std::wstring strText = ModuleString(nID);
    // A string missing from the table still says which one it was, in the host's words.
    if (strText.empty())
        strText = FormatWin(ModuleString(NLS_HOST_MISSING_MESSAGE, 90).c_str(), nID);
    return ShowMessage(strText.c_str(), nType);
}

void CDialogMainViewer::FitToScreen()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int nWidth = std::max<int>(m_sizeTemplate.cx, ::GetSystemMetrics(SM_CXSCREEN));
    const int nHeight = std::max<int>(m_sizeTemplate.cy, ::GetSystemMetrics(SM_CYSCREEN));
    const int nExtraWidth = nWidth - (window.right - window.left);
    const int nExtraHeight = nHeight - (window.bottom - window.top);
    if (nExtraWidth != 0 || nExtraHeight != 0) {
        const auto placeOf = [this](HWND hWnd) {
            RECT rect{};
            ::GetWindowRect(hWnd, &rect);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
            return rect;
        };
        for (int nID : {IDC_RUN, IDC_PAUSE, IDC_STOP, IDOK, IDC_PROGRESS_BAR, IDC_PROGRESS_TEXT})
            if (HWND hControl = ::GetDlgItem(m_hWnd, nID)) {
                const RECT rect = placeOf(hControl);
                // The progress text takes the extra columns, so that its longer forms show.
                const int nWider = nID == IDC_PROGRESS_TEXT ? nExtraWidth : 0;
                ::MoveWindow(hControl, rect.left, rect.top + nExtraHeight, rect.right - rect.left + nWider,
                             rect.bottom - rect.top, TRUE);
            }
        if (HWND hList = ::GetDlgItem(m_hWnd, IDC_METHOD_LIST)) {
            const RECT rect = placeOf(hList);
            ::MoveWindow(hList, rect.left, rect.top, rect.right - rect.left + nExtraWidth,
                         rect.bottom - rect.top + nExtraHeight, TRUE);
            m_listMethods.WidenColumns(nExtraWidth);
        }
        ::MoveWindow(m_hWnd, window.left, window.top, nWidth, nHeight, TRUE);
        if (m_toolBar.GetSafeHwnd() && m_statusBar.GetSafeHwnd())
            RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    }
    CenterWindow();
    ShowRunProgress();
}

LRESULT CDialogMainViewer::OnDisplayChange(WPARAM, LPARAM)
{
    FitToScreen();
    return 0;
}
