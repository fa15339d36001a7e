// The run of the shown group: the Run, Pause, Stop and Continue commands, the start of each method
// on the host, the host's reports of its end, the check for old data, the shut-down command, and
// what an interrupted run leaves for Continue.
#include "GroupRun.h"

#include "CDialogMainViewer.h"
#include "KeptDataFolders.h"

#include "module/core/DeleteFolder.h"
#include "module/core/LogbookWrite.h"
#include "module/core/ModMsgText.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "module/core/ReadStrVar.h"
#include "module/core/ShowSystemError.h"
#include "module/core/TraceLog.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"
#include "worklist/DataFolderUsers.h"
#include "worklist/GroupRows.h"
#include "worklist/ShowOleDbErrors.h"

#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"
#include "orvane/CpApi.h"
#include "orvane/CpRunEvent.h"
#include "win/afx/AfxMessageBox.h"

#include <algorithm>
#include <exception>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// Results that the worklist does not take are tried again this often, and then given up.
constexpr UINT kSaveRetryMs = 2000;
constexpr int kSaveRetries = 10;

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

// Where a row's data folder is: the data path without its trailing separators, the sub-folder and
// the data file.
std::wstring DataFolderOf(const MethodRecord& row)
{
    std::wstring strPath = GetStr("_DATAPATH$");
    while (!strPath.empty() && (strPath.back() == L'\\' || strPath.back() == L'/'))
        strPath.pop_back();
    strPath += L"\\";
    if (row.SubFolder[0] != L'\0')
        strPath += std::wstring(row.SubFolder) + L"\\";
    return strPath + row.DataFile;
}

// A host message text on one line: its line breaks become blanks.
std::wstring OneLine(std::wstring strText)
{
    for (WCHAR& ch : strText)
        if (ch == L'\r' || ch == L'\n')
            ch = L' ';
    const std::size_t nEnd = strText.find_last_not_of(L' ');
    strText.erase(nEnd == std::wstring::npos ? 0 : nEnd + 1);
    for (std::size_t nAt = strText.find(L"  "); nAt != std::wstring::npos; nAt = strText.find(L"  ", nAt))
        strText.erase(nAt, 1);
    return strText;
}

} // namespace

GroupRun::~GroupRun()
{
    // A window closed before its last group's record was written writes it now.
    WriteClosingRecord();
}

void GroupRun::SetState(State state)
{
    m_state = state;
    ForgetContinue();
    m_viewer.UpdateRunButtons();
    m_viewer.UpdateCommandState();
}

void GroupRun::OnRun()
{
    const BOOL bPaused = m_state == State::PauseRequested || m_state == State::WaitingForRun;
    TraceLog(3, L"OnRun: m_bRunning = %d, m_bStopped = %d, m_bPaused = %d, m_bNextReady = %d\n", IsRunning(),
             m_state == State::Stopping, bPaused, m_state == State::WaitingForRun);
    const std::wstring strGroup = ShownGroupName();
    // Every press is in the logbook, whatever it leads to; the lines after it say what it did.
    LogbookWrite(FormatWin(ModuleString(IDS_START_GROUP).c_str(), strGroup.c_str()));
    if (bPaused) {
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_RUN_RESUMED).c_str(), strGroup.c_str()));
        AuditTrail::Record(strGroup, {L"Run resumed", L"", L""});
    }
    if (m_state == State::PauseRequested) {
        m_viewer.m_statusBar.SetMessageText(L"");
        SetState(State::Running);
    } else if (m_state == State::WaitingForRun) {
        m_viewer.m_statusBar.SetMessageText(L"");
        m_state = State::Running;
        ForgetContinue();
        if (!(m_nWaitingRow >= 0 ? StartWaitingRow() : StartNextMethod()))
            OnCompleteGroup();
        m_viewer.UpdateRunButtons();
    } else if (m_state == State::Idle) {
        StartRun(FALSE);
    }
}

void GroupRun::OnPause()
{
    const BOOL bPaused = m_state == State::PauseRequested || m_state == State::WaitingForRun;
    TraceLog(3, L"OnPause: m_bPaused = %d\n", bPaused);
    if (m_state != State::Running)
        return;
    m_viewer.m_statusBar.SetMessageTextId(IDS_RUN_PAUSED);
    SetState(State::PauseRequested);
    AuditTrail::Record(ShownGroupName(), {L"Run paused", L"", L""});
}

void GroupRun::OnStop()
{
    TraceLog(3, L"OnStop: m_bStopped = %d\n", m_state == State::Stopping);
    if (!IsRunning())
        return;
    m_strStoppedBy = ModuleSettings.strUserName;
    m_strEndReason = FormatWin(ModuleString(IDS_STOPPED_BY).c_str(), m_strStoppedBy.c_str());
    AuditTrail::Record(ShownGroupName(), {L"Run stopped", L"", L""});
    const State before = m_state;
    // A row waiting for the instrument or for its result to be saved has no method of this run
    // running: the method it waits for is not this run's to stop.
    const BOOL bRowWaits = (m_nWaitingRow >= 0 || m_bHeldForSave) && before != State::WaitingForRun;
    if (!bRowWaits)
        Exec(EqualsNoCase(m_strAcqStatus, L"NOTREADY") ? L"_Abort=1 " : L"StopMethod ");
    SetState(State::Stopping);
    // Waiting for Run, no method is running whose end could end the group.
    if (before == State::WaitingForRun || bRowWaits)
        OnCompleteGroup();
}

