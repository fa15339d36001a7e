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

#include "win/WinUser.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

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

    void ShowStatus(std::vector<std::wstring> forms) override { status = forms.front(); }
    void ShowStatusId(UINT nID) override { status = ModuleString(nID); }
    void ShowRunState() override {}
    int ShowRunMessage(const std::wstring& text, UINT) override
    {
        messages.push_back(text);
        return IDOK;
    }
    int Ask(const std::wstring&, UINT) override { return IDYES; }
    BOOL ShowGroup(LONG) override { return FALSE; }
    std::vector<GroupEntry> ListedGroups() const override { return {}; }
    // Counted on a table of its own, as the list counts its items: the rows' cursor stays.
    int CountShown(LONG state) const override
    {
        CMethodTable table;
        int count = 0;
        if (SUCCEEDED(table.Open(L"Nitrates")))
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
};

// The worklist's store, counting the writes that land; after write number killAfter the host is
// killed, and nothing of it reaches the worklist any more.
class CountingStore : public WorklistRunStore {
public:
    using WorklistRunStore::WorklistRunStore;
    int writes = 0;
    int killAfter = 0;
    bool killed = false;

    void ChangeRunState(MethodRecord* row, LONG state, LPCWSTR message) override
    {
        Write([&] {
            WorklistRunStore::ChangeRunState(row, state, message);
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
    std::vector<std::wstring> logbook;
    HRESULT claimCheck = S_OK;

    void Exec(const std::wstring& line) override
    {
        if (!m_killed)
            lines.push_back(line);
    }
    void SetNum(LPCSTR name, double value) override
    {
        if (!m_killed)
            nums[name] = value;
    }
    void SetStr(LPCSTR name, const std::wstring& value) override
    {
        if (!m_killed)
            strs[name] = value;
    }
    double GetNum(LPCSTR name) override { return nums[name]; }
    std::wstring GetStr(LPCSTR name) override { return strs[name]; }
    std::wstring ModuleMessage(LPCWSTR) override { return L""; }
    void ReportRunEvent(const CpRunEvent&) override {}
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
    BOOL IsClaimed(LONG group) override { return m_claims.contains(group); }
    BOOL IsClaimedByAnotherHost(LONG group) override { return IsClaimed(group) && m_claims[group] != this; }
    std::wstring RunningOn(LONG) override { return L""; }

private:
    Claims& m_claims;
    const bool& m_killed;
};

// One host with its window over the worklist: a host that dies leaves its rows to the next one.
struct Machine {
    CGroupTable groups;
    MethodRows rows;
    CountingStore store{groups, rows};
    FakeHost host;
    FakeView view;
    GroupRun run{view, store, host};

    Machine(LONG groupId, Claims& claims) : host(claims, store.killed)
    {
        EXPECT_EQ(groups.Open(), S_OK);
        EXPECT_EQ(rows.LoadGroup(L"Nitrates", groupId), S_OK);
        host.strs["_DATAPATH$"] = L"C:\\Data\\";
        run.ShowsGroup({groupId, L"Nitrates", L"LAMPALL OFF"});
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
        CGroupTable groups;
        EXPECT_EQ(groups.Open(), S_OK);
        EXPECT_EQ(GroupRows(groups).Add(L"Nitrates", true, &m_groupId, [](DWORD) {}), S_OK);
        MethodRows rows;
        rows.LoadGroup(L"Nitrates", m_groupId);
        rows.InsertMethods({L"DONE.M"}, 3, L"C:\\Methods\\", 0);
    }

    std::unique_ptr<Machine> NewMachine() { return std::make_unique<Machine>(m_groupId, m_claims); }
    // The host runs the start's lines: the method is on, and the run hears of it.
    static void StartRan(Machine& machine)
    {
        machine.view.startPending = false;
        machine.host.nums["_METHODON"] = 1;
        machine.run.OnStartRan(*machine.view.startRan);
        machine.run.OnVariableChanged(L"_METHODON");
    }
    // The method ends; done, its data folder is there and the FIA hook resets _SERIONON.
    void MethodEnds(Machine& machine, bool done)
    {
        const LONG row = *machine.view.startRan;
        if (done) {
            std::filesystem::create_directories(m_root.onDriveC("Data/Nitrates000000000" + std::to_string(row) + ".d"));
            machine.host.nums["_SERIONON"] = 0;
        }
        machine.host.nums["_METHODON"] = 0;
        machine.run.OnVariableChanged(L"_METHODON");
    }
    // The host goes on until the run waits for nothing it does, or the host is killed: each
    // method started runs and ends done, and the shut-down command is run. The rows started.
    std::vector<LONG> HostRuns(Machine& machine)
    {
        std::vector<LONG> started;
        while (!machine.store.killed) {
            if (machine.view.startPending) {
                started.push_back(*machine.view.startRan);
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
    static std::vector<LONG> Stored(Machine& machine)
    {
        std::vector<LONG> states;
        for (LONG id = 0; const MethodRecord* row = machine.rows.FindRowById(id, FALSE); ++id)
            states.push_back(row->RunState);
        return states;
    }

    WorklistTestRoot m_root;
    LONG m_groupId = 0;
    Claims m_claims;
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
    EXPECT_THAT(machine.Lines(), ElementsAre(L"LoadMethParams  ", L"FIALOADHOOK ", L"RUNMETHOD ",
                                             L"print \"Running the method... \""));
    EXPECT_EQ(machine.host.strs["_DATAFILE$"], L"Nitrates0000000000.d");
    StartRan(machine);
    EXPECT_EQ(run.GetState(), State::MethodRunning);
    run.OnPause();
    EXPECT_EQ(run.GetState(), State::PauseRequested);
    EXPECT_EQ(run.Doing(), State::MethodRunning);
    MethodEnds(machine, true);
    EXPECT_EQ(run.GetState(), State::WaitingForRun);
    EXPECT_THAT(Stored(machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::MethodQueued);
    EXPECT_EQ(machine.view.startRan, 1);
    StartRan(machine);
    machine.Lines();
    run.OnStop(L"Lab Boss");
    EXPECT_EQ(run.GetState(), State::Stopping);
    EXPECT_THAT(machine.Lines(), ElementsAre(L"StopMethod "));
    MethodEnds(machine, false);
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_EQ(run.GetEnd().cause, GroupRun::End::Cause::StoppedByUser);
    EXPECT_THAT(machine.Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK "));
    EXPECT_THAT(Stored(machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_FAILED, RUNSTATE_CHECKED));
    EXPECT_EQ(machine.rows.FindRowById(1, FALSE)->ErrMessage, run.GetEnd().Text()) << "the row says who stopped it";
    EXPECT_NE(run.GetEnd().Text().find(L"Lab Boss"), std::wstring::npos);
    EXPECT_FALSE(run.CanContinue()) << "not before the closing record";
    run.OnRunClosed();
    EXPECT_EQ(run.GetState(), State::Idle);
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
    EXPECT_THAT(Stored(machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
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
    EXPECT_THAT(Stored(*machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(records), S_OK);
    EXPECT_TRUE(std::ranges::any_of(records, [](const AuditRecord& record) {
        return std::wstring(record.Event) == L"Row 1 done" && std::wstring(record.NewValue) == L"done: Run complete.";
    })) << "the retry writes the result with its record";

    // The host dies while row 2 runs (a run mid-way writes nothing when it goes): a fresh machine
    // over the same rows finds the run interrupted, and Continue runs row 2 again and then row 3.
    machine.reset();
    auto fresh = NewMachine();
    ASSERT_TRUE(fresh->run.IsInterrupted());
    fresh->run.ShowInterruptedRun();
    EXPECT_THAT(Stored(*fresh), ElementsAre(RUNSTATE_DONE, RUNSTATE_INTERRUPTED, RUNSTATE_CHECKED));
    fresh->run.OnContinue(TRUE);
    EXPECT_THAT(HostRuns(*fresh), ElementsAre(1, 2));
    EXPECT_EQ(fresh->run.GetState(), State::Idle);
    EXPECT_THAT(Stored(*fresh), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
}

TEST_F(GroupRunTest, ARunThatLosesItsClaimEndsAfterTheRunningRowAndSaysWhy)
{
    auto machine = NewMachine();
    machine->run.OnRun();
    StartRan(*machine);
    machine->host.claimCheck = E_FAIL;
    machine->Lines();
    MethodEnds(*machine, true);
    EXPECT_EQ(machine->run.GetEnd().cause, GroupRun::End::Cause::ClaimLost);
    EXPECT_THAT(machine->Lines(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK ")) << "nothing more starts here";
    EXPECT_THAT(Stored(*machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
    const int writes = machine->store.writes;
    machine->run.OnRunClosed();
    EXPECT_EQ(machine->store.writes, writes + 1) << "only the run's end is recorded";
    EXPECT_TRUE(machine->view.status.starts_with(machine->run.GetEnd().Text() + L" "))
        << WideToUtf8(machine->view.status);
    EXPECT_EQ(machine->store.ReadGroup(m_groupId)->RunOpen, 0);
}

TEST_F(GroupRunTest, AHostKilledAfterAnyWriteLeavesRowsThatAFreshMachineEndsWithoutRunningAFinishedRowAgain)
{
    // A whole run counts the writes a kill can come between.
    auto whole = NewMachine();
    whole->run.OnRun();
    EXPECT_THAT(HostRuns(*whole), ElementsAre(0, 1, 2));
    const int writes = whole->store.writes;
    whole.reset();
    ASSERT_GE(writes, 8) << "the run's open, each row's start and end, and its close";

    for (int killAfter = 1; killAfter <= writes; ++killAfter) {
        SCOPED_TRACE("killed after write " + std::to_string(killAfter));
        auto killed = NewMachine();
        ASSERT_EQ(killed->rows.SetAllRunStates(TRUE), S_OK) << "the group has not run";
        killed->store.killAfter = killAfter;
        killed->Event([&] { killed->run.OnRun(); });
        HostRuns(*killed);
        ASSERT_TRUE(killed->store.killed);
        std::vector<std::wstring> ran = killed->ran;
        killed.reset();

        auto fresh = NewMachine();
        const std::vector<LONG> atKill = Stored(*fresh);
        fresh->run.ShowInterruptedRun();
        std::vector<LONG> started;
        if (fresh->run.CanContinue()) {
            fresh->Event([&] { fresh->run.OnContinue(TRUE); });
            started = HostRuns(*fresh);
        }
        for (LONG row = 0; row < 3; ++row) {
            const bool ranAgain = std::ranges::find(started, row) != started.end();
            EXPECT_EQ(ranAgain, atKill[row] != RUNSTATE_DONE) << "row " << row + 1;
        }
        EXPECT_THAT(Stored(*fresh), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
        EXPECT_EQ(fresh->run.GetState(), State::Idle);
        EXPECT_EQ(fresh->store.ReadGroup(m_groupId)->RunOpen, 0);
        std::ranges::copy(fresh->ran, std::back_inserter(ran));
        EXPECT_EQ(std::ranges::count(ran, std::wstring(L"LAMPALL OFF")), 1) << "the shut-down command runs once";
    }
}
