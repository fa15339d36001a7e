// The run of a group as a state machine, without a window or a host: fakes of what it shows and of
// the host, the worklist of a fresh root behind a store that counts its writes, and the test as
// the host, which starts and ends methods by their variables.
#include "viewer/GroupRun.h"
#include "viewer/RunHost.h"
#include "viewer/RunView.h"
#include "viewer/WorklistRunStore.h"

#include "WorklistTestRoot.h"

#include "module/core/ModuleString.h"

#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/QcRules.h"
#include "worklist/RecordText.h"
#include "worklist/RunJournal.h"

#include "orvane/CpRunEvent.h"
#include "win/WinUser.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include <sqlite3.h>

using testing::ElementsAre;
using State = GroupRun::State;

namespace {

// What the window would show, kept for the test; questions are answered Yes.
class FakeView : public RunView {
public:
    std::wstring status;
    std::vector<std::wstring> messages;
    // The row whose start was posted last, and whether the host has still to run it.
    std::optional<LONG> startRan;
    bool startPending = false;
    bool runClosed = false;
    bool retryTimer = false;
    // The group shown, and how the window would show another.
    std::wstring group;
    std::function<BOOL(LONG)> showGroup;
    std::vector<GroupEntry> listed;

    void ShowStatus(std::vector<std::wstring> forms) override { status = forms.front(); }
    void ShowStatusId(UINT nID) override { status = ModuleString(nID); }
    void ShowRunState() override {}
    int ShowRunMessage(const std::wstring& text, UINT) override
    {
        messages.push_back(text);
        return IDOK;
    }
    int Ask(const std::wstring&, UINT) override { return IDYES; }
    BOOL ShowGroup(LONG id) override { return showGroup(id); }
    std::vector<GroupEntry> ListedGroups() const override { return listed; }
    // Counted on a table of its own, as the list counts its items: the rows' cursor stays.
    int CountShown(LONG state) const override
    {
        CMethodTable table(ModuleSettings);
        int count = 0;
        if (SUCCEEDED(table.Open(group)))
            for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
                count += table.RunState == state;
        return count;
    }
    std::int64_t ExpectedEnd() const override { return 0; }
    void ReadMethodDurations() override {}
    void PostStartRan(LONG row) override
    {
        startRan = row;
        startPending = true;
    }
    void PostRunClosed() override { runClosed = true; }
    void SetSaveRetryTimer(BOOL on) override { retryTimer = on; }
    void SetClaimTimer(BOOL) override {}
};

// The worklist's store, counting the writes that land; after write number killAfter the host is
// killed, and nothing of it reaches the worklist any more.
class CountingStore : public WorklistRunStore {
public:
    using WorklistRunStore::WorklistRunStore;
    int writes = 0;
    int killAfter = 0;
    bool killed = false;
    // What the lab server answers when the run asks whether it can be reached.
    HRESULT reach = S_OK;

    HRESULT Reach() override { return reach; }
    std::vector<QcRule> ReadQcRules(LONG group) override
    {
        return FAILED(reach) ? std::vector<QcRule>{} : WorklistRunStore::ReadQcRules(group);
    }

    void ChangeRunState(MethodRecord* row, LONG state, LPCWSTR message, std::vector<ResultRecord> results) override
    {
        Write([&] {
            WorklistRunStore::ChangeRunState(row, state, message, std::move(results));
            return S_OK;
        });
    }
    HRESULT Record(const std::wstring& group, const AuditEntry& entry) override
    {
        return Write([&] { return WorklistRunStore::Record(group, entry); });
    }
    HRESULT OpenRun(LONG group, bool leaveQueue, const AuditEntry& record) override
    {
        return Write([&] { return WorklistRunStore::OpenRun(group, leaveQueue, record); });
    }
    HRESULT StoreRunEnd(LONG group, LONG runOpen, LONG stoppedRow, const AuditEntry& record) override
    {
        return Write([&] { return WorklistRunStore::StoreRunEnd(group, runOpen, stoppedRow, record); });
    }
    HRESULT StoreQueue(const std::vector<LONG>& ids) override
    {
        return Write([&] { return WorklistRunStore::StoreQueue(ids); });
    }
    HRESULT PassQueueRun(LONG from, LONG to, const AuditEntry& fromEnd) override
    {
        return Write([&] { return WorklistRunStore::PassQueueRun(from, to, fromEnd); });
    }
    HRESULT LeaveQueue(LONG group) override
    {
        return Write([&] { return WorklistRunStore::LeaveQueue(group); });
    }
    HRESULT InsertRerun(LONG row, const std::wstring& prefix) override
    {
        return Write([&] { return WorklistRunStore::InsertRerun(row, prefix); });
    }
    HRESULT OpenCalibration(const std::wstring& group, const std::vector<LONG>& ids, const AuditEntry& record) override
    {
        return Write([&] { return WorklistRunStore::OpenCalibration(group, ids, record); });
    }

private:
    HRESULT Write(const std::function<HRESULT()>& write)
    {
        if (killed)
            return S_OK;
        const HRESULT status = write();
        killed = ++writes == killAfter;
        return status;
    }
};

// The claims of every host on the worklist: the host that holds each group's.
using Claims = std::map<LONG, const void*>;

// The host as the run sees it: its variables, and the command lines and logbook lines it was
// given. A killed host takes nothing more, and its claims go with it.
class FakeHost : public RunHost {
public:
    FakeHost(Claims& claims, const bool& killed) : m_claims(claims), m_killed(killed) {}
    ~FakeHost() override
    {
        std::erase_if(m_claims, [this](const auto& claim) { return claim.second == this; });
    }