void GroupRun::OnContinue(BOOL bUnattended)
{
    TraceLog(3, L"OnContinue: %d\n", bUnattended);
    if (IsRunning() || !CanContinue())
        return;
    const std::wstring strGroup = ShownGroupName();
    LogbookWrite(FormatWin(ModuleString(IDS_CONTINUE_GROUP).c_str(), strGroup.c_str()));
    const BOOL bInterrupted = IsInterrupted();
    CMethodListCtrl& list = m_viewer.m_listMethods;
    GroupRows groups(m_viewer.m_groupTable);
    if (!groups.FindById(ShownGroupId()))
        return;
    const std::wstring strRecovery = m_viewer.m_groupTable.RecoveryCommand;
    const LONG nQueueId = m_viewer.m_groupTable.QueueID;
    const LONG nQueuePosition = m_viewer.m_groupTable.QueuePos;
    m_nStoppedRow = StoppedRowToRunAgain();
    if (!TakeClaim())
        return;
    m_bContinuing = TRUE;
    m_strEndReason.clear();
    m_bQueueEnds = FALSE;
    ReadFailurePolicy();
    // The rows that run again keep what their earlier run wrote; then the others are asked about.
    std::vector<LONG> rerun = list.RowsInState(RUNSTATE_INTERRUPTED);
    if (m_nStoppedRow >= 0)
        rerun.push_back(m_nStoppedRow);
    std::vector<std::wstring> keptNow;
    for (LONG nRow : rerun)
        if (std::wstring strKept = KeepPartialData(list.FindRowById(nRow, FALSE)); !strKept.empty())
            keptNow.push_back(std::move(strKept));
    if (!bUnattended && !PreRunCheck(keptNow)) {
        m_claim.Release();
        m_bContinuing = FALSE;
        return;
    }
    m_viewer.m_statusBar.SetMessageText(L"");
    MarkRunOpen(L"Run continued");
    ReportRunEvent({.kind = RUNEVENT_RUN_CONTINUED, .group = strGroup});
    // A group of a queue goes on with the rest of its queue.
    m_nQueueId = nQueueId;
    if (m_nQueueId) {
        ClaimRestOfQueue(nQueuePosition);
        ShowQueuePlace();
    }
    if (bInterrupted && strRecovery.find_first_not_of(L' ') != std::wstring::npos) {
        TraceLog(3, L"OnContinue: recovery %s\n", strRecovery.c_str());
        LogbookWrite(FormatWin(ModuleString(IDS_RECOVERY_SENT).c_str(), strRecovery.c_str()));
        Exec(strRecovery.c_str());
    }
    m_nCurrentKey = 0;
    MethodRecord* pRow = FindNextRow();
    SetState(State::Running);
    m_viewer.UpdateCommandState();
    // An interrupted run whose rows had all ended still owes the group its shut-down command.
    if (!StartMethod(pRow))
        OnCompleteGroup();
}

BOOL GroupRun::StartRun(BOOL bInQueue)
{
    m_bContinuing = FALSE;
    m_strEndReason.clear();
    m_bQueueEnds = FALSE;
    ReadFailurePolicy();
    m_nStoppedRow = -1;
    if (!TakeClaim())
        return FALSE;
    if (!bInQueue && !PreRunCheck()) {
        m_claim.Release();
        return FALSE;
    }
    CMethodListCtrl& list = m_viewer.m_listMethods;
    m_nCurrentKey = 0;
    if (!list.FindRow(m_nCurrentKey, TRUE) && !bInQueue) {
        m_claim.Release();
        return FALSE;
    }
    m_viewer.ReadMethodDurations();
    // The rows reset and the run open are one edit, made before anything of the run is logged or
    // sent: a host that dies from here on leaves a run that Continue finds, never a run that the
    // logbook tells of and the worklist does not. A group run alone leaves a queue it was in.
    const LONG nGroupId = ShownGroupId();
    const HRESULT opened = list.CleanRunState([&](const CSession& session, AuditTrail& trail) {
        return GroupRows::OpenRun(session, trail, nGroupId, !bInQueue, {L"Run started", L"", L""});
    });
    if (FAILED(opened)) {
        m_claim.Release();
        return FALSE;
    }
    m_viewer.m_statusBar.SetMessageText(L"");
    m_nCurrentKey = 0;
    MethodRecord* pRow = list.FindRow(m_nCurrentKey, TRUE);
    const std::wstring strGroup = ShownGroupName();
    ReportRunEvent({.kind = RUNEVENT_GROUP_STARTED, .group = strGroup});
    SetState(State::Running);
    m_viewer.UpdateCommandState();
    if (bInQueue)
        ShowQueuePlace();
    if (StartMethod(pRow))
        return TRUE;
    // Nothing started, so no host event will ever end this run.
    OnCompleteGroup();
    return FALSE;
}

void GroupRun::OnRunQueue(const std::vector<LONG>& ids)
{
    if (IsRunning() || ids.empty())
        return;
    TraceLog(3, L"OnRunQueue: %d groups\n", static_cast<int>(ids.size()));
    WriteClosingRecord();
    std::wstring strNames;
    for (LONG nGroupId : ids) {
        if (!m_viewer.ShowGroup(nGroupId))
            continue;
        const std::wstring strGroup = ShownGroupName();
        strNames += (strNames.empty() ? L"" : L", ") + strGroup;
        if (!m_queueClaims[nGroupId].Take(nGroupId)) {
            m_queueClaims.clear();
            m_viewer.ShowMessage(FormatWin(ModuleString(IDS_QUEUE_GROUP_ELSEWHERE).c_str(), strGroup.c_str()).c_str(), MB_OK);
            return;
        }
        // Every group's questions are asked now, so that the night asks nothing.
        m_bContinuing = FALSE;
        m_nStoppedRow = -1;
        if (!PreRunCheck()) {
            m_queueClaims.clear();
            return;
        }
    }
    const HRESULT status = GroupRows(m_viewer.m_groupTable).StoreQueue(ids);
    if (FAILED(status)) {
        m_queueClaims.clear();
        ShowOleDbErrors(status);
        return;
    }
    LogbookWrite(FormatWin(ModuleString(IDS_LOG_QUEUE_STARTED).c_str(), strNames.c_str()));
    m_nQueueId = ids.front();
    m_viewer.ShowGroup(ids.front());
    LogbookWrite(FormatWin(ModuleString(IDS_START_GROUP).c_str(), ShownGroupName().c_str()));
    // This run's own claim takes the place of the queue's.
    m_queueClaims.erase(ids.front());
    StartRun(TRUE);
}

void GroupRun::ClaimRestOfQueue(LONG nPosition)
{
    for (LONG nGroupId : GroupRows(m_viewer.m_groupTable).QueueAfter(m_nQueueId, nPosition))
        m_queueClaims[nGroupId].Take(nGroupId);
}

