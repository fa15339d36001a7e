// The run of the shown group as a state machine. Read from the top: the transition function, the
// user's commands, the host's events, then how rows start and end, how a group ends, and the
// checks before a run. The states and their changes are drawn in docs/module.md.
#include "GroupRun.h"

#include "KeptDataFolders.h"
#include "QcEvaluation.h"
#include "RunHost.h"
#include "RunStore.h"
#include "RunView.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/DeleteFolder.h"
#include "module/core/ModuleString.h"
#include "module/core/ShowSystemError.h"
#include "module/core/TraceLog.h"
#include "resources/ResourceIds.h"
#include "worklist/DataFolderUsers.h"
#include "worklist/MethodRows.h"
#include "worklist/RecordText.h"
#include "worklist/RowResults.h"

#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"
#include "orvane/CpRunEvent.h"
#include "win/WinUser.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// A host number counts as set from this value on.
constexpr double kSetThreshold = 1e-6;
// The pre-run question lists this many paths and then "...".
constexpr std::size_t kListedOldFolders = 5;

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Where a row's data folder is: the data path (the host's _DATAPATH$) without its trailing
// separators, the sub-folder and the data file.
std::wstring DataFolderOf(std::wstring strPath, const MethodRecord& row)
{
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

// The comments a rerun's row starts with: "Rerun of row 4: ".
std::wstring RerunPrefix(LONG nOriginalId)
{
    return FormatWin(ModuleString(IDS_QC_RERUN_OF).c_str(), static_cast<int>(nOriginalId) + 1);
}

// A rerun's row follows its original, and its comments say so.
bool IsRerunOf(const MethodRecord& row, LONG nOriginalId)
{
    return row.aaaID == nOriginalId + 1 && std::wstring_view(row.Comments).starts_with(RerunPrefix(nOriginalId));
}

const wchar_t* StateName(GroupRun::State state)
{
    using State = GroupRun::State;
    switch (state) {
    case State::Idle: return L"Idle";
    case State::Starting: return L"Starting";
    case State::WaitingForInstrument: return L"WaitingForInstrument";
    case State::MethodQueued: return L"MethodQueued";
    case State::MethodRunning: return L"MethodRunning";
    case State::HeldForSave: return L"HeldForSave";
    case State::PauseRequested: return L"PauseRequested";
    case State::WaitingForRun: return L"WaitingForRun";
    case State::Stopping: return L"Stopping";
    case State::Closing: return L"Closing";
    case State::WaitingForServer: return L"WaitingForServer";
    }
    return L"";
}

} // namespace

std::wstring GroupRun::End::Text() const
{
    switch (cause) {
    case Cause::None:
    case Cause::StopAfterMethod:
    case Cause::ResultsLost: return L"";
    case Cause::StoppedByUser: return FormatWin(ModuleString(IDS_STOPPED_BY).c_str(), detail.c_str());
    default: return detail;
    }
}

GroupRun::~GroupRun()
{
    // A window closed before its last group's record was written writes it now.
    WriteClosingRecord();
    ReleaseClaim();
}

// ---- The transition function ----------------------------------------------------------------

void GroupRun::Enter(State next)
{
    TraceLog(3, L"GroupRun: %s -> %s\n", StateName(m_state), StateName(next));
    const BOOL bWasRunning = IsRunning();
    m_state = next;
    ForgetContinue();
    // Writes that wait for the lab server keep the beat going after the run.
    if (IsRunning() != bWasRunning)
        m_view.SetClaimTimer(IsRunning() || m_store.WaitingForServer());
    m_view.ShowRunState();
}

void GroupRun::Proceed(State next)
{
    if (m_state == State::PauseRequested)
        m_pausedIn = next;
    else if (m_state != State::Stopping)
        Enter(next);
}

void GroupRun::StartFrom(const std::function<void()>& startNext)
{
    Proceed(State::Starting);
    startNext();
    if (Doing() == State::Starting || m_state == State::Stopping)
        CompleteGroup();
}

// ---- The user's commands --------------------------------------------------------------------

void GroupRun::OnRun()
{
    TraceLog(3, L"OnRun: m_bRunning = %d, m_bStopped = %d, m_bPaused = %d, m_bNextReady = %d\n", IsRunning(),
             m_state == State::Stopping, IsPaused(), m_state == State::WaitingForRun);
    // Every press is in the logbook, whatever it leads to; the lines after it say what it did.
    m_host.Log(FormatWin(ModuleString(IDS_START_GROUP).c_str(), m_group.name.c_str()));
    if (IsPaused()) {
        m_host.Log(FormatWin(ModuleString(IDS_LOG_RUN_RESUMED).c_str(), m_group.name.c_str()));
        ShowOleDbErrors(m_store.Record(m_group.name, {L"Run resumed", L"", L""}));
    }
    switch (m_state) {
    case State::PauseRequested:
        ShowStatus(L"");
        Enter(m_pausedIn);
        break;
    case State::WaitingForRun: {
        ShowStatus(L"");
        StartFrom([this] { m_waitingRow ? StartWaitingRow() : StartNextMethod(); });
        break;
    }
    case State::Idle:
    case State::Closing: WhenServerAnswers(m_group.name, [this] { StartRun(FALSE); }); break;
    default: break;
    }
}

void GroupRun::OnPause()
{
    TraceLog(3, L"OnPause: m_bPaused = %d\n", IsPaused());
    const State doing = m_state;
    if (doing != State::WaitingForInstrument && doing != State::MethodQueued && doing != State::MethodRunning &&
        doing != State::HeldForSave)
        return;
    m_view.ShowStatusId(IDS_RUN_PAUSED);
    m_pausedIn = doing;
    Enter(State::PauseRequested);
    ShowOleDbErrors(m_store.Record(m_group.name, {L"Run paused", L"", L""}));
}

void GroupRun::OnStop(const std::wstring& strUser)
{
    TraceLog(3, L"OnStop: m_bStopped = %d\n", m_state == State::Stopping);
    if (!IsRunning())
        return;
    // A start that waits for the lab server has claimed and written nothing yet: only the wait ends.
    if (m_state == State::WaitingForServer && !m_claimedGroup) {
        m_serverStep = nullptr;
        ShowStatus(L"");
        Enter(State::Idle);
        return;
    }
    m_end = {End::Cause::StoppedByUser, strUser};
    ShowOleDbErrors(m_store.Record(m_group.name, {L"Run stopped", L"", L""}));
    // A row waiting for the instrument, for its result to be saved or for the lab server has no
    // method of this run running: the method it waits for is not this run's to stop.
    const State doing = Doing();
    const BOOL bRowWaits =
        doing == State::WaitingForInstrument || doing == State::HeldForSave || doing == State::WaitingForServer;
    if (!bRowWaits)
        m_host.Exec(EqualsNoCase(m_strAcqStatus, L"NOTREADY") ? L"_Abort=1 " : L"StopMethod ");
    Enter(State::Stopping);
    // Waiting for Run or for a row, no method is running whose end could end the group.
    if (doing == State::WaitingForRun || bRowWaits)
        CompleteGroup();
}

void GroupRun::OnContinue(BOOL bUnattended)
{
    TraceLog(3, L"OnContinue: %d\n", bUnattended);
    if (IsRunning() || !CanContinue())
        return;
    m_host.Log(FormatWin(ModuleString(IDS_CONTINUE_GROUP).c_str(), m_group.name.c_str()));
    WhenServerAnswers(m_group.name, [this, bUnattended] { ContinueRun(bUnattended); });
}