    std::map<std::string, double> nums;
    std::map<std::string, std::wstring> strs;
    std::vector<std::wstring> lines;
    // The variables set and the lines queued, in order.
    std::vector<std::wstring> calls;
    std::vector<std::wstring> logbook;
    // The run's events that notify someone, with their messages.
    std::vector<std::wstring> notified;
    HRESULT claimCheck = S_OK;
    // The groups whose claims' heartbeats were renewed.
    std::set<LONG> renewed;
    // The instrument whose host holds the group's claim; none while the server does not answer.
    std::wstring runningOn;

    void Exec(const std::wstring& line) override
    {
        if (m_killed)
            return;
        lines.push_back(line);
        calls.push_back(L"> " + line);
    }
    void SetNum(LPCSTR name, double value) override
    {
        if (m_killed)
            return;
        nums[name] = value;
        calls.push_back(Utf8ToWide(name) + L"=" + std::to_wstring(static_cast<int>(value)));
    }
    void SetStr(LPCSTR name, const std::wstring& value) override
    {
        if (m_killed)
            return;
        strs[name] = value;
        calls.push_back(Utf8ToWide(name) + L"=" + value);
    }
    double GetNum(LPCSTR name) override { return nums[name]; }
    std::wstring GetStr(LPCSTR name) override { return strs[name]; }
    std::wstring ModuleMessage(LPCWSTR) override { return L""; }
    void ReportRunEvent(const CpRunEvent& event) override
    {
        if (event.kind == RUNEVENT_QC_FAILED || event.kind == RUNEVENT_RUN_PAUSED)
            notified.push_back(Utf8ToWide(CpRunEventName(event.kind)) + L" " + event.message);
    }
    void Log(const std::wstring& text) override
    {
        if (!m_killed)
            logbook.push_back(text);
    }
    BOOL Claim(LONG group) override { return m_claims.try_emplace(group, this).first->second == this; }
    void Unclaim(LONG group) override
    {
        if (IsClaimed(group) && m_claims[group] == this)
            m_claims.erase(group);
    }
    HRESULT CheckClaim(LONG) override { return claimCheck; }
    HRESULT RenewClaim(LONG group) override
    {
        renewed.insert(group);
        return claimCheck;
    }
    BOOL IsClaimed(LONG group) override { return m_claims.contains(group); }
    BOOL IsClaimedByAnotherHost(LONG group) override { return IsClaimed(group) && m_claims[group] != this; }
    std::wstring RunningOn(LONG) override { return runningOn; }
    BOOL SeenRunning(LONG, std::wstring*, LONG*) override { return FALSE; }

private:
    Claims& m_claims;
    const bool& m_killed;
};

// One host with its window over the worklist, showing the first group: a host that dies leaves
// its rows to the next one.
struct Machine {
    std::vector<GroupRun::Group> listed;
    CGroupTable groups{ModuleSettings};
    MethodRows rows{ModuleSettings};
    CountingStore store{groups, rows};
    FakeHost host;
    FakeView view;
    GroupRun run{view, store, host};

    Machine(std::vector<GroupRun::Group> groupsListed, Claims& claims)
        : listed(std::move(groupsListed)), host(claims, store.killed)
    {
        EXPECT_EQ(groups.Open(), S_OK);
        host.strs["_DATAPATH$"] = L"C:\\Data\\";
        view.showGroup = [this](LONG id) { return Show(id); };
        for (const GroupRun::Group& group : listed)
            view.listed.push_back({group.name, group.id});
        Show(listed.front().id);
    }
    BOOL Show(LONG id)
    {
        const auto group = std::ranges::find(listed, id, &GroupRun::Group::id);
        EXPECT_EQ(rows.LoadGroup(group->name, id), S_OK);
        view.group = group->name;
        run.ShowsGroup(*group);
        return TRUE;
    }
    std::vector<std::wstring> Lines() { return std::exchange(host.lines, {}); }
    // The host runs the lines an event queued once the event has returned: a host killed during
    // the event never runs them.
    void Event(const std::function<void()>& event)
    {
        event();
        if (!store.killed)
            std::ranges::move(Lines(), std::back_inserter(ran));
    }
    std::vector<std::wstring> ran;
};

class GroupRunTest : public testing::Test {
protected:
    GroupRunTest()
    {
        std::filesystem::create_directories(m_root.onDriveC("Methods/DONE.M"));
        std::filesystem::create_directories(m_root.onDriveC("Data"));
        CGroupTable groups(ModuleSettings);
        EXPECT_EQ(groups.Open(), S_OK);
        for (GroupRun::Group& group : m_groups) {
            EXPECT_EQ(GroupRows(groups).Add(group.name, true, &group.id, [](DWORD) {}), S_OK);
            MethodRows rows(ModuleSettings);
            rows.LoadGroup(group.name, group.id);
            rows.InsertMethods({L"DONE.M"}, &group == m_groups ? 3 : 2, L"C:\\Methods\\", 0);
            rows.AutoName(L"Run1", group.name, 0, L"Ann");
        }
    }