std::vector<std::wstring> GroupRun::QueuedGroupsToCome()
{
    std::vector<std::wstring> names;
    GroupRows groups(m_viewer.m_groupTable);
    if (!m_nQueueId || !groups.FindById(ShownGroupId()))
        return names;
    const std::vector<GroupEntry> listed = m_viewer.ListedGroups();
    for (LONG nGroupId : groups.QueueAfter(m_nQueueId, m_viewer.m_groupTable.QueuePos))
        if (const auto found = std::ranges::find(listed, nGroupId, &GroupEntry::id); found != listed.end())
            names.push_back(found->name);
    return names;
}

void GroupRun::ShowQueuePlace()
{
    GroupRows groups(m_viewer.m_groupTable);
    if (!groups.FindById(ShownGroupId()))
        return;
    const LONG nPosition = m_viewer.m_groupTable.QueuePos;
    const auto nCount = static_cast<int>(nPosition + groups.QueueAfter(m_nQueueId, nPosition).size());
    m_viewer.m_statusBar.SetMessageText(FormatWin(ModuleString(IDS_QUEUE_RUNNING).c_str(), static_cast<int>(nPosition),
                                                  nCount, ShownGroupName().c_str())
                                            .c_str());
}

BOOL GroupRun::PassToNextInQueue()
{
    const LONG nGroupId = ShownGroupId();
    GroupRows groups(m_viewer.m_groupTable);
    if (!groups.FindById(nGroupId))
        return FALSE;
    const std::vector<LONG> rest = groups.QueueAfter(m_nQueueId, m_viewer.m_groupTable.QueuePos);
    if (rest.empty() || RunClaim::IsClaimedByAnotherHost(rest.front()))
        return FALSE;
    const LONG nNext = rest.front();
    if (FAILED(groups.PassQueueRun(nGroupId, nNext, RunEndRecord())))
        return FALSE;
    ShowSummary();
    m_claim.Release();
    // Shown while the queue still claims it, the group does not look interrupted.
    m_viewer.ShowGroup(nNext);
    m_queueClaims.erase(nNext);
    const std::wstring strGroup = ShownGroupName();
    TraceLog(3, L"PassToNextInQueue: %s\n", strGroup.c_str());
    LogbookWrite(FormatWin(ModuleString(IDS_LOG_QUEUE_NEXT).c_str(), strGroup.c_str()));
    LogbookWrite(FormatWin(ModuleString(IDS_START_GROUP).c_str(), strGroup.c_str()));
    StartRun(TRUE);
    return TRUE;
}

void GroupRun::EndQueue(BOOL bStopped)
{
    const std::wstring strGroup = ShownGroupName();
    TraceLog(3, L"EndQueue: %s %d\n", strGroup.c_str(), bStopped);
    if (bStopped) {
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_QUEUE_STOPPED).c_str(), strGroup.c_str()));
    } else {
        GroupRows(m_viewer.m_groupTable).LeaveQueue(ShownGroupId());
        LogbookWriteId(IDS_LOG_QUEUE_ENDED);
    }
    m_queueClaims.clear();
    m_nQueueId = 0;
}

BOOL GroupRun::TakeClaim()
{
    // A group whose closing record is still to be written is this window's own.
    WriteClosingRecord();
    if (m_claim.Take(ShownGroupId()))
        return TRUE;
    const std::wstring strInstrument = RunClaim::RunningOn(ShownGroupId());
    if (strInstrument.empty())
        m_viewer.ShowMessageId(IDS_GROUP_RUN_ELSEWHERE, MB_OK);
    else
        m_viewer.ShowMessage(FormatWin(ModuleString(IDS_GROUP_RUN_ON_INSTRUMENT).c_str(), strInstrument.c_str()).c_str(),
                             MB_OK);
    return FALSE;
}

void GroupRun::MarkRunOpen(const std::wstring& strEvent)
{
    // Recorded before the first host command, so that a host that dies from here on leaves a run
    // that the next one finds interrupted.
    GroupRows(m_viewer.m_groupTable).StoreRunEnd(ShownGroupId(), 1, 0, {strEvent, L"", L""});
}

AuditEntry GroupRun::RunEndRecord() const { return {L"Run ended", L"", m_strEndReason}; }

LONG GroupRun::StoppedRowToRunAgain()
{
    const LONG nRow = m_viewer.m_groupTable.StoppedRow - 1;
    // A stopped row that the user has unchecked since stays as it is.
    const MethodRecord* pRow = nRow >= 0 ? m_viewer.m_listMethods.FindRowById(nRow, FALSE) : nullptr;
    return pRow && pRow->RunState == RUNSTATE_FAILED ? nRow : -1;
}

BOOL GroupRun::WillRun(const MethodRecord& row) const
{
    if (!m_bContinuing)
        return row.RunState != RUNSTATE_UNCHECKED;
    return row.aaaID == m_nStoppedRow || row.RunState == RUNSTATE_CHECKED || row.RunState == RUNSTATE_RUNNING ||
           row.RunState == RUNSTATE_INTERRUPTED;
}

MethodRecord* GroupRun::FindNextRow()
{
    CMethodListCtrl& list = m_viewer.m_listMethods;
    if (!m_bContinuing)
        return list.FindRow(m_nCurrentKey, TRUE);
    // The row a Stop aborted runs again although it failed; it comes before later rows.
    if (m_nStoppedRow >= m_nCurrentKey) {
        LONG nKey = m_nCurrentKey;
        if (!list.FindRowToContinue(nKey) || nKey > m_nStoppedRow) {
            m_nCurrentKey = m_nStoppedRow;
            return list.FindRowById(m_nStoppedRow, FALSE);
        }
    }
    return list.FindRowToContinue(m_nCurrentKey);
}