void GroupRun::ContinueRun(BOOL bUnattended)
{
    const BOOL bInterrupted = IsInterrupted();
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    if (!record)
        return;
    // A group that waits for its calibration goes on with the calibration group first, whose queue
    // then hands the run back.
    if (record->RunOpen == RUNOPEN_CALIBRATING && record->QueueID != m_group.id && m_view.ShowGroup(record->QueueID)) {
        OnContinue(bUnattended);
        return;
    }
    const std::optional<LONG> stoppedRow = StoppedRowToRunAgain(record->StoppedRow);
    if (!TakeClaim())
        return;
    MethodRows& rows = m_store.Rows();
    m_cursor.StartContinue(stoppedRow);
    BeginRun();
    // The rows that run again keep what their earlier run wrote; then the others are asked about.
    std::vector<LONG> rerun = rows.RowsInState(RUNSTATE_INTERRUPTED);
    if (stoppedRow)
        rerun.push_back(*stoppedRow);
    std::vector<std::wstring> keptNow;
    for (LONG nRow : rerun)
        if (std::wstring strKept = KeepPartialData(rows.FindRowById(nRow, FALSE)); !strKept.empty())
            keptNow.push_back(std::move(strKept));
    if (!bUnattended && !PreRunCheck(keptNow)) {
        ReleaseClaim();
        return;
    }
    ShowStatus(L"");
    MarkRunOpen(L"Run continued");
    rows.KeepOfflineCopy();
    ReportRunEvent({.kind = RUNEVENT_RUN_CONTINUED, .group = m_group.name});
    // A group of a queue goes on with the rest of its queue.
    m_queue.Begin(record->QueueID);
    if (m_queue.IsActive()) {
        ClaimRestOfQueue(record->QueuePos);
        ShowQueuePlace();
    }
    const std::wstring strRecovery = record->RecoveryCommand;
    if (bInterrupted && strRecovery.find_first_not_of(L' ') != std::wstring::npos) {
        TraceLog(3, L"OnContinue: recovery %s\n", strRecovery.c_str());
        m_host.Log(FormatWin(ModuleString(IDS_RECOVERY_SENT).c_str(), strRecovery.c_str()));
        m_host.Exec(strRecovery);
    }
    const std::optional<std::pair<LONG, QcAction>> owed = bInterrupted && rerun.empty() ? OwedQcAction() : std::nullopt;
    MethodRecord* pRow = m_cursor.First(rows);
    // An interrupted run whose rows had all ended still owes the group its shut-down command.
    StartFrom([&] {
        if (!owed) {
            StartMethod(pRow);
            return;
        }
        // The row that comes next waits for Run when the QC paused the run.
        if (pRow && owed->second == QcAction::Pause)
            m_waitingRow = pRow->aaaID;
        const MethodRecord* pEnded = rows.FindRowById(owed->first, FALSE);
        ApplyQcOutcome({owed->second, 0, L"", FALSE}, static_cast<int>(owed->first) + 1, pEnded ? pEnded->MethodName : L"");
    });
}

void GroupRun::OnRunQueue(const std::vector<LONG>& ids)
{
    if (IsRunning() || ids.empty())
        return;
    TraceLog(3, L"OnRunQueue: %d groups\n", static_cast<int>(ids.size()));
    WhenServerAnswers(ListedName(ids.front()), [this, ids] { StartQueue(ids); });
}

void GroupRun::StartQueue(const std::vector<LONG>& ids)
{
    std::wstring strNames;
    for (LONG nGroupId : ids) {
        if (!m_view.ShowGroup(nGroupId))
            continue;
        strNames += (strNames.empty() ? L"" : L", ") + m_group.name;
        if (!m_queue.Claim(nGroupId)) {
            m_queue.End();
            m_view.ShowRunMessage(FormatWin(ModuleString(IDS_QUEUE_GROUP_ELSEWHERE).c_str(), m_group.name.c_str()), MB_OK);
            return;
        }
        // Every group's questions are asked now, so that the night asks nothing.
        m_cursor.StartFresh();
        if (!PreRunCheck()) {
            m_queue.End();
            return;
        }
    }
    const HRESULT status = m_store.StoreQueue(ids);
    if (FAILED(status)) {
        m_queue.End();
        ShowOleDbErrors(status);
        return;
    }
    m_host.Log(FormatWin(ModuleString(IDS_LOG_QUEUE_STARTED).c_str(), strNames.c_str()));
    m_queue.Begin(ids.front());
    m_view.ShowGroup(ids.front());
    m_host.Log(FormatWin(ModuleString(IDS_START_GROUP).c_str(), m_group.name.c_str()));
    // This run's own claim takes the place of the queue's.
    m_queue.HandOver(ids.front());
    StartRun(TRUE);
}

void GroupRun::OnStopAfterMethod()
{
    if (!CanStopAfterMethod())
        return;
    m_bStopAfterMethod = !m_bStopAfterMethod;
    TraceLog(3, L"OnStopAfterMethod: %d\n", m_bStopAfterMethod);
    if (m_bStopAfterMethod)
        m_view.ShowStatusId(IDS_STOP_AFTER_METHOD);
    else
        ShowStatus(L"");
}

// ---- The host's events ----------------------------------------------------------------------

void GroupRun::OnStartRan(LONG nRow)
{
    const BOOL bQueued = Doing() == State::MethodQueued || m_state == State::Stopping;
    if (nRow != m_runningRow || !bQueued)
        return;
    if (m_host.GetNum("_METHODON") >= kSetThreshold) {
        Proceed(State::MethodRunning);
        return;
    }
    // The host could not start the method: its message is the row's.
    m_strRunMessages.clear();
    OnCompleteMethod(m_host.GetStr("_ERRMSG$"), TRUE);
    StartFrom([&] { NextAfterRowEnd(TRUE, nRow); });
}

void GroupRun::OnVariableChanged(LPCWSTR lpszName)
{
    if (!IsRunning())
        return;
    TraceLog(3, L"OnVarBSPEvent: %s\n", lpszName);
    if (EqualsNoCase(lpszName, L"_METHODON")) {
        const double dMethodOn = m_host.GetNum("_METHODON");
        const double dSerionOn = m_host.GetNum("_SERIONON");
        TraceLog(3, L"dMethodOn = %d, dSerionOn = %d\n", static_cast<int>(dMethodOn), static_cast<int>(dSerionOn));
        const State doing = Doing();
        const BOOL bOwnMethod = doing == State::MethodQueued || doing == State::MethodRunning || doing == State::Stopping;
        if (dMethodOn >= kSetThreshold) {
            if (doing == State::MethodQueued)
                Proceed(State::MethodRunning);
        } else if (bOwnMethod) {
            // The host's hook puts _SERIONON back to 0 only when the method ended normally.
            OnMethodEnded(dSerionOn >= kSetThreshold);
        } else if (m_waitingRow) {
            // Not this run's method: a row that waited for it may start now.
            OnInstrumentFree();
        }
    }
    if (EqualsNoCase(lpszName, L"METHENDSTATUS"))
        TraceLog(3, L"METHENDSTATUS = %d\n", static_cast<int>(m_host.GetNum("METHENDSTATUS")));
    if (EqualsNoCase(lpszName, L"_ERRMSG$"))
        ShowStatus(m_host.GetStr("_ERRMSG$"));
    if (EqualsNoCase(lpszName, L"ACQSTATUS$")) {
        m_strAcqStatus = m_host.GetStr("ACQSTATUS$");
        TraceLog(3, L"ACQSTATUS$ = %s\n", m_strAcqStatus.c_str());
        if (EqualsNoCase(m_strAcqStatus, L"_ERROR")) {
            // Waiting for Run, the last row has its result already; the error is not its.
            const BOOL bMethodRunning = m_state != State::WaitingForRun;
            m_end = {End::Cause::AcquisitionError, m_strRunMessages.empty() ? m_strAcqStatus : OneLine(m_strRunMessages)};
            // The group ends whatever its policy; one that would pause or stop is owed its command.
            if (bMethodRunning && !m_policy.GoesOn())
                m_policy.Owe();
            CompleteGroup();
            if (bMethodRunning)
                OnCompleteMethod(m_strAcqStatus, TRUE);
        }
    }
}