    std::unique_ptr<Machine> NewMachine() { return std::make_unique<Machine>(std::vector(std::begin(m_groups), std::end(m_groups)), m_claims); }
    // The host runs the start's lines: the method is on, and the run hears of it.
    static void StartRan(Machine& machine)
    {
        machine.view.startPending = false;
        machine.host.nums["_METHODON"] = 1;
        machine.run.OnStartRan(*machine.view.startRan);
        machine.run.OnVariableChanged(L"_METHODON");
    }
    // The method ends; done, its data folder is there with the instrument's results (a sample, and
    // the lines m_moreResults gives the row), and the FIA hook resets _SERIONON.
    void MethodEnds(Machine& machine, bool done)
    {
        if (done) {
            const std::wstring dataFile = machine.rows.FindRowById(*machine.view.startRan, FALSE)->DataFile;
            const auto folder = m_root.onDriveC("Data/Run1/" + WideToUtf8(dataFile));
            std::filesystem::create_directories(folder);
            WriteFileBytes(folder / "RESULTS.CSV", "Location,Sample,Kind,Expected,Injections,Height (mAU),Area (mAU*s),"
                                                   "RSD (%),Concentration,R2\n1,River,sample,,2,12.0,10.8,0.5,1.2,0.999\n" +
                                                       m_moreResults(dataFile));
            machine.host.nums["_SERIONON"] = 0;
        }
        machine.host.nums["_METHODON"] = 0;
        machine.run.OnVariableChanged(L"_METHODON");
    }
    // The host goes on until the run waits for nothing it does, or the host is killed: each
    // method started runs and ends done, and the shut-down command is run. The rows started.
    std::vector<std::wstring> HostRuns(Machine& machine)
    {
        std::vector<std::wstring> started;
        while (!machine.store.killed) {
            if (machine.view.startPending) {
                started.push_back(machine.view.group + L" " + std::to_wstring(*machine.view.startRan + 1));
                machine.Event([&] { StartRan(machine); });
                if (!machine.store.killed)
                    machine.Event([&] { MethodEnds(machine, true); });
            } else if (std::exchange(machine.view.runClosed, false)) {
                machine.Event([&] { machine.run.OnRunClosed(); });
            } else {
                break;
            }
        }
        return started;
    }
    // What the statement on the worklist's results answers, as a text and as a number.
    std::string StoredText(const char* sql)
    {
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_open(m_root.databaseFile().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), SQLITE_OK);
        const unsigned char* text = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_text(statement, 0) : nullptr;
        std::string answer = text ? reinterpret_cast<const char*>(text) : "";
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return answer;
    }
    long StoredResults(const char* sql) { return std::atol(StoredText(sql).c_str()); }
    // A check standard's result line: recovery 86 % before the calibration group has run, 100 % after.
    std::string CheckLine(const std::wstring& calibrationGroup)
    {
        const std::vector<LONG> calibration = Stored(calibrationGroup);
        return std::ranges::count(calibration, RUNSTATE_DONE) == std::ssize(calibration)
                   ? "2,Check,check,1.0,2,10.0,9.0,0.4,1.0,0.999\n"
                   : "2,Check,check,1.0,2,8.6,7.7,0.4,0.86,0.999\n";
    }
    // The run states of a group's rows as stored.
    static std::vector<LONG> Stored(const std::wstring& group = L"Nitrates")
    {
        MethodRows rows(ModuleSettings);
        EXPECT_EQ(rows.LoadGroup(group), S_OK);
        std::vector<LONG> states;
        for (LONG id = 0; const MethodRecord* row = rows.FindRowById(id, FALSE); ++id)
            states.push_back(row->RunState);
        return states;
    }

    WorklistTestRoot m_root;
    // A run of Nitrates alone ends with its shut-down command; a queue ends with Nitrites'.
    GroupRun::Group m_groups[2] = {{0, L"Nitrates", L"LAMPALL OFF"}, {0, L"Nitrites", L"STANDBY"}};
    const LONG& m_groupId = m_groups[0].id;
    Claims m_claims;
    std::function<std::string(const std::wstring& dataFile)> m_moreResults = [](const std::wstring&) { return ""; };
};

} // namespace

TEST_F(GroupRunTest, EachEventMovesTheRunToItsNextStateAndStopEndsItWithTheShutDownCommand)
{
    const auto owner = NewMachine();
    Machine& machine = *owner;
    GroupRun& run = machine.run;
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::MethodQueued);
    EXPECT_EQ(machine.view.startRan, 0);
    // The row's texts go to the host before the lines that load and run its method.
    EXPECT_THAT(machine.host.calls,
                ElementsAre(L"_SERIONON=1", L"_METHODCHANGED=0", L"_SAMPINFO$=", L"_DATAFILE$=Nitrates0000000000.d",
                            L"_DATAFILE1$=Nitrates0000000000.d", L"_DATASUBDIR$=Run1", L"_METHFILE$=DONE.M",
                            L"_OPERATOR$=Ann", L"_METHPATH$=C:\\Methods\\", L"> LoadMethParams  ", L"_SERIONLOAD=1",
                            L"> FIALOADHOOK ", L"> RUNMETHOD ", L"> print \"Running the method... \""));
    machine.Lines();
    StartRan(machine);
    EXPECT_EQ(run.GetState(), State::MethodRunning);
    run.OnPause();
    EXPECT_EQ(run.GetState(), State::PauseRequested);
    EXPECT_EQ(run.Doing(), State::MethodRunning);
    MethodEnds(machine, true);
    EXPECT_EQ(run.GetState(), State::WaitingForRun);
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::MethodQueued);
    EXPECT_EQ(machine.view.startRan, 1);
    StartRan(machine);
    // Not ready, the instrument is stopped by aborting the acquisition.
    machine.host.strs["ACQSTATUS$"] = L"NOTREADY";
    run.OnVariableChanged(L"ACQSTATUS$");
    machine.Lines();
    run.OnStop(L"Lab Boss");
    EXPECT_EQ(run.GetState(), State::Stopping);
    EXPECT_THAT(machine.Lines(), ElementsAre(L"_Abort=1 "));
    MethodEnds(machine, false);
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_EQ(run.GetEnd().cause, GroupRun::End::Cause::StoppedByUser);
    EXPECT_THAT(machine.Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK "));
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_FAILED, RUNSTATE_CHECKED));
    EXPECT_EQ(machine.rows.FindRowById(1, FALSE)->ErrMessage, run.GetEnd().Text()) << "the row says who stopped it";
    EXPECT_NE(run.GetEnd().Text().find(L"Lab Boss"), std::wstring::npos);
    EXPECT_FALSE(run.CanContinue()) << "not before the closing record";
    run.OnRunClosed();
    EXPECT_EQ(run.GetState(), State::Idle);
    EXPECT_EQ(machine.view.status, L"Stopped by Lab Boss. Serion group Nitrates ended: 1 done, 1 failed, 1 not run.");
    EXPECT_THAT(machine.host.logbook, testing::Contains(L"Serion group Nitrates row 2 (DONE.M) stopped by Lab Boss."));
    EXPECT_EQ(machine.store.ReadGroup(m_groupId)->StoppedRow, 2) << "Continue runs the stopped row again";
    EXPECT_TRUE(run.CanContinue());

    // A method started by hand holds the instrument: the next row waits, and Stop sends nothing.
    machine.host.nums["_METHODON"] = 1;
    run.OnContinue(TRUE);
    EXPECT_EQ(run.GetState(), State::WaitingForInstrument);
    machine.Lines();
    run.OnStop(L"Lab Boss");
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_THAT(machine.Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK ")) << "no stop for a method not the run's";

    // Waiting for Run, an acquisition error and Stop end the group at once and leave the last
    // row's result as it is.
    for (const bool stop : {false, true}) {
        run.OnRunClosed();
        machine.host.nums["_METHODON"] = 0;
        run.OnContinue(TRUE);
        StartRan(machine);
        run.OnPause();
        MethodEnds(machine, true);
        ASSERT_EQ(run.GetState(), State::WaitingForRun);
        if (stop) {
            run.OnStop(L"Lab Boss");
        } else {
            machine.host.strs["ACQSTATUS$"] = L"_error";
            run.OnVariableChanged(L"ACQSTATUS$");
        }
        EXPECT_EQ(run.GetState(), State::Closing);
    }
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
}