std::wstring GroupRun::KeepPartialData(MethodRecord* pRow)
{
    if (!pRow)
        return {};
    const std::wstring strFolder = DataFolderOf(*pRow);
    if (!IsDirectory(strFolder))
        return {};
    const std::wstring strKept = KeptDataFolders::FreeNameBeside(strFolder);
    if (!::MoveFileW(strFolder.c_str(), strKept.c_str()))
        return {};
    // The row's message says why it runs again: interrupted, or stopped and by whom.
    const std::wstring strMessage =
        FormatWin(ModuleString(IDS_PARTIAL_DATA_KEPT).c_str(), OneLine(pRow->ErrMessage).c_str(), strKept.c_str());
    TraceLog(3, L"KeepPartialData: %s\n", strKept.c_str());
    LogbookWrite(strMessage);
    m_viewer.m_listMethods.ChangeRunState(pRow, pRow->RunState, strMessage.c_str());
    return strKept;
}

BOOL GroupRun::StartNextMethod()
{
    if (m_state == State::Idle || m_state == State::Stopping)
        return FALSE;
    if (m_state == State::PauseRequested || m_state == State::WaitingForRun) {
        m_state = State::WaitingForRun;
        // The ended method's messages may have taken the pane meanwhile.
        m_viewer.m_statusBar.SetMessageTextId(IDS_RUN_PAUSED);
        return TRUE;
    }
    ++m_nCurrentKey;
    return StartMethod(FindNextRow());
}

BOOL GroupRun::StartMethod(MethodRecord* pRow)
{
    if (!pRow)
        return FALSE;
    TraceLog(3, L"StartMethod: %s\n", pRow->MethodName);
    if (!CreateDataSubFolder(pRow->SubFolder))
        return FALSE;
    if (!IsDirectory(std::wstring(pRow->SysMethPath) + pRow->MethodName)) {
        const std::wstring strMessage = ModuleString(IDS_NO_METHOD_DIRECTORY);
        const LONG nRowId = pRow->aaaID;
        m_viewer.m_listMethods.ChangeRunState(pRow, RUNSTATE_FAILED, strMessage.c_str());
        LogRowEnd(*pRow, TRUE, strMessage);
        return NextAfterRowEnd(TRUE, nRowId);
    }
    // A method started at the command line holds the instrument: its end lets this row start.
    if (GetNum("_METHODON") >= kSetThreshold) {
        TraceLog(3, L"StartMethod: waiting for the instrument\n");
        m_nWaitingRow = pRow->aaaID;
        m_viewer.m_statusBar.SetMessageTextId(IDS_WAITING_FOR_INSTRUMENT);
        return TRUE;
    }
    m_nWaitingRow = -1;
    m_ownMethod = OwnMethod::Queued;
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

    m_nRunningRow = pRow->aaaID;
    m_viewer.m_listMethods.ChangeRunState(pRow, RUNSTATE_RUNNING, nullptr);
    ReportRunEvent({RUNEVENT_METHOD_STARTED, ShownGroupName(), pRow->aaaID + 1, pRow->MethodName});
    ::PostMessageW(m_viewer.GetSafeHwnd(), WM_START_RAN, static_cast<WPARAM>(pRow->aaaID), 0);
    return TRUE;
}

BOOL GroupRun::StartWaitingRow()
{
    MethodRecord* pRow = m_viewer.m_listMethods.FindRowById(m_nWaitingRow, TRUE);
    m_nWaitingRow = -1;
    return pRow ? StartMethod(pRow) : StartNextMethod();
}

void GroupRun::OnInstrumentFree()
{
    if (m_state == State::PauseRequested) {
        // The waiting row keeps its turn until Run.
        m_state = State::WaitingForRun;
        m_viewer.m_statusBar.SetMessageTextId(IDS_RUN_PAUSED);
        return;
    }
    if (m_state != State::Running)
        return;
    m_viewer.m_statusBar.SetMessageText(L"");
    if (!StartWaitingRow())
        OnCompleteGroup();
}

BOOL GroupRun::CreateDataSubFolder(LPCWSTR lpszSubFolder)
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
    m_strEndReason = strFolder + L": " + strReason;
    m_viewer.m_statusBar.SetMessageText(m_strEndReason.c_str());
    return FALSE;
}

BOOL GroupRun::PreRunCheck(const std::vector<std::wstring>& keptNow)
{
    CSRStatusBar& statusBar = m_viewer.m_statusBar;
    CMethodListCtrl& list = m_viewer.m_listMethods;
    if (!ConfirmSharedDataFolders())
        return FALSE;
    statusBar.SetMessageTextId(IDS_PRERUN_CHECK);
    struct OldData {
        std::wstring strPath;
        // The row's sub-folder and data file, which another group's row may name too.
        std::wstring strSubFolder;
        std::wstring strDataFile;
        const DataFolderUsers::User* pOwner = nullptr;
    };
    std::vector<OldData> found;
    KeptDataFolders kept;
    try {
        const int nItems = list.GetItemCount();
        for (int nItem = 0; nItem < nItems; ++nItem) {
            const auto* pData = reinterpret_cast<const MethodItemData*>(list.GetItemData(nItem));
            if (!pData)
                continue;
            const MethodRecord* pRow = list.FindRowById(pData->aaaID, TRUE);
            if (!pRow || !WillRun(*pRow))
                continue;
            const std::wstring strPath = DataFolderOf(*pRow);
            if (::GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES)
                found.push_back({strPath, pRow->SubFolder, pRow->DataFile});
            // What interrupted runs kept beside the folder is old data too, but not what this
            // Continue has just kept.
            for (std::wstring& strKept : kept.Beside(strPath))
                if (std::ranges::find(keptNow, strKept) == keptNow.end())
                    found.push_back({std::move(strKept), pRow->SubFolder, pRow->DataFile});
        }
    } catch (const std::exception&) {
        statusBar.SetMessageText(L"");
        return FALSE;
    }
    if (found.empty()) {
        statusBar.SetMessageText(L"");
        return TRUE;
    }

    // A folder that a row of another group names (or keeps beside) is that group's data: it is
    // listed with the group's name and stays, whatever the answer.
    const DataFolderUsers others = DataFolderUsers::Read(m_viewer.ListedGroups(), ShownGroupName());
    for (OldData& old : found)
        old.pOwner = others.Find(old.strSubFolder, old.strDataFile);
    std::wstring strListing;
    for (std::size_t n = 0; n < std::min(found.size(), kListedOldFolders); ++n) {
        const OldData& old = found[n];
        strListing += (old.pOwner ? FormatWin(ModuleString(IDS_OTHER_GROUPS_DATA).c_str(), old.strPath.c_str(),
                                              old.pOwner->group.c_str())
                                  : old.strPath) +
                      L"\n";
    }
    if (found.size() > kListedOldFolders)
        strListing += L"...";
    const std::wstring strQuestion =
        FormatWin(ModuleString(IDS_OLD_DATA_QUESTION).c_str(), static_cast<int>(found.size()), strListing.c_str());
    // No leaves the check's text: the run did not start, and the status bar says where it stopped.
    if (AfxMessageBox(strQuestion, MB_YESNO) != IDYES)
        return FALSE;
    statusBar.SetMessageText(L"");
    // Plain files are listed for the user to see, but only data folders are the run's to delete.
    for (const OldData& old : found)
        if (!old.pOwner && IsDirectory(old.strPath))
            DeleteFolder(old.strPath.c_str());
    return TRUE;
}