void GroupRun::OnMethodEnded(BOOL bFailed)
{
    BOOL bRowFailed = FALSE;
    if (!bFailed) {
        bRowFailed = OnCompleteMethod(ModuleString(IDS_RUN_COMPLETE), FALSE);
    } else {
        if (m_strRunMessages.empty())
            m_strRunMessages = ModuleString(IDS_RUN_ABORTED);
        bRowFailed = OnCompleteMethod(m_strRunMessages, TRUE);
    }
    StartFrom([&] { NextAfterRowEnd(bRowFailed, m_runningRow.value_or(-1)); });
}

void GroupRun::OnInstrumentFree()
{
    if (m_state == State::PauseRequested) {
        // The waiting row keeps its turn until Run.
        Enter(State::WaitingForRun);
        m_view.ShowStatusId(IDS_RUN_PAUSED);
        return;
    }
    if (m_state != State::WaitingForInstrument)
        return;
    ShowStatus(L"");
    StartFrom([this] { StartWaitingRow(); });
}

void GroupRun::OnModuleMessage(LPCWSTR lpszObject)
{
    const std::wstring strMessage = m_host.ModuleMessage(lpszObject);
    if (!strMessage.empty() && m_strRunMessages.find(strMessage) == std::wstring::npos)
        m_strRunMessages += strMessage + L"\r\n";
}

void GroupRun::ReadAcqStatus() { m_strAcqStatus = m_host.GetStr("ACQSTATUS$"); }

void GroupRun::OnSaveRetry()
{
    MethodRows& rows = m_store.Rows();
    switch (m_saveRetry.Retry(rows)) {
    case SaveRetry::Outcome::StillUnsaved: WatchUnsaved(); return;
    case SaveRetry::Outcome::GivenUp: GiveUpSaving(); return;
    case SaveRetry::Outcome::Saved: break;
    }
    TraceLog(3, L"OnSaveRetry: saved\n");
    m_view.SetSaveRetryTimer(FALSE);
    ShowStatus(L"");
    m_view.ShowRunState();
    if (Doing() != State::HeldForSave)
        return;
    StartFrom([this] { NextAfterRowEnd(m_bHeldRowFailed, m_nHeldRow); });
}

void GroupRun::OnClaimTimer()
{
    const BOOL bRenews = IsRunning() && m_claimedGroup && m_end.cause != End::Cause::ClaimLost;
    if (bRenews)
        m_queue.Renew();
    // The claim first: the server back, it is this host's again before anything is written.
    if (!bRenews || SUCCEEDED(m_host.RenewClaim(*m_claimedGroup))) {
        if (m_end.cause != End::Cause::ClaimLost)
            ForwardKept();
        // What waited for the server goes on once it answers.
        if (m_state == State::WaitingForServer && m_store.Reach() != DB_E_CANNOTCONNECT) {
            ShowStatus(L"");
            Enter(State::Idle);
            std::exchange(m_serverStep, nullptr)();
        }
        return;
    }
    ShowKeptForServer();
    // A server that does not answer is asked again at the next beat.
    const std::wstring strInstrument = m_host.RunningOn(*m_claimedGroup);
    if (strInstrument.empty())
        return;
    LoseClaim(strInstrument);
    // Without a method of this run on the instrument, no method's end will end the group.
    const State doing = Doing();
    if (doing != State::MethodQueued && doing != State::MethodRunning && doing != State::Stopping)
        CompleteGroup();
}

BOOL GroupRun::HoldsClaim()
{
    // A claim lost with the server's connection may be another host's now. A server that does
    // not answer leaves the claim to the heartbeat, and the run goes on.
    if (m_end.cause != End::Cause::ClaimLost && m_claimedGroup && FAILED(m_host.CheckClaim(*m_claimedGroup)))
        if (const std::wstring strInstrument = m_host.RunningOn(*m_claimedGroup); !strInstrument.empty())
            LoseClaim(strInstrument);
    return m_end.cause != End::Cause::ClaimLost;
}

void GroupRun::LoseClaim(const std::wstring& strInstrument)
{
    m_end = {End::Cause::ClaimLost,
             FormatWin(ModuleString(IDS_CLAIM_TAKEN_OVER).c_str(), strInstrument.c_str(), m_group.name.c_str())};
    TraceLog(3, L"LoseClaim: %s\n", strInstrument.c_str());
    m_host.Log(m_end.detail);
    m_store.SetAside();
    ShowStatus(m_end.detail);
}

void GroupRun::OnRunClosed()
{
    if (m_state != State::Closing)
        return;
    WriteClosingRecord();
    ShowSummary();
}

// ---- Starting rows --------------------------------------------------------------------------

void GroupRun::StartRun(BOOL bInQueue)
{
    m_cursor.StartFresh();
    BeginRun();
    if (!TakeClaim())
        return;
    if (!bInQueue && !PreRunCheck()) {
        ReleaseClaim();
        return;
    }
    MethodRows& rows = m_store.Rows();
    if (!m_cursor.First(rows) && !bInQueue) {
        ReleaseClaim();
        return;
    }
    m_view.ReadMethodDurations();
    // The rows reset and the run open are one edit, made before anything of the run is logged or
    // sent: a host that dies from here on leaves a run that Continue finds, never a run that the
    // logbook tells of and the worklist does not. A group run alone leaves a queue it was in.
    if (ShowOleDbErrors(m_store.OpenRun(m_group.id, !bInQueue, {L"Run started", L"", L""}))) {
        ReleaseClaim();
        return;
    }
    ShowStatus(L"");
    // From here on the run finds its rows while the lab server is away.
    rows.KeepOfflineCopy();
    MethodRecord* pRow = m_cursor.First(rows);
    ReportRunEvent({.kind = RUNEVENT_GROUP_STARTED, .group = m_group.name});
    StartFrom([&] {
        if (bInQueue)
            ShowQueuePlace();
        StartMethod(pRow);
    });
}

void GroupRun::BeginRun()
{
    m_end = {};
    m_bStopAfterMethod = FALSE;
    m_qcOutcome.reset();
    m_qcRules = m_store.ReadQcRules(m_group.id);
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    m_policy.Read(record ? record->OnFailure : ONFAILURE_GO_ON, record ? record->EmergencyCommand : L"");
}

void GroupRun::StartNextMethod()
{
    if (m_state == State::Stopping)
        return;
    if (IsPaused()) {
        Enter(State::WaitingForRun);
        // The ended method's messages may have taken the pane meanwhile.
        m_view.ShowStatusId(IDS_RUN_PAUSED);
        return;
    }
    StartMethod(m_cursor.Next(m_store.Rows()));
}

void GroupRun::StartWaitingRow()
{
    MethodRecord* pRow = m_store.Rows().FindRowById(m_waitingRow.value_or(-1), TRUE);
    m_waitingRow.reset();
    if (pRow)
        StartMethod(pRow);
    else
        StartNextMethod();
}

void GroupRun::StartMethod(MethodRecord* pRow)
{
    if (!pRow)
        return;
    TraceLog(3, L"StartMethod: %s\n", pRow->MethodName);
    if (!CreateDataSubFolder(pRow->SubFolder))
        return;
    if (!IsDirectory(std::wstring(pRow->SysMethPath) + pRow->MethodName)) {
        const std::wstring strMessage = ModuleString(IDS_NO_METHOD_DIRECTORY);
        const LONG nRowId = pRow->aaaID;
        m_store.ChangeRunState(pRow, RUNSTATE_FAILED, strMessage.c_str());
        LogRowEnd(*pRow, TRUE, strMessage);
        NextAfterRowEnd(TRUE, nRowId);
        return;
    }
    // A method started at the command line holds the instrument: its end lets this row start.
    if (m_host.GetNum("_METHODON") >= kSetThreshold) {
        TraceLog(3, L"StartMethod: waiting for the instrument\n");
        m_waitingRow = pRow->aaaID;
        m_view.ShowStatusId(IDS_WAITING_FOR_INSTRUMENT);
        Proceed(State::WaitingForInstrument);
        return;
    }
    m_waitingRow.reset();
    m_strRunMessages.clear();

    m_host.SetNum("_SERIONON", 1.0);
    m_host.SetNum("_METHODCHANGED", 0.0);
    m_host.SetStr("_SAMPINFO$", pRow->Comments);
    m_host.SetStr("_DATAFILE$", pRow->DataFile);
    m_host.SetStr("_DATAFILE1$", pRow->DataFile);
    m_host.SetStr("_DATASUBDIR$", pRow->SubFolder);
    m_host.SetStr("_METHFILE$", pRow->MethodName);
    m_host.SetStr("_OPERATOR$", pRow->Operator);
    m_host.SetStr("_METHPATH$", pRow->SysMethPath);
    m_host.Exec(L"LoadMethParams  ");
    m_host.SetNum("_SERIONLOAD", 1.0);
    m_host.Exec(L"FIALOADHOOK ");
    m_host.Exec(L"RUNMETHOD ");
    m_host.Exec(L"print \"Running the method... \"");

    m_runningRow = pRow->aaaID;
    Proceed(State::MethodQueued);
    m_store.ChangeRunState(pRow, RUNSTATE_RUNNING, nullptr);
    ReportRunEvent({RUNEVENT_METHOD_STARTED, m_group.name, pRow->aaaID + 1, pRow->MethodName});
    m_view.PostStartRan(pRow->aaaID);
}

