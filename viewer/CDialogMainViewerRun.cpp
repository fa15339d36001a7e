// The main viewer's run of a group: the Run, Pause and Stop buttons, the start of each method on
// the host, the host's reports of its end, the check for old data and the shut-down command.
#include "CDialogMainViewer.h"

#include "module/DeleteFolder.h"
#include "module/LogbookWrite.h"
#include "module/ModMsgText.h"
#include "module/ModuleSettings.h"
#include "module/ModuleString.h"
#include "module/ReadStrVar.h"
#include "module/ShowSystemError.h"
#include "module/TraceLog.h"
#include "resources/ResourceIds.h"

#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"
#include "orvane/CpApi.h"
#include "win/afx/AfxMessageBox.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace {

// A host number counts as set from this value on.
constexpr double kSetThreshold = 1e-6;
// The pre-run question lists this many paths and then "...".
constexpr std::size_t kListedOldFolders = 5;

void SetNum(LPCSTR name, double value) { CpSetNumVar(ModuleSettings.hCpContext, name, value); }
void SetStr(LPCSTR name, LPCWSTR value) { CpSetStrVar(ModuleSettings.hCpContext, name, value); }
void Exec(LPCWSTR line) { CpExecCommand(ModuleSettings.hCpContext, line, 0, 0, 0); }

double GetNum(LPCSTR name)
{
    double value = 0;
    CpGetNumVar(ModuleSettings.hCpContext, name, &value);
    return value;
}

std::wstring GetStr(LPCSTR name)
{
    std::wstring text;
    ReadStrVar(name, text);
    return text;
}

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void CDialogMainViewer::OnRun()
{
    TraceLog(3, L"OnRun: m_bRunning = %d, m_bStopped = %d, m_bPaused = %d, m_bNextReady = %d\n", m_bRunning,
             m_bStopped, m_bPaused, m_bNextReady);
    std::wstring strGroup;
    GetCurrentGroup(strGroup);
    LogbookWrite(FormatWin(ModuleString(22032).c_str(), strGroup.c_str()));
    m_bStopped = FALSE;
    if (m_bRunning && m_bPaused) {
        m_bPaused = FALSE;
        m_statusBar.SetMessageText(L"");
        if (m_bNextReady && !StartNextMethod())
            OnCompleteGroup();
        UpdateRunButtons();
    } else if (!m_bRunning) {
        StartRun();
    }
}

void CDialogMainViewer::OnPause()
{
    TraceLog(3, L"OnPause: m_bPaused = %d\n", m_bPaused);
    m_bPaused = TRUE;
    m_statusBar.SetMessageTextId(IDS_RUN_PAUSED);
    UpdateRunButtons();
}

void CDialogMainViewer::OnStop()
{
    TraceLog(3, L"OnStop: m_bStopped = %d\n", m_bStopped);
    Exec(EqualsNoCase(m_strAcqStatus, L"NOTREADY") ? L"_Abort=1 " : L"StopMethod ");
    m_bStopped = TRUE;
    UpdateRunButtons();
    // Waiting for Run, no method is running whose end could end the group.
    if (m_bRunning && m_bPaused && m_bNextReady)
        OnCompleteGroup();
}

BOOL CDialogMainViewer::StartRun()
{
    if (!PreRunCheck())
        return FALSE;
    m_listMethods.CleanRunState();
    m_statusBar.SetMessageText(L"");
    m_nCurrentKey = 0;
    MethodRecord* pRow = m_listMethods.FindRow(m_nCurrentKey, TRUE);
    if (!pRow)
        return FALSE;
    m_bRunning = TRUE;
    UpdateRunButtons();
    UpdateCommandState();
    if (StartMethod(pRow))
        return TRUE;
    // Nothing started, so no host event will ever end this run.
    OnCompleteGroup();
    return FALSE;
}

BOOL CDialogMainViewer::StartNextMethod()
{
    if (!m_bRunning || m_bStopped)
        return FALSE;
    if (m_bPaused) {
        m_bNextReady = TRUE;
        // The ended method's messages may have taken the pane meanwhile.
        m_statusBar.SetMessageTextId(IDS_RUN_PAUSED);
        return TRUE;
    }
    ++m_nCurrentKey;
    return StartMethod(m_listMethods.FindRow(m_nCurrentKey, TRUE));
}