BOOL GroupRun::ConfirmSharedDataFolders()
{
    CMethodListCtrl& list = m_viewer.m_listMethods;
    // Each folder in capitals with the first row that writes it: a long group is checked in one pass.
    std::unordered_map<std::wstring, LONG> folders;
    for (LONG nKey = 0; const MethodRecord* pRow = list.FindRowById(nKey, FALSE); ++nKey) {
        if (!WillRun(*pRow))
            continue;
        const std::wstring strFolder = DataFolderOf(*pRow);
        const auto [shared, bNew] = folders.try_emplace(ToUpperWide(strFolder), nKey);
        if (bNew)
            continue;
        const std::wstring strQuestion = FormatWin(ModuleString(IDS_SAME_DATA_FOLDER).c_str(), shared->second + 1,
                                                   nKey + 1, strFolder.c_str());
        return AfxMessageBox(strQuestion, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    }
    return TRUE;
}

void GroupRun::OnVariableChanged(LPCWSTR lpszName)
{
    if (!IsRunning())
        return;
    TraceLog(3, L"OnVarBSPEvent: %s\n", lpszName);
    if (EqualsNoCase(lpszName, L"_METHODON")) {
        const double dMethodOn = GetNum("_METHODON");
        const double dSerionOn = GetNum("_SERIONON");
        TraceLog(3, L"dMethodOn = %d, dSerionOn = %d\n", static_cast<int>(dMethodOn), static_cast<int>(dSerionOn));
        if (dMethodOn >= kSetThreshold) {
            if (m_ownMethod == OwnMethod::Queued)
                m_ownMethod = OwnMethod::On;
        } else if (m_ownMethod == OwnMethod::None) {
            // Not this run's method: a row that waited for it may start now.
            if (m_nWaitingRow >= 0)
                OnInstrumentFree();
        } else {
            m_ownMethod = OwnMethod::None;
            // The host's hook puts _SERIONON back to 0 only when the method ended normally.
            BOOL bRowFailed = FALSE;
            if (dSerionOn < kSetThreshold) {
                bRowFailed = OnCompleteMethod(ModuleString(IDS_RUN_COMPLETE), FALSE);
            } else {
                if (m_strRunMessages.empty())
                    m_strRunMessages = ModuleString(IDS_RUN_ABORTED);
                bRowFailed = OnCompleteMethod(m_strRunMessages, TRUE);
            }
            if (!NextAfterRowEnd(bRowFailed, m_nRunningRow))
                OnCompleteGroup();
        }
    }
    if (EqualsNoCase(lpszName, L"METHENDSTATUS"))
        TraceLog(3, L"METHENDSTATUS = %d\n", static_cast<int>(GetNum("METHENDSTATUS")));
    if (EqualsNoCase(lpszName, L"_ERRMSG$"))
        m_viewer.m_statusBar.SetMessageText(GetStr("_ERRMSG$").c_str());
    if (EqualsNoCase(lpszName, L"ACQSTATUS$")) {
        m_strAcqStatus = GetStr("ACQSTATUS$");
        TraceLog(3, L"ACQSTATUS$ = %s\n", m_strAcqStatus.c_str());
        if (EqualsNoCase(m_strAcqStatus, L"_ERROR")) {
            // Waiting for Run, the last row has its result already; the error is not its.
            const BOOL bMethodRunning = m_state != State::WaitingForRun;
            m_strEndReason = m_strRunMessages.empty() ? m_strAcqStatus : OneLine(m_strRunMessages);
            // The group ends whatever its policy; one that would pause or stop is owed its command.
            m_bEmergencyOwed = bMethodRunning && m_nOnFailure != ONFAILURE_GO_ON;
            OnCompleteGroup();
            if (bMethodRunning)
                OnCompleteMethod(m_strAcqStatus, TRUE);
        }
    }
}

void GroupRun::OnModuleMessage(LPCWSTR lpszObject)
{
    const std::wstring strMessage = ModMsgText(lpszObject);
    if (!strMessage.empty() && m_strRunMessages.find(strMessage) == std::wstring::npos)
        m_strRunMessages += strMessage + L"\r\n";
}

void GroupRun::ReadAcqStatus() { ReadStrVar("ACQSTATUS$", m_strAcqStatus); }

BOOL GroupRun::OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed)
{
    // The row's number in the group, counted from 1 so that 0 still means no row: an address
    // would not fit the eight digits, nor tell the reader which row ended.
    const ULONG nRow = m_nRunningRow >= 0 ? static_cast<ULONG>(m_nRunningRow) + 1 : 0;
    TraceLog(3, L"OnCompleteMethod: 0x%08lX %s\n", nRow, strMessage.c_str());
    if (m_nRunningRow < 0)
        return bFailed;
    CMethodListCtrl& list = m_viewer.m_listMethods;
    if (MethodRecord* pRow = list.FindRowById(m_nRunningRow, FALSE)) {
        // A method that ended well but left no data folder did not do the row's work.
        const std::wstring strFolder = DataFolderOf(*pRow);
        const BOOL bNoData = !bFailed && !IsDirectory(strFolder);
        // A row that Stop ended says who stopped it, not how the host answered the stop.
        const BOOL bStopped = bFailed && m_state == State::Stopping;
        const std::wstring strShown = bStopped ? FormatWin(ModuleString(IDS_STOPPED_BY).c_str(), m_strStoppedBy.c_str())
                                      : bNoData ? FormatWin(ModuleString(IDS_NO_DATA_WRITTEN).c_str(), strFolder.c_str())
                                                : strMessage;
        const std::wstring& strReason = bFailed && !m_strRunMessages.empty() ? m_strRunMessages : strShown;
        bFailed = bFailed || bNoData;
        list.ChangeRunState(pRow, bFailed ? RUNSTATE_FAILED : RUNSTATE_DONE, strShown.c_str());
        LogRowEnd(*pRow, bFailed, strReason);
    }
    WatchUnsaved();
    // The row a Stop ended without its result is the one Continue runs again.
    if (m_state == State::Stopping && bFailed)
        m_nStoppedRow = m_nRunningRow;
    return bFailed;
}