BOOL GroupRun::CreateDataSubFolder(LPCWSTR lpszSubFolder)
{
    const std::wstring strFolder = m_host.GetStr("_DATAPATH$") + lpszSubFolder;
    if (::CreateDirectoryW(strFolder.c_str(), nullptr))
        return TRUE;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return TRUE;
    // The run ends here; the status bar tells the user why.
    std::wstring strReason = SystemErrorText(error);
    while (!strReason.empty() && (strReason.back() == L'\n' || strReason.back() == L'\r'))
        strReason.pop_back();
    m_end = {End::Cause::FolderError, strFolder + L": " + strReason};
    ShowStatus(m_end.detail);
    return FALSE;
}

// ---- Rows' ends -----------------------------------------------------------------------------

BOOL GroupRun::OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed)
{
    // The row's number in the group, counted from 1 so that 0 still means no row: an address
    // would not fit the eight digits, nor tell the reader which row ended.
    const ULONG nRow = m_runningRow ? static_cast<ULONG>(*m_runningRow) + 1 : 0;
    TraceLog(3, L"OnCompleteMethod: 0x%08lX %s\n", nRow, strMessage.c_str());
    // The group may be another instrument's now: its rows are that run's to write.
    if (!m_runningRow || !HoldsClaim())
        return bFailed;
    MethodRows& rows = m_store.Rows();
    if (MethodRecord* pRow = rows.FindRowById(*m_runningRow, FALSE)) {
        // A method that ended well but left no data folder did not do the row's work.
        const std::wstring strFolder = DataFolderOf(m_host.GetStr("_DATAPATH$"), *pRow);
        const BOOL bNoData = !bFailed && !IsDirectory(strFolder);
        // A row that Stop ended says who stopped it, not how the host answered the stop.
        const BOOL bStopped = bFailed && m_state == State::Stopping;
        const std::wstring strShown = bStopped ? m_end.Text()
                                      : bNoData ? FormatWin(ModuleString(IDS_NO_DATA_WRITTEN).c_str(), strFolder.c_str())
                                                : strMessage;
        const std::wstring& strReason = bFailed && !m_strRunMessages.empty() ? m_strRunMessages : strShown;
        bFailed = bFailed || bNoData;
        std::vector<ResultRecord> results = RowResults::ReadFile(strFolder);
        // Judging results may move the table to other rows; a row without results has nothing to judge.
        if (!bFailed && m_state != State::Stopping && !results.empty()) {
            JudgeResults(*pRow, results);
            pRow = rows.FindRowById(*m_runningRow, FALSE);
        }
        if (pRow) {
            m_store.ChangeRunState(pRow, bFailed ? RUNSTATE_FAILED : RUNSTATE_DONE, strShown.c_str(), std::move(results));
            LogRowEnd(*pRow, bFailed, strReason);
        }
    }
    WatchUnsaved();
    ShowKeptForServer();
    // The row a Stop ended without its result is the one Continue runs again.
    if (m_state == State::Stopping && bFailed)
        m_cursor.SetStoppedRow(m_runningRow);
    return bFailed;
}

void GroupRun::NextAfterRowEnd(BOOL bRowFailed, LONG nRowId)
{
    if (m_store.Rows().HasUnsaved() && m_state != State::Stopping) {
        m_nHeldRow = nRowId;
        m_bHeldRowFailed = bRowFailed;
        Proceed(State::HeldForSave);
        return;
    }
    if (m_end.cause == End::Cause::ClaimLost)
        return;
    const BOOL bStopAfter = m_bStopAfterMethod && m_state != State::Stopping;
    const std::optional<QcOutcome> qc = std::exchange(m_qcOutcome, std::nullopt);
    if (qc && !bStopAfter && m_state != State::Stopping && m_state != State::WaitingForRun) {
        const MethodRecord* pRow = m_store.Rows().FindRowById(nRowId, FALSE);
        const std::wstring strMethod = pRow ? pRow->MethodName : L"";
        if (!qc->bWaitsForServer) {
            ApplyQcOutcome(*qc, static_cast<int>(nRowId) + 1, strMethod);
            return;
        }
        WhenServerAnswers(m_group.name, [this, outcome = *qc, nRowId, strMethod]() mutable {
            StartFrom([&] {
                WriteQcRows(outcome, nRowId);
                ApplyQcOutcome(outcome, static_cast<int>(nRowId) + 1, strMethod);
            });
        });
        return;
    }
    const BOOL bPolicyApplies = bRowFailed && m_state != State::Stopping && m_state != State::WaitingForRun;
    if (!bStopAfter && (!bPolicyApplies || m_policy.GoesOn())) {
        StartNextMethod();
        return;
    }
    const MethodRecord* pRow = m_store.Rows().FindRowById(nRowId, FALSE);
    const std::wstring strMethod = pRow ? pRow->MethodName : L"";
    const int nRow = static_cast<int>(nRowId) + 1;
    const std::wstring& strGroup = m_group.name;
    if (bStopAfter) {
        TraceLog(3, L"NextAfterRowEnd: stop after row %d\n", nRow);
        m_end = {End::Cause::StopAfterMethod, L""};
        m_host.Log(FormatWin(ModuleString(IDS_LOG_STOP_AFTER_METHOD).c_str(), strGroup.c_str(), nRow, strMethod.c_str()));
        return;
    }
    const BOOL bPause = m_policy.Pauses();
    TraceLog(3, L"NextAfterRowEnd: row %d failed, %s\n", nRow, bPause ? L"pause" : L"stop");
    m_host.Log(FormatWin(ModuleString(bPause ? IDS_LOG_FAILURE_PAUSED : IDS_LOG_FAILURE_STOPPED).c_str(),
                           strGroup.c_str(), nRow, strMethod.c_str()));
    const std::wstring strStatus =
        FormatWin(ModuleString(bPause ? IDS_FAILURE_PAUSED : IDS_FAILURE_STOPPED).c_str(), nRow, strMethod.c_str());
    if (!bPause) {
        // Sent in CompleteGroup, before the shut-down command.
        m_policy.Owe();
        m_end = {End::Cause::FailurePolicy, strStatus};
        return;
    }
    m_policy.SendEmergencyCommand(m_host);
    Enter(State::WaitingForRun);
    ShowOleDbErrors(m_store.Record(strGroup, {L"Run paused", L"", strStatus}));
    m_view.ShowStatus({strStatus, FormatWin(ModuleString(IDS_FAILURE_PAUSED_SHORT).c_str(), nRow)});
    ReportRunEvent({RUNEVENT_RUN_PAUSED, strGroup, nRow, strMethod, strStatus});
}