TEST_F(GroupRunTest, AResultThatCannotBeWrittenHoldsTheRunUntilItLandsAndAKilledRunIsContinuedByAFreshMachine)
{
    auto machine = NewMachine();
    machine->run.OnRun();
    StartRan(*machine);
    // Another program holds the worklist for writing across the method's end.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(m_root.databaseFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    MethodEnds(*machine, true);
    EXPECT_EQ(machine->run.GetState(), State::HeldForSave);
    EXPECT_TRUE(machine->view.retryTimer && machine->run.IsRetryingSave());
    EXPECT_TRUE(machine->view.status.starts_with(L"Results are not saved yet; Serion tries again and the next method "
                                                 L"waits. Could not update; currently locked"))
        << WideToUtf8(machine->view.status);
    machine->run.OnSaveRetry();
    EXPECT_EQ(machine->run.GetState(), State::HeldForSave) << "still locked";
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    machine->run.OnSaveRetry();
    EXPECT_FALSE(machine->view.retryTimer);
    EXPECT_EQ(machine->run.GetState(), State::MethodQueued) << "the next row starts once the result landed";
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    EXPECT_TRUE(std::ranges::any_of(records, [](const AuditRecord& record) {
        return std::wstring(record.Event) == L"Row 1 done" && std::wstring(record.NewValue) == L"done: Run complete.";
    })) << "the retry writes the result with its record";

    // The host dies while row 2 runs (a run mid-way writes nothing when it goes): a fresh machine
    // over the same rows finds the run interrupted, and Continue runs row 2 again and then row 3.
    machine.reset();
    auto fresh = NewMachine();
    ASSERT_TRUE(fresh->run.IsInterrupted());
    fresh->run.ShowInterruptedRun();
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_INTERRUPTED, RUNSTATE_CHECKED));
    fresh->run.OnContinue(TRUE);
    EXPECT_THAT(HostRuns(*fresh), ElementsAre(L"Nitrates 2", L"Nitrates 3"));
    EXPECT_EQ(fresh->run.GetState(), State::Idle);
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
}

TEST_F(GroupRunTest, AFailedRowPausesOrStopsTheRunAsItsGroupSaysAndTheEmergencyCommandGoesOnceBeforeTheShutDown)
{
    CGroupTable groups(ModuleSettings);
    ASSERT_EQ(groups.Open(), S_OK);
    GroupRows(groups).StoreFailurePolicy(m_groupId, ONFAILURE_PAUSE, L"PUMPALL OFF");
    auto machine = NewMachine();
    GroupRun& run = machine->run;
    // A method started by hand holds the instrument: the first row waits for its end.
    machine->host.nums["_METHODON"] = 1;
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::WaitingForInstrument);
    EXPECT_EQ(machine->view.status, L"Waiting for the instrument: a method that Serion did not start is running.");
    machine->host.nums["_METHODON"] = 0;
    run.OnVariableChanged(L"_METHODON");
    EXPECT_EQ(run.GetState(), State::MethodQueued);
    // The host cannot start it: the row fails with the host's reason, and the run pauses.
    machine->host.strs["_ERRMSG$"] = L"RunTime needs a number";
    machine->Lines();
    run.OnStartRan(0);
    EXPECT_EQ(run.GetState(), State::WaitingForRun);
    EXPECT_EQ(machine->view.status, L"Row 1 (DONE.M) failed: the next method waits for Run.");
    EXPECT_THAT(machine->Lines(), ElementsAre(L"PUMPALL OFF"));
    MethodRows rows(ModuleSettings);
    ASSERT_EQ(rows.LoadGroup(L"Nitrates"), S_OK);
    EXPECT_EQ(std::wstring(rows.FindRowById(0, FALSE)->ErrMessage), L"RunTime needs a number");
    run.OnRun();
    StartRan(*machine);
    MethodEnds(*machine, false);
    EXPECT_EQ(run.GetState(), State::WaitingForRun);
    EXPECT_EQ(std::ranges::count(machine->Lines(), std::wstring(L"PUMPALL OFF")), 0) << "once a run";
    EXPECT_THAT(machine->host.logbook, testing::IsSupersetOf({L"Serion group Nitrates row 1 (DONE.M) failed: the run pauses.",
                                                             L"Serion group Nitrates row 2 (DONE.M) failed: the run pauses.",
                                                             L"Serion emergency command PUMPALL OFF sent."}));

    // Stopping, the emergency command goes before the shut-down command.
    run.OnStop(L"Ann");
    run.OnRunClosed();
    GroupRows(groups).StoreFailurePolicy(m_groupId, ONFAILURE_STOP, L"PUMPALL OFF");
    run.OnRun();
    StartRan(*machine);
    machine->Lines();
    MethodEnds(*machine, false);
    EXPECT_THAT(machine->Lines(), ElementsAre(L"PUMPALL OFF", L"LAMPALL OFF", L" FIALOADHOOK "));
    run.OnRunClosed();
    EXPECT_EQ(machine->view.status,
              L"Row 1 (DONE.M) failed: the group was stopped. Serion group Nitrates ended: 0 done, 1 failed, 2 not run.");
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
}