BOOL GroupRun::NextAfterRowEnd(BOOL bRowFailed, LONG nRowId)
{
    if (m_viewer.m_listMethods.HasUnsaved() && m_state != State::Stopping) {
        m_bHeldForSave = TRUE;
        m_nHeldRow = nRowId;
        m_bHeldRowFailed = bRowFailed;
        return TRUE;
    }
    // A claim lost with the server's connection may be another host's now: nothing more runs here.
    const HRESULT claim = m_claim.Check();
    if (FAILED(claim)) {
        m_strEndReason = OneLine(OleDbErrorText(claim));
        TraceLog(3, L"NextAfterRowEnd: claim lost, %s\n", m_strEndReason.c_str());
        m_bQueueEnds = TRUE;
        return FALSE;
    }
    const BOOL bStopAfter = m_bStopAfterMethod && m_state != State::Stopping;
    const BOOL bPolicyApplies = bRowFailed && (m_state == State::Running || m_state == State::PauseRequested);
    if (!bStopAfter && (!bPolicyApplies || m_nOnFailure == ONFAILURE_GO_ON))
        return StartNextMethod();
    const MethodRecord* pRow = m_viewer.m_listMethods.FindRowById(nRowId, FALSE);
    const std::wstring strMethod = pRow ? pRow->MethodName : L"";
    const int nRow = static_cast<int>(nRowId) + 1;
    const std::wstring strGroup = ShownGroupName();
    if (bStopAfter) {
        TraceLog(3, L"NextAfterRowEnd: stop after row %d\n", nRow);
        m_bQueueEnds = TRUE;
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_STOP_AFTER_METHOD).c_str(), strGroup.c_str(), nRow, strMethod.c_str()));
        return FALSE;
    }
    const BOOL bPause = m_nOnFailure == ONFAILURE_PAUSE;
    TraceLog(3, L"NextAfterRowEnd: row %d failed, %s\n", nRow, bPause ? L"pause" : L"stop");
    LogbookWrite(FormatWin(ModuleString(bPause ? IDS_LOG_FAILURE_PAUSED : IDS_LOG_FAILURE_STOPPED).c_str(),
                           strGroup.c_str(), nRow, strMethod.c_str()));
    const std::wstring strStatus =
        FormatWin(ModuleString(bPause ? IDS_FAILURE_PAUSED : IDS_FAILURE_STOPPED).c_str(), nRow, strMethod.c_str());
    if (!bPause) {
        // Sent in OnCompleteGroup, before the shut-down command.
        m_bEmergencyOwed = TRUE;
        m_strEndReason = strStatus;
        return FALSE;
    }
    SendEmergencyCommand();
    SetState(State::WaitingForRun);
    AuditTrail::Record(strGroup, {L"Run paused", L"", strStatus});
    m_viewer.m_statusBar.SetMessageForms({strStatus, FormatWin(ModuleString(IDS_FAILURE_PAUSED_SHORT).c_str(), nRow)});
    ReportRunEvent({RUNEVENT_RUN_PAUSED, strGroup, nRow, strMethod, strStatus});
    return TRUE;
}

void GroupRun::ReadFailurePolicy()
{
    GroupRows groups(m_viewer.m_groupTable);
    const bool bFound = groups.FindById(ShownGroupId());
    m_nOnFailure = bFound ? m_viewer.m_groupTable.OnFailure : ONFAILURE_GO_ON;
    m_strEmergencyCommand = bFound ? m_viewer.m_groupTable.EmergencyCommand : L"";
    m_bEmergencySent = FALSE;
    m_bEmergencyOwed = FALSE;
    m_bStopAfterMethod = FALSE;
}

void GroupRun::SendEmergencyCommand()
{
    if (m_bEmergencySent || m_strEmergencyCommand.find_first_not_of(L' ') == std::wstring::npos)
        return;
    m_bEmergencySent = TRUE;
    TraceLog(3, L"SendEmergencyCommand: %s\n", m_strEmergencyCommand.c_str());
    LogbookWrite(FormatWin(ModuleString(IDS_LOG_EMERGENCY_SENT).c_str(), m_strEmergencyCommand.c_str()));
    Exec(m_strEmergencyCommand.c_str());
}

void GroupRun::WatchUnsaved()
{
    const CMethodListCtrl& list = m_viewer.m_listMethods;
    if (!list.HasUnsaved())
        return;
    TraceLog(3, L"WatchUnsaved: %s\n", list.UnsavedReason().c_str());
    m_viewer.m_statusBar.SetMessageText(
        FormatWin(ModuleString(IDS_RESULTS_UNSAVED).c_str(), OneLine(list.UnsavedReason()).c_str()).c_str());
    ::SetTimer(m_viewer.GetSafeHwnd(), kSaveRetryTimer, kSaveRetryMs, nullptr);
    m_bRetryingSave = TRUE;
}

