// The run of the group the main window shows: one explicit state, the running row kept by its
// "aaaID", the host's reports of each method's end, the check for old data before a run, Continue
// after an interruption or a Stop, the shut-down command after the group, and a queue of groups
// run one after another.
#pragma once

#include "worklist/AuditTrail.h"
#include "worklist/RunClaim.h"

#include "kernel/WinTypes.h"

#include <map>
#include <string>
#include <vector>

class CDialogMainViewer;
struct CpRunEvent;
struct MethodRecord;

class GroupRun {
public:
    enum class State {
        Idle,
        Running,
        // Pause was pressed while a method runs: the next one waits.
        PauseRequested,
        // A method ended while paused: Run starts the next one.
        WaitingForRun,
        // The stop command was sent: the running method's end ends the group.
        Stopping,
    };

    explicit GroupRun(CDialogMainViewer& viewer) : m_viewer(viewer) {}
    ~GroupRun();
    GroupRun(const GroupRun&) = delete;
    GroupRun& operator=(const GroupRun&) = delete;

    State GetState() const { return m_state; }
    BOOL IsRunning() const { return m_state != State::Idle; }

    void OnRun();
    void OnPause();
    void OnStop();
    // Runs the shown group on from its first row that has not completed, resetting nothing.
    // Unattended, nothing is asked and no old data folder is deleted.
    void OnContinue(BOOL bUnattended);
    // Runs groups ids one after another, each with its own rows and failure policy, after asking
    // every group's questions; only the last group, or the one where the queue stops, sends its
    // shut-down command. The queue is stored in the worklist, so that Continue goes on with it.
    void OnRunQueue(const std::vector<LONG>& ids);
    // Arms or takes back the end of the run after the running method.
    void OnStopAfterMethod();
    BOOL CanStopAfterMethod() const { return m_state == State::Running || m_state == State::PauseRequested; }
    BOOL StopsAfterMethod() const { return m_bStopAfterMethod; }
    // A host variable changed (its name) or a host object announced a change (the object's name).
    void OnVariableChanged(LPCWSTR lpszName);
    void OnModuleMessage(LPCWSTR lpszObject);
    // ACQSTATUS$ as it is when the window opens.
    void ReadAcqStatus();
    // The names of the groups the running queue runs after the shown one; none outside a queue.
    std::vector<std::wstring> QueuedGroupsToCome();