void GroupRun::JudgeResults(const MethodRecord& row, std::vector<ResultRecord>& results)
{
    m_qcOutcome.reset();
    if (results.empty())
        return;
    const LONG nRowId = row.aaaID;
    const int nRow = static_cast<int>(nRowId) + 1;
    const std::wstring strMethod = row.MethodName;
    const BOOL bRerun = nRowId > 0 && IsRerunOf(row, nRowId - 1);
    const std::vector<QcEvaluation::Decision> decisions =
        QcEvaluation::Evaluate(m_qcRules, results, bRerun);
    const QcEvaluation::Decision* pStrongest = QcEvaluation::Strongest(decisions);
    if (!pStrongest)
        return;
    for (const QcEvaluation::Decision& decision : decisions) {
        const std::wstring strText = decision.Text(results);
        TraceLog(3, L"JudgeResults: row %d %s\n", nRow, strText.c_str());
        m_host.Log(FormatWin(ModuleString(IDS_LOG_QC_FAILED).c_str(), m_group.name.c_str(), nRow, strMethod.c_str(),
                             strText.c_str()));
        ShowOleDbErrors(m_store.Record(m_group.name, {FormatWin(L"Row %d QC failed", nRow), L"", strText}));
        ReportRunEvent({RUNEVENT_QC_FAILED, m_group.name, nRow, strMethod, strText});
    }
    QcOutcome outcome{pStrongest->action, 0, pStrongest->rule.calibrationGroup};
    const BOOL bWritesRows = outcome.action == QcAction::Rerun || outcome.action == QcAction::Calibrate;
    if (bWritesRows && m_store.Reach() == DB_E_CANNOTCONNECT)
        outcome.bWaitsForServer = TRUE;
    else
        WriteQcRows(outcome, nRowId);
    m_qcOutcome = outcome;
}

void GroupRun::WriteQcRows(QcOutcome& qc, LONG nRowId)
{
    qc.bWaitsForServer = FALSE;
    if (qc.action == QcAction::Calibrate && !(qc.nCalibrationId = OpenCalibration(qc.strCalibration)))
        qc.action = QcAction::Pause;
    // An original that runs again after a host's end finds its rerun there already.
    const MethodRecord* pNext = m_store.Rows().FindRowById(nRowId + 1, FALSE);
    if (qc.action == QcAction::Rerun && !(pNext && IsRerunOf(*pNext, nRowId)))
        ShowOleDbErrors(m_store.InsertRerun(nRowId, RerunPrefix(nRowId)));
}

LONG GroupRun::OpenCalibration(const std::wstring& strName)
{
    const std::vector<GroupEntry> listed = m_view.ListedGroups();
    const auto found = std::ranges::find_if(listed, [&](const GroupEntry& group) { return EqualsNoCase(group.name, strName); });
    if (found == listed.end() || found->id == m_group.id || m_host.IsClaimedByAnotherHost(found->id)) {
        m_host.Log(FormatWin(ModuleString(IDS_LOG_QC_NO_CALIBRATION).c_str(), m_group.name.c_str(), strName.c_str()));
        return 0;
    }
    // The calibration goes first in the queue, the shown group and the rest of its queue after it.
    std::vector<LONG> ids{found->id, m_group.id};
    if (const std::optional<GroupRecord> record = m_queue.IsActive() ? m_store.ReadGroup(m_group.id) : std::nullopt)
        std::ranges::copy(m_store.QueueAfter(m_queue.Id(), record->QueuePos), std::back_inserter(ids));
    const AuditEntry record{L"Calibration started", L"", L"for group " + m_group.name};
    return ShowOleDbErrors(m_store.OpenCalibration(found->name, ids, record)) ? 0 : found->id;
}

std::optional<std::pair<LONG, QcAction>> GroupRun::OwedQcAction()
{
    MethodRows& rows = m_store.Rows();
    std::optional<MethodRecord> last;
    for (LONG nRow : rows.RowsInState(RUNSTATE_DONE))
        if (const MethodRecord* pRow = rows.FindRowById(nRow, FALSE); pRow && (!last || pRow->EndTime >= last->EndTime))
            last = *pRow;
    if (!last)
        return std::nullopt;
    std::vector<ResultRecord> results = m_store.ReadResults(*last);
    const BOOL bRerun = last->aaaID > 0 && IsRerunOf(*last, last->aaaID - 1);
    const std::vector<QcEvaluation::Decision> decisions =
        QcEvaluation::Evaluate(m_store.ReadQcRules(m_group.id), results, bRerun);
    const QcEvaluation::Decision* pStrongest = QcEvaluation::Strongest(decisions);
    if (!pStrongest || (pStrongest->action != QcAction::Pause && pStrongest->action != QcAction::Stop))
        return std::nullopt;
    TraceLog(3, L"OwedQcAction: row %d\n", static_cast<int>(last->aaaID) + 1);
    return std::pair{last->aaaID, pStrongest->action};
}

void GroupRun::ApplyQcOutcome(const QcOutcome& qc, int nRow, const std::wstring& strMethod)
{
    switch (qc.action) {
    case QcAction::Calibrate: StartCalibration(qc.nCalibrationId); return;
    case QcAction::Pause: {
        const std::wstring strStatus = FormatWin(ModuleString(IDS_QC_PAUSED).c_str(), nRow, strMethod.c_str());
        Enter(State::WaitingForRun);
        ShowOleDbErrors(m_store.Record(m_group.name, {L"Run paused", L"", strStatus}));
        m_view.ShowStatus({strStatus, FormatWin(ModuleString(IDS_QC_PAUSED_SHORT).c_str(), nRow)});
        ReportRunEvent({RUNEVENT_RUN_PAUSED, m_group.name, nRow, strMethod, strStatus});
        return;
    }
    case QcAction::Stop:
        // Sent in CompleteGroup, before the shut-down command, as the failure policy's.
        m_policy.Owe();
        m_end = {End::Cause::QcFailed, FormatWin(ModuleString(IDS_QC_STOPPED).c_str(), nRow, strMethod.c_str())};
        return;
    default:
        // A rerun's row comes next.
        StartNextMethod();
        return;
    }
}

void GroupRun::StartCalibration(LONG nCalibrationId)
{
    const std::wstring strWaiting = m_group.name;
    const LONG nWaiting = m_group.id;
    m_queue.Begin(nCalibrationId);
    ReleaseClaim();
    m_queue.Claim(nWaiting);
    m_view.ShowGroup(nCalibrationId);
    m_host.Log(FormatWin(ModuleString(IDS_LOG_QC_CALIBRATING).c_str(), strWaiting.c_str(), m_group.name.c_str()));
    m_host.Log(FormatWin(ModuleString(IDS_START_GROUP).c_str(), m_group.name.c_str()));
    m_cursor.StartFresh();
    BeginRun();
    if (!TakeClaim())
        return;
    ReportRunEvent({.kind = RUNEVENT_GROUP_STARTED, .group = m_group.name});
    ShowQueuePlace();
    StartMethod(m_cursor.First(m_store.Rows()));
}

void GroupRun::ResumeAfterCalibration()
{
    m_host.Log(FormatWin(ModuleString(IDS_LOG_QC_RESUMED).c_str(), m_group.name.c_str()));
    m_cursor.StartContinue(std::nullopt);
    BeginRun();
    if (!TakeClaim())
        return;
    // A row that a host's end left running runs again, its earlier data kept beside its folder.
    MethodRows& rows = m_store.Rows();
    for (LONG nState : {RUNSTATE_RUNNING, RUNSTATE_INTERRUPTED})
        for (LONG nRow : rows.RowsInState(nState))
            KeepPartialData(rows.FindRowById(nRow, FALSE));
    ShowQueuePlace();
    StartFrom([this] { StartMethod(m_cursor.First(m_store.Rows())); });
}

