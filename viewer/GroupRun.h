// The run of the shown group as a state machine: Run, Pause, Stop and Continue, the start of each
// method on the host, the host's reports of its end, the check for old data, the shut-down
// command, a queue of groups run one after another, and what an interrupted run leaves for
// Continue. It shows what it does through a RunView, keeps its rows through a RunStore and talks to
// the host through a RunHost, all handed to it, so that it runs without a window or a host.
#pragma once

#include "FailurePolicy.h"
#include "RowCursor.h"
#include "RunQueue.h"
#include "SaveRetry.h"

#include "worklist/AuditTrail.h"
#include "worklist/QcRule.h"
#include "worklist/ResultRecord.h"

#include "kernel/WinTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class RunHost;
class RunStore;
class RunView;
struct CpRunEvent;
struct MethodRecord;

class GroupRun {
public:
    // How long the lab server may be away before the host's observers hear of it.
    static constexpr LONG kAwayNoticeSeconds = 300;

    // Every state the run can be in. Each change goes through Enter, which logs it and shows it.
    enum class State {
        // No run; the commands of the shown group are free.
        Idle,
        // A row is found and started: only inside one event, never between two.
        Starting,
        // A method that this run did not start holds the instrument; the row waits for its end.
        WaitingForInstrument,
        // The row's start was sent to the host, which has not yet said that the method runs.
        MethodQueued,
        // The row's method runs on the instrument.
        MethodRunning,
        // A row ended while its result was unsaved: the next row starts once the result lands.
        HeldForSave,
        // Pause was pressed: what the run was doing (PausedIn) goes on, and the run waits after it.
        PauseRequested,
        // Paused between two rows: Run starts the next one.
        WaitingForRun,
        // The stop command was sent: the running method's end ends the group.
        Stopping,
        // The group has ended; its closing record waits until the host has run its shut-down.
        Closing,
        // A step that needs the lab server (a run's start, a queue's hand-over to its next group, a
        // QC rerun's row or calibration) waits until the heartbeat finds it back.
        WaitingForServer,
    };

    // What ended a group before its last row, with its detail.
    struct End {
        enum class Cause {
            None,
            StoppedByUser,
            StopAfterMethod,
            FailurePolicy,
            AcquisitionError,
            ClaimLost,
            ResultsLost,
            FolderError,
            // A QC rule of the group whose action is to stop it.
            QcFailed,
        };
        Cause cause = Cause::None;
        // Who stopped the run, for StoppedByUser; otherwise what the status bar says ended it.
        std::wstring detail;
        // The end as the summary and the run's record tell it; empty for a run that ended itself.
        std::wstring Text() const;
    };

    // The group the window shows, handed to the run whenever it changes.
    struct Group {
        LONG id = 0;
        std::wstring name;
        std::wstring shutdownCommand;
    };

    GroupRun(RunView& view, RunStore& store, RunHost& host) : m_view(view), m_store(store), m_host(host), m_queue(host) {}
    ~GroupRun();
    GroupRun(const GroupRun&) = delete;
    GroupRun& operator=(const GroupRun&) = delete;

    State GetState() const { return m_state; }
    // The state that a requested pause waits behind; the state itself without a pause.
    State Doing() const { return m_state == State::PauseRequested ? m_pausedIn : m_state; }
    BOOL IsRunning() const { return m_state != State::Idle && m_state != State::Closing; }
    BOOL IsPaused() const { return m_state == State::PauseRequested || m_state == State::WaitingForRun; }
    const End& GetEnd() const { return m_end; }

    void ShowsGroup(Group group) { m_group = std::move(group); }

    void OnRun();
    void OnPause();
    // strUser, logged on, stops the run.
    void OnStop(const std::wstring& strUser);
    // Runs the shown group on from its first row that has not completed, resetting nothing.
    // Unattended, nothing is asked and no old data folder is deleted.
    void OnContinue(BOOL bUnattended);
    // Runs groups ids one after another, each with its own rows and failure policy, after asking
    // every group's questions; only the last group, or the one where the queue stops, sends its
    // shut-down command. The queue is stored in the worklist, so that Continue goes on with it.
    void OnRunQueue(const std::vector<LONG>& ids);
    // Arms or takes back the end of the run after the running method.
    void OnStopAfterMethod();
    BOOL CanStopAfterMethod() const { return IsRunning() && m_state != State::WaitingForRun && m_state != State::Stopping; }
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
    void ForgetContinue() { m_canContinue.reset(); }
    // The host has run the shut-down command: the closing record is written.
    void OnRunClosed();
    // The retry of results that the worklist could not take yet.
    void OnSaveRetry();
    // Every few seconds of a run: the claim's heartbeat is renewed and a lost claim taken again;
    // one that another instrument took ends the run here, which writes nothing more into the group.
    // Writes that wait for the lab server are written to it once it is back; it beats on after
    // the run while they wait.
    void OnClaimTimer();
    // The window opens: writes that an earlier host left waiting for the lab server are written to
    // it now; while it is still away they wait, and the beat tries again.
    void ForwardLeftWrites();
    // A result of the shown group waits for the retry: another group is not shown meanwhile.
    BOOL IsRetryingSave() const { return m_saveRetry.IsRetrying(); }
    // The host has run the command lines of row nRow's start ("aaaID"): a method that did not
    // start fails its row with the host's reason.
    void OnStartRan(LONG nRow);

private:
    // What the group's QC rules ask after a row's end: the action, and for Calibrate the
    // calibration group's name and, once its run is open, its id; whether the rerun's row or the
    // calibration is still to be written once the lab server answers.
    struct QcOutcome {
        QcAction action = QcAction::None;
        LONG nCalibrationId = 0;
        std::wstring strCalibration;
        BOOL bWaitsForServer = FALSE;
    };