BOOL CDialogMainViewer::StartMethod(MethodRecord* pRow)
{
    if (!pRow)
        return FALSE;
    TraceLog(3, L"StartMethod: %s\n", pRow->MethodName);
    if (!CreateDataSubFolder(pRow->SubFolder))
        return FALSE;
    if (!IsDirectory(std::wstring(pRow->SysMethPath) + pRow->MethodName)) {
        m_listMethods.ChangeRunState(pRow, RUNSTATE_FAILED, ModuleString(22034).c_str());
        return StartNextMethod();
    }
    m_strRunMessages.clear();

    SetNum("_SERIONON", 1.0);
    SetNum("_METHODCHANGED", 0.0);
    SetStr("_SAMPINFO$", pRow->Comments);
    SetStr("_DATAFILE$", pRow->DataFile);
    SetStr("_DATAFILE1$", pRow->DataFile);
    SetStr("_DATASUBDIR$", pRow->SubFolder);
    SetStr("_METHFILE$", pRow->MethodName);
    SetStr("_OPERATOR$", pRow->Operator);
    SetStr("_METHPATH$", pRow->SysMethPath);
    Exec(L"LoadMethParams  ");
    SetNum("_SERIONLOAD", 1.0);
    Exec(L"FIALOADHOOK ");
    Exec(L"RUNMETHOD ");
    Exec(L"print \"Running the method... \"");

    m_bNextReady = FALSE;
    m_listMethods.ChangeRunState(pRow, RUNSTATE_RUNNING, nullptr);
    m_pCurrentRow = pRow;
    return TRUE;
}

BOOL CDialogMainViewer::CreateDataSubFolder(LPCWSTR lpszSubFolder)
{
    const std::wstring strFolder = GetStr("_DATAPATH$") + lpszSubFolder;
    if (::CreateDirectoryW(strFolder.c_str(), nullptr))
        return TRUE;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return TRUE;
    // The run ends here; the status bar tells the user why.
    std::wstring strReason = SystemErrorText(error);
    while (!strReason.empty() && (strReason.back() == L'\n' || strReason.back() == L'\r'))
        strReason.pop_back();
    m_statusBar.SetMessageText((strFolder + L": " + strReason).c_str());
    return FALSE;
}

void CDialogMainViewer::UpdateRunButtons()
{
    if (!ModuleSettings.bOnline)
        return;
    EnableControl(IDC_RUN, (!m_bRunning || m_bPaused) && !m_bStopped);
    EnableControl(IDC_PAUSE, m_bRunning && !m_bPaused && !m_bStopped);
    EnableControl(IDC_STOP, m_bRunning && !m_bStopped);
    EnableControl(IDC_GROUP, !m_bRunning);
    EnableControl(IDC_SHUTDOWN, !m_bRunning);
}

BOOL CDialogMainViewer::PreRunCheck()
{
    m_statusBar.SetMessageTextId(22010);
    std::vector<std::wstring> found;
    try {
        std::wstring strDataPath = GetStr("_DATAPATH$");
        while (!strDataPath.empty() && (strDataPath.back() == L'\\' || strDataPath.back() == L'/'))
            strDataPath.pop_back();
        const int nItems = m_listMethods.GetItemCount();
        for (int nItem = 0; nItem < nItems; ++nItem) {
            const auto* pData = reinterpret_cast<const MethodItemData*>(m_listMethods.GetItemData(nItem));
            if (!pData)
                continue;
            const MethodRecord* pRow = m_listMethods.FindRowById(pData->aaaID, TRUE);
            if (!pRow || pRow->RunState == RUNSTATE_UNCHECKED)
                continue;
            std::wstring strPath = strDataPath + L"\\";
            if (pRow->SubFolder[0] != L'\0')
                strPath += std::wstring(pRow->SubFolder) + L"\\";
            strPath += pRow->DataFile;
            if (::GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES)
                found.push_back(strPath);
        }
    } catch (const std::exception&) {
        m_statusBar.SetMessageText(L"");
        return FALSE;
    }
    if (found.empty()) {
        m_statusBar.SetMessageText(L"");
        return TRUE;
    }

    std::wstring strListing;
    for (std::size_t n = 0; n < std::min(found.size(), kListedOldFolders); ++n)
        strListing += found[n] + L"\n";
    if (found.size() > kListedOldFolders)
        strListing += L"...";
    const std::wstring strQuestion =
        FormatWin(ModuleString(22015).c_str(), static_cast<int>(found.size()), strListing.c_str());
    if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES)
        return FALSE;
    // Plain files are listed for the user to see, but only data folders are the run's to delete.
    for (const std::wstring& strPath : found)
        if (IsDirectory(strPath))
            DeleteFolder(strPath.c_str());
    return TRUE;
}