void GroupRun::LogRowEnd(const MethodRecord& row, BOOL bFailed, const std::wstring& strReason)
{
    const std::wstring& strGroup = m_group.name;
    const int nRow = static_cast<int>(row.aaaID) + 1;
    ReportRunEvent({bFailed ? RUNEVENT_METHOD_FAILED : RUNEVENT_METHOD_DONE, strGroup, nRow, row.MethodName,
                    OneLine(strReason)});
    if (m_state == State::Stopping && bFailed)
        m_host.Log(FormatWin(ModuleString(IDS_LOG_ROW_STOPPED).c_str(), strGroup.c_str(), nRow, row.MethodName,
                               m_end.detail.c_str()));
    else if (bFailed)
        m_host.Log(FormatWin(ModuleString(IDS_LOG_ROW_FAILED).c_str(), strGroup.c_str(), nRow, row.MethodName,
                               OneLine(strReason).c_str()));
    else
        m_host.Log(FormatWin(ModuleString(IDS_LOG_ROW_DONE).c_str(), strGroup.c_str(), nRow, row.MethodName));
}

BOOL GroupRun::ShowKeptForServer()
{
    const std::optional<RunJournal::Waiting> waiting = m_store.WaitingForServer();
    if (!waiting)
        return FALSE;
    const std::wstring strSince = FormatTime(waiting->since, L"%H:%M");
    // One kept result is told of in the singular; the texts of more take the count.
    const bool bOne = waiting->rowEnds == 1;
    const std::wstring strKept = FormatWin(ModuleString(bOne ? IDS_KEPT_ONE_FOR_SERVER : IDS_KEPT_FOR_SERVER).c_str(),
                                           strSince.c_str(), waiting->rowEnds);
    // A claim another instrument took, or a run that waits for the server, is what the status bar tells of.
    if (m_end.cause != End::Cause::ClaimLost && m_state != State::WaitingForServer)
        m_view.ShowStatus({strKept, FormatWin(ModuleString(bOne ? IDS_KEPT_ONE_FOR_SERVER_SHORT : IDS_KEPT_FOR_SERVER_SHORT).c_str(),
                                              waiting->rowEnds)});
    if (waiting->rowEnds != m_nKeptShown) {
        m_nKeptShown = waiting->rowEnds;
        m_host.Log(strKept);
    }
    if (!m_bAwayReported && _time64(nullptr) - waiting->since >= kAwayNoticeSeconds) {
        m_bAwayReported = TRUE;
        const std::wstring strNotice =
            FormatWin(ModuleString(bOne ? IDS_SERVER_AWAY_NOTICE_ONE : IDS_SERVER_AWAY_NOTICE).c_str(), strSince.c_str(),
                      waiting->rowEnds);
        m_host.Log(strNotice);
        ReportRunEvent({RUNEVENT_SERVER_AWAY, m_group.name, 0, L"", strNotice});
    }
    return TRUE;
}

void GroupRun::ForwardLeftWrites()
{
    if (!m_store.WaitingForServer())
        return;
    m_view.SetClaimTimer(TRUE);
    ForwardKept();
}

void GroupRun::WhenServerAnswers(const std::wstring& strGroup, std::function<void()> step)
{
    WriteClosingRecord();
    ForwardKept();
    if (m_store.Reach() != DB_E_CANNOTCONNECT) {
        step();
        return;
    }
    const std::wstring strWaiting = FormatWin(ModuleString(IDS_WAITING_FOR_SERVER).c_str(), strGroup.c_str());
    TraceLog(3, L"WhenServerAnswers: %s\n", strGroup.c_str());
    m_host.Log(strWaiting);
    m_serverStep = std::move(step);
    Enter(State::WaitingForServer);
    ShowStatus(strWaiting);
}

void GroupRun::ForwardKept()
{
    if (!ShowKeptForServer())
        return;
    const HRESULT status = m_store.Forward();
    TraceLog(3, L"ForwardKept: 0x%08lX\n", static_cast<unsigned long>(status));
    if (FAILED(status))
        return;
    m_nKeptShown = 0;
    m_bAwayReported = FALSE;
    m_host.Log(ModuleString(IDS_KEPT_WRITTEN));
    ShowStatus(L"");
    m_view.ShowRunState();
    if (!IsRunning())
        m_view.SetClaimTimer(FALSE);
}

void GroupRun::WatchUnsaved()
{
    const MethodRows& rows = m_store.Rows();
    if (!rows.HasUnsaved())
        return;
    TraceLog(3, L"WatchUnsaved: %s\n", rows.UnsavedReason().c_str());
    m_view.ShowStatus({FormatWin(ModuleString(IDS_RESULTS_UNSAVED).c_str(), OneLine(rows.UnsavedReason()).c_str()),
                       ModuleString(IDS_RESULTS_UNSAVED_SHORT)});
    m_view.SetSaveRetryTimer(TRUE);
    m_saveRetry.Begin();
}

void GroupRun::GiveUpSaving()
{
    MethodRows& rows = m_store.Rows();
    m_view.SetSaveRetryTimer(FALSE);
    const std::wstring strReason = rows.UnsavedReason();
    TraceLog(3, L"GiveUpSaving: %s\n", strReason.c_str());
    rows.ForgetUnsaved();
    m_view.ShowRunState();
    if (m_end.cause == End::Cause::None)
        m_end = {End::Cause::ResultsLost, L""};
    if (Doing() == State::HeldForSave)
        CompleteGroup();
    ShowOleDbErrors(rows.LoadGroup(m_group.name, m_group.id));
    rows.Refill();
    m_view.ShowRunMessage(FormatWin(ModuleString(IDS_RESULTS_LOST).c_str(), strReason.c_str()), MB_OK);
}

// ---- The group's end ------------------------------------------------------------------------

void GroupRun::CompleteGroup()
{
    TraceLog(3, L"OnCompleteGroup\n");
    const BOOL bStopped = m_state == State::Stopping;
    m_waitingRow.reset();
    m_bStopAfterMethod = FALSE;
    m_serverStep = nullptr;
    Enter(State::Idle);
    m_policy.SendOwed(m_host);
    // Whatever ended the group early ends its queue too. The hand-over to the queue's next group
    // needs the lab server; the queue's last group ends without it.
    if (m_queue.IsActive() && !bStopped && m_end.cause == End::Cause::None && !m_strNextInQueue.empty())
        WhenServerAnswers(m_strNextInQueue, [this] {
            if (!PassToNextInQueue())
                CloseGroup(FALSE);
        });
    else
        CloseGroup(bStopped);
}

void GroupRun::CloseGroup(BOOL bStopped)
{
    if (m_queue.IsActive())
        EndQueue(bStopped || m_end.cause != End::Cause::None);
    RunPostGroup();
    if (!bStopped)
        m_cursor.SetStoppedRow(std::nullopt);
    // The closing record waits until the host has run the shut-down command: a host that dies
    // before leaves the run open, and the next one sends the command again.
    m_nClosingGroup = m_group.id;
    m_closingRecord = RunEndRecord();
    Enter(State::Closing);
    m_view.PostRunClosed();
}

void GroupRun::WriteClosingRecord()
{
    if (m_state != State::Closing)
        return;
    // A run whose group another instrument took over leaves the group's record to that run.
    if (m_end.cause == End::Cause::ClaimLost)
        m_store.Record(m_group.name, m_closingRecord);
    else
        m_store.StoreRunEnd(m_nClosingGroup, 0, m_cursor.StoppedRow().value_or(-1) + 1, m_closingRecord);
    ReleaseClaim();
    Enter(State::Idle);
}

void GroupRun::RunPostGroup()
{
    TraceLog(3, L"RunPostGroup: %s\n", m_group.shutdownCommand.c_str());
    m_host.Exec(m_group.shutdownCommand);
    // The hook alone: the host's macro takes no closing text.
    m_host.Exec(L" FIALOADHOOK ");
}