TEST_F(GroupRunTest, QcRulesRerunAFailedCheckThenCalibrateFlagSuspectsPauseOnABlankAndStopOnRsdWithTheEmergencyCommand)
{
    CGroupTable groups(ModuleSettings);
    ASSERT_EQ(groups.Open(), S_OK);
    GroupRows(groups).StoreFailurePolicy(m_groupId, ONFAILURE_GO_ON, L"PUMPALL OFF");
    ASSERT_EQ(QcRules::Write(ModuleSettings, m_groupId, L"Nitrates",
                             {{QcCheck::Recovery, 90, 110, QcAction::Rerun, QcAction::Calibrate, L"Nitrites"}}),
              S_OK);
    // Row 2's check reads 86 % until Nitrites has calibrated, its rerun too: the rerun is a row of
    // its own after it, and Nitrites runs before row 3, now row 4.
    m_moreResults = [this](const std::wstring& dataFile) {
        return dataFile.starts_with(L"Nitrates0000000001") ? CheckLine(L"Nitrites") : "";
    };
    auto machine = NewMachine();
    machine->run.OnRun();
    // The lab server goes away: the rules read at the start judge row 2, and its rerun's row waits
    // for the server after row 2's end.
    machine->store.reach = DB_E_CANNOTCONNECT;
    std::vector<std::wstring> started = HostRuns(*machine);
    EXPECT_EQ(machine->run.GetState(), State::WaitingForServer);
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_CHECKED));
    machine->store.reach = S_OK;
    machine->run.OnClaimTimer();
    std::ranges::copy(HostRuns(*machine), std::back_inserter(started));
    EXPECT_THAT(started,
                ElementsAre(L"Nitrates 1", L"Nitrates 2", L"Nitrates 3", L"Nitrites 1", L"Nitrites 2", L"Nitrates 4"));
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
    EXPECT_THAT(Stored(L"Nitrites"), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE));
    const MethodRecord* rerun = machine->rows.FindRowById(2, FALSE);
    EXPECT_STREQ(rerun->Comments, L"Rerun of row 2: ");
    EXPECT_STREQ(rerun->DataFile, L"Nitrates0000000001R.d") << "the first result stays as it is";
    EXPECT_THAT(machine->host.notified,
                ElementsAre(L"qc-failed Check: recovery 86.0 % outside 90-110 %: rerun",
                            L"qc-failed Check: recovery 86.0 % outside 90-110 %: calibrate with Nitrites"));
    EXPECT_THAT(machine->host.logbook,
                testing::IsSupersetOf({L"Serion group Nitrates row 3 (DONE.M) QC failed: Check: recovery 86.0 % "
                                       L"outside 90-110 %: calibrate with Nitrites.",
                                       L"Serion group Nitrates calibrates with group Nitrites and then goes on.",
                                       L"Serion group Nitrates goes on after its calibration."}));
    // What was measured since the last passing check is suspect; what came after the calibration
    // is not.
    EXPECT_EQ(StoredText("SELECT group_concat(QC, '|') FROM (SELECT QC FROM result_tbl WHERE GroupName = 'Nitrates' "
                         "ORDER BY rowid)"),
              "suspect|suspect|failed|suspect|failed|");
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    EXPECT_TRUE(std::ranges::any_of(records, [](const AuditRecord& record) {
        return std::wstring(record.Event) == L"Row 2 QC failed" &&
               std::wstring(record.NewValue) == L"Check: recovery 86.0 % outside 90-110 %: rerun";
    }));

    // A blank over its limit pauses the run; an RSD over its limit stops the group, with the
    // emergency command once before the shut-down.
    ASSERT_EQ(QcRules::Write(ModuleSettings, m_groupId, L"Nitrates",
                             {{QcCheck::Blank, 0, 0.05, QcAction::Pause, QcAction::None, L""},
                              {QcCheck::Rsd, 0, 5, QcAction::Stop, QcAction::None, L""}}),
              S_OK);
    m_moreResults = [](const std::wstring& dataFile) -> std::string {
        if (dataFile == L"Nitrates0000000000.d")
            return "3,Blank,blank,0,2,0.9,0.8,1.0,0.08,0.999\n";
        return dataFile.starts_with(L"Nitrates0000000001") ? "4,Lake,sample,,2,5.0,4.5,7.5,0.5,0.999\n" : "";
    };
    machine->Show(m_groupId);
    machine->run.OnRun();
    StartRan(*machine);
    machine->Lines();
    MethodEnds(*machine, true);
    EXPECT_EQ(machine->run.GetState(), State::WaitingForRun);
    EXPECT_EQ(machine->view.status, L"Row 1 (DONE.M) QC failed: the next method waits for Run.");
    EXPECT_THAT(machine->Lines(), testing::IsEmpty()) << "a pause sends no emergency command";
    machine->run.OnRun();
    StartRan(*machine);
    machine->Lines();
    MethodEnds(*machine, true);
    EXPECT_THAT(machine->Lines(), ElementsAre(L"PUMPALL OFF", L"LAMPALL OFF", L" FIALOADHOOK "));
    EXPECT_EQ(machine->run.GetEnd().cause, GroupRun::End::Cause::QcFailed);
    machine->run.OnRunClosed();
    EXPECT_EQ(machine->view.status,
              L"Row 2 (DONE.M) QC failed: the group was stopped. Serion group Nitrates ended: 2 done, 0 failed, 2 not run.");
    EXPECT_THAT(machine->host.notified, testing::Contains(L"qc-failed Lake: RSD 7.50 % above 5 %: stop"));
}