void GroupRun::OnSaveRetry()
{
    CMethodListCtrl& list = m_viewer.m_listMethods;
    list.SaveUnsaved();
    if (list.HasUnsaved()) {
        if (++m_nSaveRetries < kSaveRetries)
            WatchUnsaved();
        else
            GiveUpSaving();
        return;
    }
    TraceLog(3, L"OnSaveRetry: saved\n");
    ::KillTimer(m_viewer.GetSafeHwnd(), kSaveRetryTimer);
    m_nSaveRetries = 0;
    m_bRetryingSave = FALSE;
    m_viewer.m_statusBar.SetMessageText(L"");
    m_viewer.UpdateRunButtons();
    if (!m_bHeldForSave)
        return;
    m_bHeldForSave = FALSE;
    if (!NextAfterRowEnd(m_bHeldRowFailed, m_nHeldRow))
        OnCompleteGroup();
}

void GroupRun::GiveUpSaving()
{
    CMethodListCtrl& list = m_viewer.m_listMethods;
    ::KillTimer(m_viewer.GetSafeHwnd(), kSaveRetryTimer);
    m_nSaveRetries = 0;
    const std::wstring strReason = list.UnsavedReason();
    TraceLog(3, L"GiveUpSaving: %s\n", strReason.c_str());
    list.ForgetUnsaved();
    m_bRetryingSave = FALSE;
    m_viewer.UpdateRunButtons();
    m_bQueueEnds = TRUE;
    if (m_bHeldForSave)
        OnCompleteGroup();
    const std::wstring strGroup = ShownGroupName();
    list.LoadGroup(strGroup.c_str(), ShownGroupId());
    m_viewer.ShowMessage(FormatWin(ModuleString(IDS_RESULTS_LOST).c_str(), strReason.c_str()).c_str(), MB_OK);
}

void GroupRun::OnStopAfterMethod()
{
    if (!CanStopAfterMethod())
        return;
    m_bStopAfterMethod = !m_bStopAfterMethod;
    TraceLog(3, L"OnStopAfterMethod: %d\n", m_bStopAfterMethod);
    if (m_bStopAfterMethod)
        m_viewer.m_statusBar.SetMessageTextId(IDS_STOP_AFTER_METHOD);
    else
        m_viewer.m_statusBar.SetMessageText(L"");
}

void GroupRun::OnStartRan(LONG nRow)
{
    if (nRow != m_nRunningRow || m_ownMethod != OwnMethod::Queued)
        return;
    if (GetNum("_METHODON") >= kSetThreshold) {
        m_ownMethod = OwnMethod::On;
        return;
    }
    // The host could not start the method: its message is the row's.
    m_ownMethod = OwnMethod::None;
    m_strRunMessages.clear();
    OnCompleteMethod(GetStr("_ERRMSG$"), TRUE);
    if (!NextAfterRowEnd(TRUE, nRow))
        OnCompleteGroup();
}

void GroupRun::LogRowEnd(const MethodRecord& row, BOOL bFailed, const std::wstring& strReason)
{
    const std::wstring strGroup = ShownGroupName();
    const int nRow = static_cast<int>(row.aaaID) + 1;
    ReportRunEvent({bFailed ? RUNEVENT_METHOD_FAILED : RUNEVENT_METHOD_DONE, strGroup, nRow, row.MethodName,
                      OneLine(strReason)});
    if (m_state == State::Stopping && bFailed)
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_ROW_STOPPED).c_str(), strGroup.c_str(), nRow, row.MethodName,
                               m_strStoppedBy.c_str()));
    else if (bFailed)
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_ROW_FAILED).c_str(), strGroup.c_str(), nRow, row.MethodName,
                               OneLine(strReason).c_str()));
    else
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_ROW_DONE).c_str(), strGroup.c_str(), nRow, row.MethodName));
}

void GroupRun::ShowSummary()
{
    CMethodListCtrl& list = m_viewer.m_listMethods;
    const std::wstring strGroup = ShownGroupName();
    const auto count = [&](LONG nState) { return static_cast<int>(list.RowsInState(nState).size()); };
    const int nDone = count(RUNSTATE_DONE);
    const int nFailed = count(RUNSTATE_FAILED);
    const int nNotRun = count(RUNSTATE_CHECKED) + count(RUNSTATE_INTERRUPTED);
    const std::wstring strSummary = FormatWin(ModuleString(IDS_GROUP_SUMMARY).c_str(), strGroup.c_str(), nDone, nFailed, nNotRun);
    LogbookWrite(strSummary);
    ReportRunEvent({RUNEVENT_GROUP_ENDED, strGroup, 0, L"", m_strEndReason});
    // Shorter forms for a narrow window; the reason that ended the group early goes last.
    const std::wstring strReason = m_strEndReason.empty() ? L"" : m_strEndReason + L" ";
    std::vector<std::wstring> forms{
        strReason + strSummary,
        strReason + FormatWin(ModuleString(IDS_GROUP_SUMMARY_SHORT).c_str(), strGroup.c_str(), nDone, nFailed, nNotRun),
        strReason + FormatWin(ModuleString(IDS_GROUP_SUMMARY_SHORTEST).c_str(), nDone, nFailed, nNotRun)};
    if (!m_strEndReason.empty())
        forms.push_back(m_strEndReason);
    m_viewer.m_statusBar.SetMessageForms(std::move(forms));
}

void GroupRun::OnCompleteGroup()
{
    TraceLog(3, L"OnCompleteGroup\n");
    const BOOL bStopped = m_state == State::Stopping;
    m_state = State::Idle;
    m_ownMethod = OwnMethod::None;
    m_nWaitingRow = -1;
    m_bStopAfterMethod = FALSE;
    m_bHeldForSave = FALSE;
    ForgetContinue();
    m_viewer.UpdateCommandState();
    m_viewer.UpdateRunButtons();
    m_viewer.m_listMethods.Invalidate();
    m_viewer.m_listMethods.UpdateWindow();
    if (m_bEmergencyOwed)
        SendEmergencyCommand();
    m_bEmergencyOwed = FALSE;
    // Whatever ended the group early ends its queue too.
    const BOOL bEndedEarly = bStopped || m_bQueueEnds || !m_strEndReason.empty();
    if (m_nQueueId && !bEndedEarly && PassToNextInQueue())
        return;
    if (m_nQueueId)
        EndQueue(bEndedEarly);
    RunPostGroup();
    if (!bStopped)
        m_nStoppedRow = -1;
    // The closing record waits until the host has run the shut-down command: a host that dies
    // before leaves the run open, and the next one sends the command again.
    m_nClosingGroup = ShownGroupId();
    m_closingRecord = RunEndRecord();
    ::PostMessageW(m_viewer.GetSafeHwnd(), WM_RUN_CLOSED, 0, 0);
}