void GroupRun::ShowSummary()
{
    MethodRows& rows = m_store.Rows();
    const std::wstring& strGroup = m_group.name;
    const auto count = [&](LONG nState) { return static_cast<int>(rows.RowsInState(nState).size()); };
    const int nDone = count(RUNSTATE_DONE);
    const int nFailed = count(RUNSTATE_FAILED);
    const int nNotRun = count(RUNSTATE_CHECKED) + count(RUNSTATE_INTERRUPTED);
    const std::wstring strSummary = FormatWin(ModuleString(IDS_GROUP_SUMMARY).c_str(), strGroup.c_str(), nDone, nFailed, nNotRun);
    const std::wstring strEnd = m_end.Text();
    m_host.Log(strSummary);
    ReportRunEvent({RUNEVENT_GROUP_ENDED, strGroup, 0, L"", strEnd});
    // Shorter forms for a narrow window; the reason that ended the group early goes last.
    const std::wstring strReason = strEnd.empty() ? L"" : strEnd + L" ";
    std::vector<std::wstring> forms{
        strReason + strSummary,
        strReason + FormatWin(ModuleString(IDS_GROUP_SUMMARY_SHORT).c_str(), strGroup.c_str(), nDone, nFailed, nNotRun),
        strReason + FormatWin(ModuleString(IDS_GROUP_SUMMARY_SHORTEST).c_str(), nDone, nFailed, nNotRun)};
    if (!strEnd.empty())
        forms.push_back(strEnd);
    m_view.ShowStatus(std::move(forms));
}

// ---- Queues ---------------------------------------------------------------------------------

BOOL GroupRun::PassToNextInQueue()
{
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    if (!record)
        return FALSE;
    const std::vector<LONG> rest = m_store.QueueAfter(m_queue.Id(), record->QueuePos);
    if (rest.empty() || m_host.IsClaimedByAnotherHost(rest.front()))
        return FALSE;
    const LONG nNext = rest.front();
    const std::optional<GroupRecord> next = m_store.ReadGroup(nNext);
    const BOOL bWaitsForCalibration = next && next->RunOpen == RUNOPEN_CALIBRATING;
    if (FAILED(m_store.PassQueueRun(m_group.id, nNext, RunEndRecord())))
        return FALSE;
    ShowSummary();
    ReleaseClaim();
    // Shown while the queue still claims it, the group does not look interrupted.
    m_view.ShowGroup(nNext);
    m_queue.HandOver(nNext);
    TraceLog(3, L"PassToNextInQueue: %s\n", m_group.name.c_str());
    m_host.Log(FormatWin(ModuleString(IDS_LOG_QUEUE_NEXT).c_str(), m_group.name.c_str()));
    m_host.Log(FormatWin(ModuleString(IDS_START_GROUP).c_str(), m_group.name.c_str()));
    if (bWaitsForCalibration)
        ResumeAfterCalibration();
    else
        StartRun(TRUE);
    return TRUE;
}

void GroupRun::EndQueue(BOOL bStopped)
{
    TraceLog(3, L"EndQueue: %s %d\n", m_group.name.c_str(), bStopped);
    if (bStopped) {
        m_host.Log(FormatWin(ModuleString(IDS_LOG_QUEUE_STOPPED).c_str(), m_group.name.c_str()));
    } else {
        m_store.LeaveQueue(m_group.id);
        m_host.Log(ModuleString(IDS_LOG_QUEUE_ENDED));
    }
    m_queue.End();
}

void GroupRun::ClaimRestOfQueue(LONG nPosition)
{
    for (LONG nGroupId : m_store.QueueAfter(m_queue.Id(), nPosition))
        m_queue.Claim(nGroupId);
}

std::vector<std::wstring> GroupRun::QueuedGroupsToCome()
{
    std::vector<std::wstring> names;
    const std::optional<GroupRecord> record = m_queue.IsActive() ? m_store.ReadGroup(m_group.id) : std::nullopt;
    if (!record)
        return names;
    const std::vector<GroupEntry> listed = m_view.ListedGroups();
    for (LONG nGroupId : m_store.QueueAfter(m_queue.Id(), record->QueuePos))
        if (const auto found = std::ranges::find(listed, nGroupId, &GroupEntry::id); found != listed.end())
            names.push_back(found->name);
    return names;
}

std::wstring GroupRun::ListedName(LONG nGroupId) const
{
    const std::vector<GroupEntry> listed = m_view.ListedGroups();
    const auto found = std::ranges::find(listed, nGroupId, &GroupEntry::id);
    return found == listed.end() ? L"" : found->name;
}

void GroupRun::ShowQueuePlace()
{
    m_strNextInQueue.clear();
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    if (!record)
        return;
    const LONG nPosition = record->QueuePos;
    const std::vector<LONG> rest = m_store.QueueAfter(m_queue.Id(), nPosition);
    m_strNextInQueue = rest.empty() ? L"" : ListedName(rest.front());
    const auto nCount = static_cast<int>(nPosition + rest.size());
    ShowStatus(FormatWin(ModuleString(IDS_QUEUE_RUNNING).c_str(), static_cast<int>(nPosition), nCount, m_group.name.c_str()));
}

// ---- Claims, records and the run's events ---------------------------------------------------

BOOL GroupRun::TakeClaim()
{
    // A group whose closing record is still to be written is this window's own.
    WriteClosingRecord();
    ReleaseClaim();
    if (m_host.Claim(m_group.id)) {
        m_claimedGroup = m_group.id;
        return TRUE;
    }
    std::wstring strInstrument = m_host.RunningOn(m_group.id);
    LONG nSecondsAgo = 0;
    if (strInstrument.empty() && m_host.SeenRunning(m_group.id, &strInstrument, &nSecondsAgo))
        m_view.ShowRunMessage(FormatWin(ModuleString(IDS_GROUP_SEEN_ON_INSTRUMENT).c_str(), strInstrument.c_str(),
                                        static_cast<int>(nSecondsAgo)),
                              MB_OK);
    else
        m_view.ShowRunMessage(strInstrument.empty()
                                  ? ModuleString(IDS_GROUP_RUN_ELSEWHERE)
                                  : FormatWin(ModuleString(IDS_GROUP_RUN_ON_INSTRUMENT).c_str(), strInstrument.c_str()),
                              MB_OK);
    return FALSE;
}

void GroupRun::MarkRunOpen(const std::wstring& strEvent)
{
    // Recorded before the first host command, so that a host that dies from here on leaves a run
    // that the next one finds interrupted.
    m_store.StoreRunEnd(m_group.id, 1, 0, {strEvent, L"", L""});
}

void GroupRun::ReportRunEvent(CpRunEvent event) const
{
    // The shown rows are the group's as they stand: what a watcher hears matches what the list shows.
    event.done = m_view.CountShown(RUNSTATE_DONE);
    event.failed = m_view.CountShown(RUNSTATE_FAILED);
    event.expectedEnd = m_view.ExpectedEnd();
    m_host.ReportRunEvent(event);
}

void GroupRun::ReleaseClaim()
{
    if (m_claimedGroup)
        m_host.Unclaim(*m_claimedGroup);
    m_claimedGroup.reset();
}

void GroupRun::ShowStatus(const std::wstring& strText) { m_view.ShowStatus({strText}); }

// ---- Interrupted runs and Continue ----------------------------------------------------------

std::optional<LONG> GroupRun::StoppedRowToRunAgain(LONG nStoredStoppedRow)
{
    const LONG nRow = nStoredStoppedRow - 1;
    // A stopped row that the user has unchecked since stays as it is.
    const MethodRecord* pRow = nRow >= 0 ? m_store.Rows().FindRowById(nRow, FALSE) : nullptr;
    return pRow && pRow->RunState == RUNSTATE_FAILED ? std::optional<LONG>(nRow) : std::nullopt;
}

BOOL GroupRun::IsInterrupted()
{
    // A group whose claim this run still holds, its end not yet closed, was not interrupted.
    if (IsRunning() || (m_state == State::Closing && m_group.id == m_nClosingGroup) || m_claimedGroup == m_group.id)
        return FALSE;
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    if (!record)
        return FALSE;
    // A row left running tells of a run where the group's record does not: a worklist from before
    // the record, or one that another program wrote.
    const BOOL bRunLeft = record->RunOpen != 0 || m_view.CountShown(RUNSTATE_RUNNING) > 0;
    return bRunLeft && !m_host.IsClaimed(m_group.id);
}