TEST_F(GroupRunTest, AHostKilledRightAfterARowsEndOwesTheQcActionItAskedForAndContinueTakesItOnce)
{
    CGroupTable groups(ModuleSettings);
    ASSERT_EQ(groups.Open(), S_OK);
    GroupRows(groups).StoreFailurePolicy(m_groupId, ONFAILURE_GO_ON, L"PUMPALL OFF");
    // Row 1's blank is over its limit; its rerun measures well.
    m_moreResults = [](const std::wstring& dataFile) {
        return dataFile == L"Nitrates0000000000.d" ? "3,Blank,blank,0,2,0.9,0.8,1.0,0.08,0.999\n" : "";
    };
    for (const QcAction action : {QcAction::Pause, QcAction::Stop, QcAction::Rerun}) {
        SCOPED_TRACE(static_cast<int>(action));
        ASSERT_EQ(QcRules::Write(ModuleSettings, m_groupId, L"Nitrates", {{QcCheck::Blank, 0, 0.05, action, action == QcAction::Rerun ? QcAction::Stop : QcAction::None, L""}}),
                  S_OK);
        auto machine = NewMachine();
        ASSERT_EQ(machine->rows.SetAllRunStates(TRUE), S_OK);
        machine->Event([&] { machine->run.OnRun(); });
        machine->Event([&] { StartRan(*machine); });
        // Killed once row 1's end has landed, before what its QC asked: the logbook's and the
        // audit trail's records, a rerun's row, then the end.
        machine->store.killAfter = machine->store.writes + (action == QcAction::Rerun ? 3 : 2);
        machine->Event([&] { MethodEnds(*machine, true); });
        ASSERT_TRUE(machine->store.killed);
        ASSERT_EQ(Stored().front(), RUNSTATE_DONE);
        machine.reset();

        auto fresh = NewMachine();
        fresh->run.ShowInterruptedRun();
        fresh->Event([&] { fresh->run.OnContinue(TRUE); });
        const std::vector<std::wstring> started = HostRuns(*fresh);
        switch (action) {
        case QcAction::Pause:
            EXPECT_EQ(fresh->run.GetState(), State::WaitingForRun);
            EXPECT_EQ(fresh->view.status, L"Row 1 (DONE.M) QC failed: the next method waits for Run.");
            fresh->Event([&] { fresh->run.OnRun(); });
            EXPECT_THAT(HostRuns(*fresh), ElementsAre(L"Nitrates 2", L"Nitrates 3"));
            break;
        case QcAction::Stop:
            EXPECT_THAT(started, testing::IsEmpty());
            EXPECT_EQ(fresh->run.GetEnd().cause, GroupRun::End::Cause::QcFailed);
            EXPECT_THAT(fresh->ran, ElementsAre(L"PUMPALL OFF", L"LAMPALL OFF", L" FIALOADHOOK "));
            break;
        default:
            EXPECT_THAT(started, ElementsAre(L"Nitrates 2", L"Nitrates 3", L"Nitrates 4"));
            EXPECT_EQ(Stored().size(), 4u) << "the rerun's row is there once";
        }
    }
}

TEST_F(GroupRunTest, AClaimThatTheServerCannotConfirmKeepsTheRunGoingAndOneAnotherInstrumentTookEndsItWritingNothingMore)
{
    auto machine = NewMachine();
    machine->run.OnRun();
    StartRan(*machine);
    // The server does not answer: the heartbeat asks again later, and the next row starts.
    machine->host.claimCheck = E_FAIL;
    machine->run.OnClaimTimer();
    MethodEnds(*machine, true);
    StartRan(*machine);
    EXPECT_EQ(machine->run.GetEnd().cause, GroupRun::End::Cause::None);
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));

    machine->host.runningOn = L"FIA 9";
    machine->Lines();
    MethodEnds(*machine, true);
    EXPECT_EQ(machine->run.GetEnd().cause, GroupRun::End::Cause::ClaimLost);
    EXPECT_THAT(machine->Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK ")) << "nothing more starts here";
    EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED))
        << "the row's end is FIA 9's run's to write";
    const int writes = machine->store.writes;
    machine->run.OnRunClosed();
    EXPECT_EQ(machine->store.writes, writes + 1) << "only the run's end is recorded, in the audit trail";
    EXPECT_TRUE(machine->view.status.starts_with(machine->run.GetEnd().Text() + L" "))
        << WideToUtf8(machine->view.status);
    EXPECT_THAT(machine->host.logbook, testing::Contains(machine->run.GetEnd().Text()));
    EXPECT_EQ(machine->store.ReadGroup(m_groupId)->RunOpen, 1) << "the group's run stays FIA 9's";
}