    // The one place where the state changes: logged, and shown with the commands it allows.
    void Enter(State next);
    // What the run does changes under a requested pause or a stop without ending either.
    void Proceed(State next);
    // Starting lasts only inside one event: the run goes on to what startNext began (a method, a
    // wait for the instrument, a result or Run). When it began nothing (no row left, a folder
    // error, Stop After This Method, the failure policy, a lost claim), or a stop has no method
    // left to wait for, the group ends. Only a stop while waiting, an acquisition error and
    // results given up end a group otherwise.
    void StartFrom(const std::function<void()>& startNext);

    // Runs the shown group from its first checked row; in a queue its questions were asked when
    // the queue started, and a group without a row to run passes the run on.
    void StartRun(BOOL bInQueue);
    // Continue once the lab server answers; StartQueue the same for Run Queue.
    void ContinueRun(BOOL bUnattended);
    void StartQueue(const std::vector<LONG>& ids);
    void StartNextMethod();
    void StartMethod(MethodRecord* pRow);
    // Starts the row that waited for the instrument or for Run, or the next one when it is
    // unchecked meanwhile.
    void StartWaitingRow();
    // A method that this run did not start has ended: the waiting row may start now.
    void OnInstrumentFree();
    // This run's method has ended: its row's result, then what comes next.
    void OnMethodEnded(BOOL bFailed);
    BOOL CreateDataSubFolder(LPCWSTR lpszSubFolder);
    // Old data of the rows that will run, with what interrupted runs kept beside it but not the
    // folders keptNow; FALSE when the run must not start.
    BOOL PreRunCheck(const std::vector<std::wstring>& keptNow = {});
    // Two rows that would write one data folder are shown; the user says whether to run all the same.
    BOOL ConfirmSharedDataFolders();
    // Records the running row's end; TRUE when the row ended failed.
    BOOL OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed);
    // After the end of row nRowId: the next row starts, or Stop After This Method or the group's
    // failure policy holds or ends the run.
    void NextAfterRowEnd(BOOL bRowFailed, LONG nRowId);
    // A run starts or goes on: nothing ended it yet, and the group's failure policy and QC rules
    // are read.
    void BeginRun();
    // The row's results judged by the group's QC rules before its end is written: the lines that
    // broke a rule are marked failed, each decision is told, and a rerun row or the calibration is
    // written first, so that a host that dies before the row's end finds them; while the lab
    // server is away they wait for it after the row's end.
    void JudgeResults(const MethodRecord& row, std::vector<ResultRecord>& results);
    // Writes the rerun row after row nRowId or opens the calibration that qc asks for; a
    // calibration that cannot run becomes a pause.
    void WriteQcRows(QcOutcome& qc, LONG nRowId);
    // Calibration group strName opens its run before the shown group's, which waits for it; its id,
    // or 0 (and why in the logbook) when it cannot.
    LONG OpenCalibration(const std::wstring& strName);
    // A host that died between a row's end and the pause or stop that its QC asked for owes it:
    // the group's last ended row's stored results are judged again. The row ("aaaID") with the
    // action; none when nothing is owed. A rerun's row and a calibration were written before the
    // row's end, and are found as they are.
    std::optional<std::pair<LONG, QcAction>> OwedQcAction();
    // What the QC rules asked after row nRow's end: its rerun or the next row, the calibration, a
    // pause or the group's end.
    void ApplyQcOutcome(const QcOutcome& qc, int nRow, const std::wstring& strMethod);
    // The calibration group runs; the queue keeps the waiting group's claim meanwhile.
    void StartCalibration(LONG nCalibrationId);
    // After its calibration the shown group goes on with its rows that have not completed.
    void ResumeAfterCalibration();
    // Results the worklist could not take: the status bar says why, and they are tried again.
    void WatchUnsaved();
    // While writes wait for the lab server, the status bar and the logbook say since when and how
    // many results; once the outage has lasted kAwayNoticeSeconds, the host's observers hear of it
    // once. FALSE when nothing waits.
    BOOL ShowKeptForServer();
    // Writes what waits to the lab server when it is back, and says so.
    void ForwardKept();
    // Runs step now when the lab server answers; otherwise the run waits for it in
    // WaitingForServer, saying that it goes on with group strGroup, and the heartbeat that finds
    // the server back runs step.
    void WhenServerAnswers(const std::wstring& strGroup, std::function<void()> step);
    // FALSE when another instrument has taken the group over: then nothing more is written into it.
    BOOL HoldsClaim();
    // Another instrument took the group over: the user is told which, and nothing more is written.
    void LoseClaim(const std::wstring& strInstrument);
    // The retries ran out: the user is told, and the list shows the file again.
    void GiveUpSaving();
    // The group ends: the next group of a queue runs, or the shut-down command is sent.
    void CompleteGroup();
    // The ended group's queue ends, stopped or not, and its shut-down command is sent.
    void CloseGroup(BOOL bStopped);
    // At a group's end in a queue: the next group of the queue runs; FALSE when none can.
    BOOL PassToNextInQueue();
    // The queue ends; stopped, it stays stored for Continue.
    void EndQueue(BOOL bStopped);
    // The queue's groups after place nPosition are claimed, so that no other host runs or changes them.
    void ClaimRestOfQueue(LONG nPosition);
    // The name of the listed group nGroupId; empty when the list has none.
    std::wstring ListedName(LONG nGroupId) const;
    // "Queue: group 2 of 3, ..." for the shown group; the group after it is kept.
    void ShowQueuePlace();
    // The logbook line of a row's end, with what ended it; the row's message stays as it is.
    void LogRowEnd(const MethodRecord& row, BOOL bFailed, const std::wstring& strReason);
    // The ended group's counts of done, failed and not run rows, in the status bar and the logbook.
    void ShowSummary();
    // Sends the shown group's shut-down command and the closing hook.
    void RunPostGroup();
    void ShowStatus(const std::wstring& strText);

    // Tells the host's observers of the event, with the run's expected end as of now.
    void ReportRunEvent(CpRunEvent event) const;
    // Takes the shown group's claim; a group that another host runs is refused with a message.
    BOOL TakeClaim();
    void ReleaseClaim();
    // The run's step (started, continued) is recorded with it.
    void MarkRunOpen(const std::wstring& strEvent);
    // The audit record of the run's end, with what ended it early.
    AuditEntry RunEndRecord() const { return {L"Run ended", L"", m_end.Text()}; }
    // The row that the group's last Stop aborted (stored from 1), while it is still failed.
    std::optional<LONG> StoppedRowToRunAgain(LONG nStoredStoppedRow);
    BOOL HasRowToContinue();
    // A row that runs again keeps the data of its interrupted run beside its folder: the kept
    // folder, empty when nothing was kept.
    std::wstring KeepPartialData(MethodRecord* pRow);
    // Writes the closing record of the ended run: not open any more, and the row a Stop aborted.
    void WriteClosingRecord();

    RunView& m_view;
    RunStore& m_store;
    RunHost& m_host;
    Group m_group;
    State m_state = State::Idle;
    // PauseRequested: what the run still does before it waits.
    State m_pausedIn = State::Idle;
    End m_end;
    // The row whose method this run started last, by "aaaID": the host reports its end.
    std::optional<LONG> m_runningRow;
    // WaitingForInstrument, and WaitingForRun after it: the row that starts next.
    std::optional<LONG> m_waitingRow;
    // HeldForSave: the row that ended, and whether it failed.
    LONG m_nHeldRow = 0;
    BOOL m_bHeldRowFailed = FALSE;
    BOOL m_bStopAfterMethod = FALSE;
    // Closing: the group whose record waits, and the record.
    LONG m_nClosingGroup = 0;
    AuditEntry m_closingRecord;
    RowCursor m_cursor;
    FailurePolicy m_policy;
    SaveRetry m_saveRetry;
    RunQueue m_queue;
    // The shown group's QC rules as its run's start read them, so that results are judged while
    // the lab server is away too.
    std::vector<QcRule> m_qcRules;
    // JudgeResults' outcome, until the row's end has been written.
    std::optional<QcOutcome> m_qcOutcome;
    // The group whose claim the run holds.
    std::optional<LONG> m_claimedGroup;
    // The host messages of the running method, each once and each ending in CR LF.
    std::wstring m_strRunMessages;
    // The last value read of ACQSTATUS$; chooses the Stop command.
    std::wstring m_strAcqStatus;
    // CanContinue's answer until ForgetContinue.
    std::optional<BOOL> m_canContinue;
    // WaitingForServer: the step that waits for the lab server.
    std::function<void()> m_serverStep;
    // The name of the queue's group after the shown one, as the group's start found it; empty for
    // none. Known before the lab server goes away, it tells whether a group's end waits for it.
    std::wstring m_strNextInQueue;
    // The number of results the status bar and the logbook last said wait for the lab server, and
    // whether the host's observers have heard of this outage.
    int m_nKeptShown = 0;
    BOOL m_bAwayReported = FALSE;
};