    // After the shown group was loaded: when no live host claims its open run, that run was
    // interrupted, and rows left running become interrupted. The status bar says how to go on.
    void ShowInterruptedRun();
    // Whether the shown group's run was interrupted: open, and claimed by no live host.
    BOOL IsInterrupted();
    // Whether Continue has something to do for the shown group; kept until ForgetContinue.
    BOOL CanContinue();
    // The shown rows or group changed: CanContinue asks again.
    void ForgetContinue() { m_nCanContinue = -1; }
    // The row a closing group's record still waits for is written (posted after the shut-down).
    void OnRunClosed();
    // The retry of results that the worklist could not take yet.
    static constexpr UINT_PTR kSaveRetryTimer = 1;
    void OnSaveRetry();
    // A result of the shown group waits for the retry: another group is not shown meanwhile.
    BOOL IsRetryingSave() const { return m_bRetryingSave; }
    // The host has run the command lines of row nRow's start ("aaaID"): a method that did not
    // start fails its row with the host's reason.
    void OnStartRan(LONG nRow);

private:
    // Runs the shown group from its first checked row; in a queue its questions were asked when
    // the queue started, and a group without a row to run passes the run on.
    BOOL StartRun(BOOL bInQueue);
    BOOL StartNextMethod();
    BOOL StartMethod(MethodRecord* pRow);
    // Starts the row that waited for the instrument or for Run, or the next one when it is
    // unchecked meanwhile.
    BOOL StartWaitingRow();
    // A method that this run did not start has ended: the waiting row may start now.
    void OnInstrumentFree();
    BOOL CreateDataSubFolder(LPCWSTR lpszSubFolder);
    // Old data of the rows that will run, with what interrupted runs kept beside it but not the
    // folders keptNow; FALSE when the run must not start.
    BOOL PreRunCheck(const std::vector<std::wstring>& keptNow = {});
    // Two rows that would write one data folder are shown; the user says whether to run all the same.
    BOOL ConfirmSharedDataFolders();
    // Records the running row's end; TRUE when the row ended failed.
    BOOL OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed);
    // After the end of row nRowId: the next row starts, or Stop After This Method or the group's
    // failure policy holds or ends the run. FALSE when the group must end.
    BOOL NextAfterRowEnd(BOOL bRowFailed, LONG nRowId);
    // The shown group's failure policy and emergency command, read when a run starts.
    void ReadFailurePolicy();
    // The emergency command, once a run.
    void SendEmergencyCommand();
    // Results the worklist could not take: the status bar says why, and they are tried again.
    void WatchUnsaved();
    // The retries ran out: the user is told, and the list shows the file again.
    void GiveUpSaving();
    void OnCompleteGroup();
    // At a group's end in a queue: the next group of the queue runs; FALSE when none can.
    BOOL PassToNextInQueue();
    // The queue ends; stopped, it stays stored for Continue.
    void EndQueue(BOOL bStopped);
    // The queue's groups after place nPosition are claimed, so that no other host runs or changes them.
    void ClaimRestOfQueue(LONG nPosition);
    // "Queue: group 2 of 3, ..." for the shown group.
    void ShowQueuePlace();
    // The logbook line of a row's end, with what ended it; the row's message stays as it is.
    void LogRowEnd(const MethodRecord& row, BOOL bFailed, const std::wstring& strReason);
    // The ended group's counts of done, failed and not run rows, in the status bar and the logbook.
    void ShowSummary();
    // Sends the shut-down option shown in the window and the closing hook.
    void RunPostGroup();

    // Tells the host's observers of the event, with the run's expected end as of now.
    void ReportRunEvent(CpRunEvent event) const;
    // The shown group's id, or 0 when none is shown; its name, empty when none is shown.
    LONG ShownGroupId() const;
    std::wstring ShownGroupName() const;
    // Takes the shown group's claim; a group that another host runs is refused with a message.
    BOOL TakeClaim();
    // The run's step (started, continued) is recorded with it.
    void MarkRunOpen(const std::wstring& strEvent);
    // The audit record of the run's end, with what ended it early.
    AuditEntry RunEndRecord() const;
    // The row that the group's last Stop aborted, while it is still failed; -1 for none.
    LONG StoppedRowToRunAgain();
    BOOL HasRowToContinue();
    // Whether a row takes part in this run from here on.
    BOOL WillRun(const MethodRecord& row) const;
    MethodRecord* FindNextRow();
    // A row that runs again keeps the data of its interrupted run beside its folder: the kept
    // folder, empty when nothing was kept.
    std::wstring KeepPartialData(MethodRecord* pRow);
    // Writes the closing record of the ended run: not open any more, and the row a Stop aborted.
    void WriteClosingRecord();
    void SetState(State state);

    CDialogMainViewer& m_viewer;
    State m_state = State::Idle;
    // A Continue: rows are those that have not completed, with the stopped row, not the checked.
    BOOL m_bContinuing = FALSE;
    // Where the search for the next row goes on: the "aaaID" of the row started last.
    LONG m_nCurrentKey = 0;
    // The row whose end the host reports, by "aaaID"; -1 before the first start.
    LONG m_nRunningRow = -1;
    // How far the host has taken the running row's method: queued, seen on, or none running.
    enum class OwnMethod { None, Queued, On } m_ownMethod = OwnMethod::None;
    // The row whose start waits until a method that this run did not start has ended, or until
    // Run after a pause; -1 for none.
    LONG m_nWaitingRow = -1;
    // Who pressed Stop, for the logbook; what ended the group early, for its summary.
    std::wstring m_strStoppedBy;
    std::wstring m_strEndReason;
    LONG m_nOnFailure = 0;
    std::wstring m_strEmergencyCommand;
    BOOL m_bEmergencySent = FALSE;
    // The failure policy stops the group: the emergency command goes before the shut-down.
    BOOL m_bEmergencyOwed = FALSE;
    BOOL m_bStopAfterMethod = FALSE;
    // A row ended while a result was unsaved: the next one starts once it lands.
    BOOL m_bHeldForSave = FALSE;
    LONG m_nHeldRow = -1;
    BOOL m_bHeldRowFailed = FALSE;
    int m_nSaveRetries = 0;
    BOOL m_bRetryingSave = FALSE;
    // The row that a Stop aborted and Continue runs again ("aaaID"); -1 for none.
    LONG m_nStoppedRow = -1;
    // The group whose run has ended and whose closing record waits for its shut-down to be sent.
    LONG m_nClosingGroup = 0;
    AuditEntry m_closingRecord;
    // The host messages of the running method, each once and each ending in CR LF.
    std::wstring m_strRunMessages;
    // The last value read of ACQSTATUS$; chooses the Stop command.
    std::wstring m_strAcqStatus;
    // CanContinue's answer: 1 or 0, -1 when it must be asked again.
    int m_nCanContinue = -1;
    RunClaim m_claim;
    // The queue the running group belongs to (its first group's id); 0 outside a queue.
    LONG m_nQueueId = 0;
    // Stop After This Method or lost results end the queue with the group.
    BOOL m_bQueueEnds = FALSE;
    // The claims of the queue's groups that have not run yet, by group id.
    std::map<LONG, RunClaim> m_queueClaims;
};