void GroupRun::OnRunClosed()
{
    if (IsRunning() || !m_nClosingGroup)
        return;
    WriteClosingRecord();
    ShowSummary();
    m_viewer.UpdateCommandState();
}

void GroupRun::WriteClosingRecord()
{
    if (!m_nClosingGroup)
        return;
    GroupRows(m_viewer.m_groupTable).StoreRunEnd(m_nClosingGroup, 0, m_nStoppedRow + 1, m_closingRecord);
    m_nClosingGroup = 0;
    m_claim.Release();
    ForgetContinue();
}

void GroupRun::RunPostGroup()
{
    std::wstring strCommand;
    m_viewer.m_comboShutdown.GetWindowText(strCommand);
    TraceLog(3, L"RunPostGroup: %s\n", strCommand.c_str());
    Exec(strCommand.c_str());
    // The hook alone: the host's macro takes no closing text.
    Exec(L" FIALOADHOOK ");
}

std::wstring GroupRun::ShownGroupName() const
{
    std::wstring strGroup;
    m_viewer.GetCurrentGroup(strGroup);
    return strGroup;
}

void GroupRun::ReportRunEvent(CpRunEvent event) const
{
    // The shown rows are the group's as they stand: what a watcher hears matches what the list shows.
    event.done = m_viewer.m_listMethods.CountInState(RUNSTATE_DONE);
    event.failed = m_viewer.m_listMethods.CountInState(RUNSTATE_FAILED);
    event.expectedEnd = m_viewer.ExpectedEnd();
    CpReportRunEvent(event);
}

LONG GroupRun::ShownGroupId() const
{
    std::wstring strGroup;
    const int nIndex = m_viewer.GetCurrentGroup(strGroup);
    return nIndex == CB_ERR ? 0 : m_viewer.GroupIdOf(nIndex);
}

BOOL GroupRun::IsInterrupted()
{
    const LONG nGroupId = ShownGroupId();
    if (IsRunning() || nGroupId == m_nClosingGroup || !GroupRows(m_viewer.m_groupTable).FindById(nGroupId))
        return FALSE;
    // A row left running tells of a run where the group's record does not: a worklist from before
    // the record, or one that another program wrote.
    const BOOL bRunLeft =
        m_viewer.m_groupTable.RunOpen != 0 || m_viewer.m_listMethods.CountInState(RUNSTATE_RUNNING) > 0;
    return bRunLeft && !RunClaim::IsClaimed(nGroupId);
}

BOOL GroupRun::CanContinue()
{
    if (IsRunning() || m_nClosingGroup)
        return FALSE;
    if (m_nCanContinue < 0)
        m_nCanContinue = IsInterrupted() || HasRowToContinue();
    return m_nCanContinue;
}

BOOL GroupRun::HasRowToContinue()
{
    // The list's counts, not the table: this is asked whenever the commands are enabled.
    const CMethodListCtrl& list = m_viewer.m_listMethods;
    for (LONG nState : {RUNSTATE_CHECKED, RUNSTATE_RUNNING, RUNSTATE_INTERRUPTED})
        if (list.CountInState(nState) > 0)
            return TRUE;
    return GroupRows(m_viewer.m_groupTable).FindById(ShownGroupId()) && StoppedRowToRunAgain() >= 0;
}

void GroupRun::ShowInterruptedRun()
{
    if (!IsInterrupted())
        return;
    CMethodListCtrl& list = m_viewer.m_listMethods;
    const std::wstring strGroup = ShownGroupName();
    // The host that finds the interruption records it and tells of it; later it is only shown.
    GroupRows groups(m_viewer.m_groupTable);
    const BOOL bFound = groups.FindById(ShownGroupId()) && m_viewer.m_groupTable.RunOpen != RUNOPEN_INTERRUPTED;
    if (bFound)
        groups.StoreRunEnd(ShownGroupId(), RUNOPEN_INTERRUPTED, m_viewer.m_groupTable.StoppedRow,
                           {L"Run found interrupted", L"", L""});
    for (LONG nRow : list.RowsInState(RUNSTATE_RUNNING)) {
        MethodRecord* pRow = list.FindRowById(nRow, FALSE);
        if (!pRow)
            continue;
        const std::wstring strMethod = pRow->MethodName;
        TraceLog(3, L"ShowInterruptedRun: %ld %s\n", nRow + 1, strMethod.c_str());
        LogbookWrite(FormatWin(ModuleString(IDS_LOG_INTERRUPTED).c_str(), strGroup.c_str(), nRow + 1, strMethod.c_str()));
        list.ChangeRunState(pRow, RUNSTATE_INTERRUPTED, ModuleString(IDS_ROW_INTERRUPTED).c_str());
    }
    const std::vector<LONG> interrupted = list.RowsInState(RUNSTATE_INTERRUPTED);
    LONG nRow = 0;
    if (!interrupted.empty())
        nRow = interrupted.front();
    else if (!list.FindRowToContinue(nRow))
        nRow = -1;
    // With every row ended only the shut-down command is owed, and the Continue command says so.
    const MethodRecord* pRow = nRow >= 0 ? list.FindRowById(nRow, FALSE) : nullptr;
    if (bFound)
        ReportRunEvent({RUNEVENT_RUN_INTERRUPTED, strGroup, pRow ? nRow + 1 : 0, pRow ? pRow->MethodName : L""});
    if (pRow)
        m_viewer.m_statusBar.SetMessageText(
            FormatWin(ModuleString(IDS_GROUP_INTERRUPTED).c_str(), nRow + 1, pRow->MethodName, strGroup.c_str()).c_str());
}
