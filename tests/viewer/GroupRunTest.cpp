// The run of a group as a state machine, without a window: a fake of what it shows, the worklist
// of a fresh root, and the test as the host, which starts and ends methods by their variables.
#include "viewer/GroupRun.h"
#include "viewer/RunView.h"
#include "viewer/WorklistRunStore.h"

#include "WorklistTestRoot.h"

#include "module/core/ModuleString.h"

#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/RunClaim.h"

#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "win/WinUser.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

#include <sqlite3.h>

using testing::ElementsAre;
using State = GroupRun::State;

namespace {

// What the window would show, kept for the test; questions are answered Yes.
class FakeView : public RunView {
public:
    GroupRun* run = nullptr;
    std::wstring status;
    std::vector<std::wstring> messages;
    std::optional<LONG> startRan;
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
    void PostStartRan(LONG row) override { startRan = row; }
    void PostRunClosed() override { runClosed = true; }
    void SetSaveRetryTimer(BOOL on) override { retryTimer = on; }
};

// One machine over the worklist: a host that dies leaves its rows to the next machine.
struct Machine {
    CGroupTable groups;
    MethodRows rows;
    WorklistRunStore store{groups, rows};
    FakeView view;
    GroupRun run{view, store};

    Machine(LONG groupId)
    {
        EXPECT_EQ(groups.Open(), S_OK);
        EXPECT_EQ(rows.LoadGroup(L"Nitrates", groupId), S_OK);
        view.run = &run;
        run.ShowsGroup({groupId, L"Nitrates", L"LAMPALL OFF"});
    }
};

class GroupRunTest : public testing::Test {
protected:
    GroupRunTest()
    {
        ModuleSettings.hCpContext = CpCreateContext();
        std::filesystem::create_directories(m_root.onDriveC("Methods/DONE.M"));
        std::filesystem::create_directories(m_root.onDriveC("Data"));
        CpSetStrVar(ModuleSettings.hCpContext, "_DATAPATH$", L"C:\\Data\\");
        SetMethodOn(0);
        CGroupTable groups;
        EXPECT_EQ(groups.Open(), S_OK);
        EXPECT_EQ(GroupRows(groups).Add(L"Nitrates", true, &m_groupId, [](DWORD) {}), S_OK);
        MethodRows rows;
        rows.LoadGroup(L"Nitrates", m_groupId);
        rows.InsertMethods({L"DONE.M"}, 3, L"C:\\Methods\\", 0);
        CpCommandQueue::instance().clear();
    }

    static void SetMethodOn(double value) { CpSetNumVar(ModuleSettings.hCpContext, "_METHODON", value); }
    // The host runs the start's lines: the method is on, and the run hears of it.
    static void StartRan(Machine& machine)
    {
        SetMethodOn(1);
        machine.run.OnStartRan(*machine.view.startRan);
        machine.run.OnVariableChanged(L"_METHODON");
    }
    // The method ends; done, its data folder is there and the FIA hook resets _SERIONON.
    void MethodEnds(Machine& machine, bool done)
    {
        const LONG row = *machine.view.startRan;
        if (done) {
            std::filesystem::create_directories(m_root.onDriveC("Data/Nitrates000000000" + std::to_string(row) + ".d"));
            CpSetNumVar(ModuleSettings.hCpContext, "_SERIONON", 0);
        }
        SetMethodOn(0);
        machine.run.OnVariableChanged(L"_METHODON");
    }
    std::vector<LONG> Stored(Machine& machine)
    {
        std::vector<LONG> states;
        for (LONG id = 0; const MethodRecord* row = machine.rows.FindRowById(id, FALSE); ++id)
            states.push_back(row->RunState);
        return states;
    }
    static std::vector<std::wstring> Queued()
    {
        std::vector<std::wstring> lines;
        while (const auto command = CpCommandQueue::instance().takeNext())
            lines.push_back(command->line);
        return lines;
    }

    WorklistTestRoot m_root;
    LONG m_groupId = 0;
};

} // namespace

TEST_F(GroupRunTest, EachEventMovesTheRunToItsNextStateAndStopEndsItWithTheShutDownCommand)
{
    Machine machine(m_groupId);
    GroupRun& run = machine.run;
    run.OnRun();
    EXPECT_EQ(run.GetState(), State::MethodQueued);
    EXPECT_EQ(machine.view.startRan, 0);
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
    Queued();
    run.OnStop();
    EXPECT_EQ(run.GetState(), State::Stopping);
    EXPECT_THAT(Queued(), ElementsAre(L"StopMethod "));
    MethodEnds(machine, false);
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_EQ(run.GetEnd().cause, GroupRun::End::Cause::StoppedByUser);
    EXPECT_THAT(Queued(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK "));
    EXPECT_THAT(Stored(machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_FAILED, RUNSTATE_CHECKED));
    EXPECT_FALSE(run.CanContinue()) << "not before the closing record";
    run.OnRunClosed();
    EXPECT_EQ(run.GetState(), State::Idle);
    EXPECT_EQ(machine.store.ReadGroup(m_groupId)->StoppedRow, 2) << "Continue runs the stopped row again";
    EXPECT_TRUE(run.CanContinue());

    // A method started by hand holds the instrument: the next row waits, and Stop sends nothing.
    SetMethodOn(1);
    run.OnContinue(TRUE);
    EXPECT_EQ(run.GetState(), State::WaitingForInstrument);
    Queued();
    run.OnStop();
    EXPECT_EQ(run.GetState(), State::Closing);
    EXPECT_THAT(Queued(), ElementsAre(L"LAMPALL OFF", L" FIALOADHOOK ")) << "no stop for a method not the run's";

    // Waiting for Run, an acquisition error and Stop end the group at once and leave the last
    // row's result as it is.
    for (const bool stop : {false, true}) {
        run.OnRunClosed();
        SetMethodOn(0);
        run.OnContinue(TRUE);
        StartRan(machine);
        run.OnPause();
        MethodEnds(machine, true);
        ASSERT_EQ(run.GetState(), State::WaitingForRun);
        if (stop) {
            run.OnStop();
        } else {
            CpSetStrVar(ModuleSettings.hCpContext, "ACQSTATUS$", L"_error");
            run.OnVariableChanged(L"ACQSTATUS$");
        }
        EXPECT_EQ(run.GetState(), State::Closing);
    }
    EXPECT_THAT(Stored(machine), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
}

TEST_F(GroupRunTest, AResultThatCannotBeWrittenHoldsTheRunUntilItLandsAndAKilledRunIsContinuedByAFreshMachine)
{
    auto machine = std::make_unique<Machine>(m_groupId);
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
    Machine fresh(m_groupId);
    ASSERT_TRUE(fresh.run.IsInterrupted());
    fresh.run.ShowInterruptedRun();
    EXPECT_THAT(Stored(fresh), ElementsAre(RUNSTATE_DONE, RUNSTATE_INTERRUPTED, RUNSTATE_CHECKED));
    fresh.run.OnContinue(TRUE);
    for (LONG row : {1, 2}) {
        EXPECT_EQ(fresh.view.startRan, row);
        StartRan(fresh);
        MethodEnds(fresh, true);
    }
    EXPECT_EQ(fresh.run.GetState(), State::Closing);
    EXPECT_THAT(Stored(fresh), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
}