TEST_F(GroupRunTest, RunAndAQueuesHandOverWaitForTheLabServerSayingSoAndGoOnWhenItAnswersOrEndAtStop)
{
    auto machine = NewMachine();
    GroupRun& run = machine->run;
    const auto waiting = [](const wchar_t* group) {
        return L"Waiting for the lab server: the run goes on with group " + std::wstring(group) + L" when it is back.";
    };
    const auto nitratesEnd = [&] {
        for (int row = 0; row < 3; ++row) {
            StartRan(*machine);
            MethodEnds(*machine, true);
        }
    };
    // Run while the server is away sends nothing, and Stop ends the wait.
    machine->store.reach = DB_E_CANNOTCONNECT;
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::WaitingForServer);
    EXPECT_EQ(machine->view.status, waiting(L"Nitrates"));
    run.OnStop(L"Ann");
    EXPECT_EQ(run.GetState(), State::Idle);
    EXPECT_THAT(machine->Lines(), testing::IsEmpty());

    // A queue waits to start, then waits at its hand-over, and goes on by itself at the beat that
    // finds the server back.
    run.OnRunQueue({m_groups[0].id, m_groups[1].id});
    run.OnClaimTimer();
    EXPECT_EQ(run.GetState(), State::WaitingForServer);
    machine->store.reach = S_OK;
    run.OnClaimTimer();
    machine->store.reach = DB_E_CANNOTCONNECT;
    nitratesEnd();
    EXPECT_EQ(run.GetState(), State::WaitingForServer);
    EXPECT_EQ(machine->view.status, waiting(L"Nitrites"));
    run.OnClaimTimer();
    EXPECT_EQ(std::ranges::count(machine->host.logbook, waiting(L"Nitrites")), 1) << "the logbook is told once";
    EXPECT_THAT(Stored(L"Nitrites"), ElementsAre(RUNSTATE_CHECKED, RUNSTATE_CHECKED));
    machine->store.reach = S_OK;
    run.OnClaimTimer();
    EXPECT_THAT(HostRuns(*machine), ElementsAre(L"Nitrites 1", L"Nitrites 2"));
    EXPECT_EQ(std::ranges::count(machine->ran, std::wstring(L"STANDBY")), 1);
    EXPECT_EQ(std::ranges::count(machine->ran, std::wstring(L"LAMPALL OFF")), 0);

    // Stop while a hand-over waits ends the queue with the ended group's shut-down.
    machine->Show(m_groupId);
    run.OnRunQueue({m_groups[0].id, m_groups[1].id});
    machine->store.reach = DB_E_CANNOTCONNECT;
    nitratesEnd();
    machine->Lines();
    run.OnStop(L"Ann");
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_THAT(machine->Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK "));
}

TEST_F(GroupRunTest, AHostKilledAfterAnyWriteLeavesRowsThatAFreshMachineEndsWithoutRunningAFinishedRowAgain)
{
    const struct {
        const char* run;
        std::function<void(Machine&)> start;
        // The shut-down command of the group that ends the run, and the rows of both groups at its end.
        std::wstring shutdown;
        std::vector<LONG> ended;
        // The rows a whole run starts, in order.
        std::vector<std::wstring> order;
    } runs[] = {{"a group", [](Machine& machine) { machine.run.OnRun(); }, L"LAMPALL OFF",
                 {RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_CHECKED, RUNSTATE_CHECKED},
                 {L"Nitrates 1", L"Nitrates 2", L"Nitrates 3"}},
                {"a queue", [this](Machine& machine) { machine.run.OnRunQueue({m_groups[0].id, m_groups[1].id}); },
                 L"STANDBY", std::vector<LONG>(5, RUNSTATE_DONE),
                 {L"Nitrates 1", L"Nitrates 2", L"Nitrates 3", L"Nitrites 1", L"Nitrites 2"}},
                // Nitrites' first check fails until Nitrates has calibrated: Nitrates runs between
                // Nitrites' rows, and Nitrites' run goes on after it.
                {"a calibration",
                 [this](Machine& machine) {
                     ASSERT_EQ(QcRules::Write(ModuleSettings, m_groups[1].id, L"Nitrites",
                                              {{QcCheck::Recovery, 90, 110, QcAction::Calibrate, QcAction::None, L"Nitrates"}}),
                               S_OK);
                     m_moreResults = [this](const std::wstring& dataFile) {
                         return dataFile == L"Nitrites0000000000.d" ? CheckLine(L"Nitrates") : "";
                     };
                     machine.Show(m_groups[1].id);
                     machine.run.OnRun();
                 },
                 L"STANDBY", std::vector<LONG>(5, RUNSTATE_DONE),
                 {L"Nitrites 1", L"Nitrates 1", L"Nitrates 2", L"Nitrates 3", L"Nitrites 2"}}};
    const auto storedStates = [this] {
        std::vector<LONG> states = Stored(m_groups[0].name);
        std::ranges::copy(Stored(m_groups[1].name), std::back_inserter(states));
        return states;
    };
    const std::wstring labels[] = {L"Nitrates 1", L"Nitrates 2", L"Nitrates 3", L"Nitrites 1", L"Nitrites 2"};
    const auto shutdowns = [](const std::vector<std::wstring>& ran) {
        return std::ranges::count(ran, std::wstring(L"LAMPALL OFF")) + std::ranges::count(ran, std::wstring(L"STANDBY"));
    };
    const auto notRun = [this] {
        StoredResults("DELETE FROM result_tbl");
        for (const GroupRun::Group& group : m_groups) {
            MethodRows rows(ModuleSettings);
            rows.LoadGroup(group.name, group.id);
            ASSERT_EQ(rows.SetAllRunStates(TRUE), S_OK) << "the groups have not run";
        }
    };
    for (const auto& [name, start, shutdown, ended, order] : runs) {
        SCOPED_TRACE(name);
        // A whole run counts the writes a kill can come between.
        notRun();
        auto whole = NewMachine();
        whole->Event([&] { start(*whole); });
        // The beat renews every group's claim that the run holds, the queue's later ones too.
        whole->run.OnClaimTimer();
        EXPECT_EQ(whole->host.renewed.size(), std::string_view(name) == "a queue" ? 2u : 1u);
        EXPECT_EQ(HostRuns(*whole), order);
        const int writes = whole->store.writes;
        ASSERT_EQ(storedStates(), ended);
        EXPECT_EQ(std::ranges::count(whole->ran, shutdown), 1);
        whole.reset();

        for (int killAfter = 1; killAfter <= writes; ++killAfter) {
            SCOPED_TRACE("killed after write " + std::to_string(killAfter) + " of " + std::to_string(writes));
            notRun();
            auto killed = NewMachine();
            killed->store.killAfter = killAfter;
            killed->Event([&] { start(*killed); });
            HostRuns(*killed);
            ASSERT_TRUE(killed->store.killed);
            std::vector<std::wstring> ran = killed->ran;
            killed.reset();

            // Restarted, the host's window shows the group whose run is open, and Continue goes
            // on with it when nobody claims it.
            const std::vector<LONG> atKill = storedStates();
            auto fresh = NewMachine();
            bool started = std::ranges::any_of(atKill, [](LONG state) { return state != RUNSTATE_CHECKED; });
            for (const GroupRun::Group& group : m_groups)
                if (fresh->store.ReadGroup(group.id)->RunOpen != 0) {
                    fresh->Show(group.id);
                    started = true;
                }
            fresh->run.ShowInterruptedRun();
            std::vector<std::wstring> startedAgain;
            if (fresh->run.IsInterrupted()) {
                fresh->Event([&] { fresh->run.OnContinue(TRUE); });
                startedAgain = HostRuns(*fresh);
            }
            std::ranges::copy(fresh->ran, std::back_inserter(ran));
            fresh.reset();

            // Killed before the run began, there is no run to continue.
            const std::vector<LONG> after = storedStates();
            EXPECT_EQ(after, started ? ended : std::vector<LONG>(ended.size(), RUNSTATE_CHECKED));
            // A row runs again when it had not ended at the kill; one that had keeps its result.
            for (std::size_t row = 0; row < atKill.size(); ++row)
                EXPECT_EQ(std::ranges::count(startedAgain, labels[row]),
                          started && atKill[row] != RUNSTATE_DONE && ended[row] == RUNSTATE_DONE)
                    << WideToUtf8(labels[row]);
            EXPECT_EQ(shutdowns(ran), started ? 1 : 0) << "the shut-down command runs once";
            // Each row that ended done has its results once, stored with its end; a failed check
            // stored before the kill keeps its flags, and the sample measured with it is suspect.
            EXPECT_EQ(StoredResults("SELECT count(*) FROM result_tbl WHERE Concentration = '1.2'"),
                      std::ranges::count(after, RUNSTATE_DONE));
            const long failedChecks = StoredResults("SELECT count(*) FROM result_tbl WHERE QC = 'failed'");
            EXPECT_EQ(StoredResults("SELECT count(*) FROM result_tbl WHERE QC = 'suspect'"), failedChecks);
            EXPECT_TRUE(std::string(name) != "a calibration" || atKill[3] != RUNSTATE_DONE || failedChecks == 1);
            EXPECT_EQ(std::ranges::count(ran, shutdown), started ? 1 : 0);
            for (const GroupRun::Group& group : m_groups)
                EXPECT_EQ(NewMachine()->store.ReadGroup(group.id)->RunOpen, 0);
        }
    }
}