BOOL GroupRun::CanContinue()
{
    if (m_state != State::Idle)
        return FALSE;
    if (!m_canContinue)
        m_canContinue = IsInterrupted() || HasRowToContinue();
    return *m_canContinue;
}

BOOL GroupRun::HasRowToContinue()
{
    // The list's counts, not the table: this is asked whenever the commands are enabled.
    for (LONG nState : {RUNSTATE_CHECKED, RUNSTATE_RUNNING, RUNSTATE_INTERRUPTED})
        if (m_view.CountShown(nState) > 0)
            return TRUE;
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    return record && StoppedRowToRunAgain(record->StoppedRow);
}

void GroupRun::ShowInterruptedRun()
{
    if (!IsInterrupted())
        return;
    MethodRows& rows = m_store.Rows();
    const std::wstring& strGroup = m_group.name;
    // The host that finds the interruption records it and tells of it; later it is only shown.
    const std::optional<GroupRecord> record = m_store.ReadGroup(m_group.id);
    // A run that waits for its calibration keeps waiting: Continue runs the calibration first.
    const BOOL bFound = record && record->RunOpen != RUNOPEN_INTERRUPTED && record->RunOpen != RUNOPEN_CALIBRATING;
    if (bFound)
        m_store.StoreRunEnd(m_group.id, RUNOPEN_INTERRUPTED, record->StoppedRow, {L"Run found interrupted", L"", L""});
    for (LONG nRow : rows.RowsInState(RUNSTATE_RUNNING)) {
        MethodRecord* pRow = rows.FindRowById(nRow, FALSE);
        if (!pRow)
            continue;
        const std::wstring strMethod = pRow->MethodName;
        TraceLog(3, L"ShowInterruptedRun: %ld %s\n", nRow + 1, strMethod.c_str());
        m_host.Log(FormatWin(ModuleString(IDS_LOG_INTERRUPTED).c_str(), strGroup.c_str(), nRow + 1, strMethod.c_str()));
        m_store.ChangeRunState(pRow, RUNSTATE_INTERRUPTED, ModuleString(IDS_ROW_INTERRUPTED).c_str());
    }
    const std::vector<LONG> interrupted = rows.RowsInState(RUNSTATE_INTERRUPTED);
    LONG nRow = 0;
    if (!interrupted.empty())
        nRow = interrupted.front();
    else if (!rows.FindRowToContinue(nRow))
        nRow = -1;
    // With every row ended only the shut-down command is owed, and the Continue command says so.
    const MethodRecord* pRow = nRow >= 0 ? rows.FindRowById(nRow, FALSE) : nullptr;
    if (bFound)
        ReportRunEvent({RUNEVENT_RUN_INTERRUPTED, strGroup, pRow ? nRow + 1 : 0, pRow ? pRow->MethodName : L""});
    if (pRow)
        m_view.ShowStatus({FormatWin(ModuleString(IDS_GROUP_INTERRUPTED).c_str(), nRow + 1, pRow->MethodName, strGroup.c_str()),
                           FormatWin(ModuleString(IDS_GROUP_INTERRUPTED_SHORT).c_str(), nRow + 1)});
}

std::wstring GroupRun::KeepPartialData(MethodRecord* pRow)
{
    if (!pRow)
        return {};
    const std::wstring strFolder = DataFolderOf(m_host.GetStr("_DATAPATH$"), *pRow);
    if (!IsDirectory(strFolder))
        return {};
    const std::wstring strKept = KeptDataFolders::FreeNameBeside(strFolder);
    if (!::MoveFileW(strFolder.c_str(), strKept.c_str()))
        return {};
    // The row's message says why it runs again: interrupted, or stopped and by whom.
    const std::wstring strMessage =
        FormatWin(ModuleString(IDS_PARTIAL_DATA_KEPT).c_str(), OneLine(pRow->ErrMessage).c_str(), strKept.c_str());
    TraceLog(3, L"KeepPartialData: %s\n", strKept.c_str());
    m_host.Log(strMessage);
    m_store.ChangeRunState(pRow, pRow->RunState, strMessage.c_str());
    return strKept;
}

// ---- The checks before a run ----------------------------------------------------------------

BOOL GroupRun::PreRunCheck(const std::vector<std::wstring>& keptNow)
{
    MethodRows& rows = m_store.Rows();
    if (!ConfirmSharedDataFolders())
        return FALSE;
    m_view.ShowStatusId(IDS_PRERUN_CHECK);
    struct OldData {
        std::wstring strPath;
        // The row's sub-folder and data file, which another group's row may name too.
        std::wstring strSubFolder;
        std::wstring strDataFile;
        const DataFolderUsers::User* pOwner = nullptr;
    };
    std::vector<OldData> found;
    std::set<std::wstring> listed;
    KeptDataFolders kept;
    try {
        for (LONG nKey = 0; const MethodRecord* pRow = rows.FindRow(nKey, TRUE); ++nKey) {
            if (!m_cursor.WillRun(*pRow))
                continue;
            const std::wstring strPath = DataFolderOf(m_host.GetStr("_DATAPATH$"), *pRow);
            // A row whose QC asks for a rerun writes the rerun's folder beside its own, which an
            // earlier rerun may have left; a rerun row of the group may name it too, listed once.
            MethodRecord rerun = *pRow;
            SetRecordText(rerun.DataFile, MethodRows::RerunDataFile(pRow->DataFile));
            for (const MethodRecord* pWrites : {pRow, static_cast<const MethodRecord*>(&rerun)}) {
                const std::wstring strWritten = DataFolderOf(m_host.GetStr("_DATAPATH$"), *pWrites);
                if (::GetFileAttributesW(strWritten.c_str()) != INVALID_FILE_ATTRIBUTES && listed.insert(strWritten).second)
                    found.push_back({strWritten, pWrites->SubFolder, pWrites->DataFile});
            }
            // What interrupted runs kept beside the folder is old data too, but not what this
            // Continue has just kept.
            for (std::wstring& strKept : kept.Beside(strPath))
                if (std::ranges::find(keptNow, strKept) == keptNow.end())
                    found.push_back({std::move(strKept), pRow->SubFolder, pRow->DataFile});
        }
    } catch (const std::exception&) {
        ShowStatus(L"");
        return FALSE;
    }
    if (found.empty()) {
        ShowStatus(L"");
        return TRUE;
    }

    // A folder that a row of another group names (or keeps beside) is that group's data: it is
    // listed with the group's name and stays, whatever the answer.
    const DataFolderUsers others = DataFolderUsers::Read(m_store.Rows().Place(), m_view.ListedGroups(), m_group.name);
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
    if (m_view.Ask(strQuestion, MB_YESNO) != IDYES)
        return FALSE;
    ShowStatus(L"");
    // Plain files are listed for the user to see, but only data folders are the run's to delete.
    for (const OldData& old : found)
        if (!old.pOwner && IsDirectory(old.strPath))
            DeleteFolder(old.strPath.c_str());
    return TRUE;
}

BOOL GroupRun::ConfirmSharedDataFolders()
{
    MethodRows& rows = m_store.Rows();
    // Each folder in capitals with the first row that writes it: a long group is checked in one pass.
    std::unordered_map<std::wstring, LONG> folders;
    for (LONG nKey = 0; const MethodRecord* pRow = rows.FindRowById(nKey, FALSE); ++nKey) {
        if (!m_cursor.WillRun(*pRow))
            continue;
        const std::wstring strFolder = DataFolderOf(m_host.GetStr("_DATAPATH$"), *pRow);
        const auto [shared, bNew] = folders.try_emplace(ToUpperWide(strFolder), nKey);
        if (bNew)
            continue;
        const std::wstring strQuestion = FormatWin(ModuleString(IDS_SAME_DATA_FOLDER).c_str(), shared->second + 1,
                                                   nKey + 1, strFolder.c_str());
        return m_view.Ask(strQuestion, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
    }
    return TRUE;
}