LRESULT CDialogMainViewer::OnVarBSPEvent(WPARAM, LPARAM lParam)
{
    const auto* pszName = reinterpret_cast<LPCWSTR>(lParam);
    if (!pszName)
        return 0;
    // The system status is followed all the time, not only during a run.
    if (EqualsNoCase(pszName, L"GUISYSTEMSTATUS$"))
        m_statusBar.ShowSystemStatus(GetStr("GUISYSTEMSTATUS$"));
    if (!m_bRunning)
        return 0;

    TraceLog(3, L"OnVarBSPEvent: %s\n", pszName);
    if (EqualsNoCase(pszName, L"_METHODON")) {
        const double dMethodOn = GetNum("_METHODON");
        const double dSerionOn = GetNum("_SERIONON");
        TraceLog(3, L"dMethodOn = %d, dSerionOn = %d\n", static_cast<int>(dMethodOn), static_cast<int>(dSerionOn));
        if (dMethodOn < kSetThreshold) {
            // The host's hook puts _SERIONON back to 0 only when the method ended normally.
            if (dSerionOn < kSetThreshold) {
                OnCompleteMethod(ModuleString(22007), FALSE);
            } else {
                if (m_strRunMessages.empty())
                    m_strRunMessages = ModuleString(22009);
                OnCompleteMethod(m_strRunMessages, TRUE);
            }
            if (!StartNextMethod())
                OnCompleteGroup();
        }
    }
    if (EqualsNoCase(pszName, L"METHENDSTATUS"))
        TraceLog(3, L"METHENDSTATUS = %d\n", static_cast<int>(GetNum("METHENDSTATUS")));
    if (EqualsNoCase(pszName, L"_ERRMSG$"))
        m_statusBar.SetMessageText(GetStr("_ERRMSG$").c_str());
    if (EqualsNoCase(pszName, L"ACQSTATUS$")) {
        m_strAcqStatus = GetStr("ACQSTATUS$");
        TraceLog(3, L"ACQSTATUS$ = %s\n", m_strAcqStatus.c_str());
        if (EqualsNoCase(m_strAcqStatus, L"_ERROR")) {
            // Waiting for Run, the last row has its result already; the error is not its.
            const BOOL bMethodRunning = !m_bNextReady;
            OnCompleteGroup();
            if (bMethodRunning)
                OnCompleteMethod(m_strAcqStatus, TRUE);
        }
    }
    return 0;
}

LRESULT CDialogMainViewer::OnModuleMessage(WPARAM wParam, LPARAM lParam)
{
    const auto* pszName = reinterpret_cast<LPCWSTR>(lParam);
    if (wParam != 1 || !pszName)
        return 0;
    const std::wstring strMessage = ModMsgText(pszName);
    if (!strMessage.empty() && m_strRunMessages.find(strMessage) == std::wstring::npos)
        m_strRunMessages += strMessage + L"\r\n";
    return 0;
}

void CDialogMainViewer::OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed)
{
    // The row's number in the group, counted from 1 so that 0 still means no row: an address
    // would not fit the eight digits, nor tell the reader which row ended.
    const ULONG nRow = m_pCurrentRow ? static_cast<ULONG>(m_pCurrentRow->aaaID) + 1 : 0;
    TraceLog(3, L"OnCompleteMethod: 0x%08lX %s\n", nRow, strMessage.c_str());
    if (m_pCurrentRow)
        m_listMethods.ChangeRunState(m_pCurrentRow, bFailed ? RUNSTATE_FAILED : RUNSTATE_DONE, strMessage.c_str());
}

void CDialogMainViewer::OnCompleteGroup()
{
    TraceLog(3, L"OnCompleteGroup\n");
    m_bRunning = FALSE;
    m_bPaused = FALSE;
    m_bStopped = FALSE;
    UpdateCommandState();
    UpdateRunButtons();
    m_listMethods.Invalidate();
    m_listMethods.UpdateWindow();
    RunPostGroup();
}

void CDialogMainViewer::RunPostGroup(LPCWSTR lpszCommand)
{
    std::wstring strCommand;
    if (lpszCommand)
        strCommand = lpszCommand;
    else
        m_comboShutdown.GetWindowText(strCommand);
    TraceLog(3, L"RunPostGroup: %s\n", strCommand.c_str());
    Exec(strCommand.c_str());
    // The hook alone: the host's macro takes no closing text.
    Exec(L" FIALOADHOOK ");
}