TEST_F(GroupRunTest, AJournalThatAKilledHostLeftIsWrittenAtTheNextStartAndNeverTwice)
{
    // Row 1's end and the run's closing record waited for the lab server when the host died.
    MethodRows rows(ModuleSettings);
    ASSERT_EQ(rows.LoadGroup(L"Nitrates", m_groupId), S_OK);
    MethodRecord row = *rows.FindRowById(0, FALSE);
    row.RunState = RUNSTATE_DONE;
    SetRecordText(row.ErrMessage, L"Run complete.");
    ResultRecord result{};
    SetRecordText(result.Concentration, L"1.2");
    ASSERT_EQ(RunJournal(ModuleSettings).KeepRow(L"Nitrates", row, {result}), 0);
    ASSERT_EQ(RunJournal(ModuleSettings).KeepRunEnd(L"Nitrates", m_groupId, 0, 0, {L"Run ended", L"", L""}), 0);
    // Nitrates was its queue's last group.
    CGroupTable groups(ModuleSettings);
    ASSERT_EQ(groups.Open(), S_OK);
    ASSERT_EQ(GroupRows(groups).StoreQueue({m_groups[1].id, m_groupId}), S_OK);
    ASSERT_EQ(RunJournal(ModuleSettings).KeepLeaveQueue(L"Nitrates", m_groupId), 0);
    const std::filesystem::path file = m_root.onDriveC("SRNAJRNL.CSV");
    const std::string left = ReadFileBytes(file);
    // The second start finds the same file and its writes' marks again, as a host killed after
    // the writes landed but before it emptied the file leaves them.
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        WriteFileBytes(file, left);
        for (std::size_t at = 0; start == 2 && at < left.size(); at = left.find('\n', at) + 1)
            StoredResults(("INSERT INTO journal_tbl VALUES ('" + left.substr(at, left.find(',', at) - at) + "')").c_str());
        EXPECT_EQ(RunJournal(ModuleSettings).Forward(), S_OK);
        EXPECT_EQ(StoredResults("SELECT count(*) FROM journal_tbl"), 0) << "the marks go with the file";
        EXPECT_EQ(StoredResults("SELECT count(*) FROM group_tbl WHERE QueueID <> 0 AND GroupName = 'Nitrates'"), 0);
        EXPECT_THAT(Stored(), ElementsAre(RUNSTATE_DONE, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
        EXPECT_EQ(StoredResults("SELECT count(*) FROM result_tbl WHERE Concentration = '1.2'"), 1);
        EXPECT_EQ(StoredResults("SELECT count(*) FROM audit_tbl WHERE Event IN ('Row 1 done', 'Run ended')"), 2);
        EXPECT_EQ(ReadFileBytes(file), "");
    }
}
