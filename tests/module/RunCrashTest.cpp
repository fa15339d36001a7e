// The real orvane program killed, as a power failure would end it, at random moments of the demo
// group's run and of a queue of two groups, then started again with FIARUNNER CONTINUE in the installation's start-up macro, as
// an instrument restarted at boot: no completed row runs again or loses its
// result, the interrupted row runs again, every row ends, the shut-down command is sent once and
// the worklist file is intact; and killed just after the logbook tells of a run's start, the run
// is there to continue. SERION_CRASH_KILLS sets how many kills (24 by default).
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

struct StoredRow {
    int state;
    long long start;
    long long end;
    std::string message;

    bool operator==(const StoredRow&) const = default;
};

constexpr int kDone = 3;
constexpr int kFailed = 4;

std::filesystem::path DatabaseOf(const std::filesystem::path& root)
{
    return root / "C" / "Orvane" / "Serion" / "database" / "worklist.mdb";
}

std::vector<StoredRow> ReadRows(const std::filesystem::path& root, const std::string& group)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(DatabaseOf(root).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* select = nullptr;
    const std::string sql = "SELECT \"Run State\", StartTime, EndTime, ErrMessage FROM \"" + group + "\" ORDER BY aaaID";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &select, nullptr);
    std::vector<StoredRow> rows;
    while (sqlite3_step(select) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int(select, 0), sqlite3_column_int64(select, 1), sqlite3_column_int64(select, 2),
                        reinterpret_cast<const char*>(sqlite3_column_text(select, 3))});
    sqlite3_finalize(select);
    sqlite3_close(db);
    return rows;
}

std::string Query(const std::filesystem::path& root, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(DatabaseOf(root).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::string result;
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] ? values[0] : "";
            return 0;
        },
        &result, nullptr);
    sqlite3_close(db);
    return result;
}

std::size_t CountOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class RunCrash : public testing::Test {
protected:
    RunCrash()
    {
        WriteFileBytes(temp.path() / "run.script", "FIARUNNER\n"
                                                   "WaitWindow \"Run Serion Methods\"\n"
                                                   "Click \"Run Serion Methods\", 33001\n"
                                                   "Wait 600\n"
                                                   "Exit\n");
        WriteFileBytes(temp.path() / "continue.script", "WaitWindow \"Run Serion Methods\"\n"
                                                        "Wait 1200\n"
                                                        "Exit\n");
        WriteFileBytes(temp.path() / "queue.script", "FIARUNNER\n"
                                                     "WaitWindow \"Run Serion Methods\"\n"
                                                     "MenuCommand \"Run Serion Methods\", 32784\n"
                                                     "ClickItem \"Run Queue\", 19050, 0, \"state\"\n"
                                                     "ClickItem \"Run Queue\", 19050, 1, \"state\"\n"
                                                     "Click \"Run Queue\", 1\n"
                                                     "Wait 1200\n"
                                                     "Exit\n");
    }
    ~RunCrash() override
    {
        unsetenv("ORVANE_KILL_AT_CHANGE");
        unsetenv("ORVANE_KILL_AT_LINE");
    }

    // A fresh demo root whose group shuts the instrument down to standby.
    std::filesystem::path FreshRoot(int n)
    {
        const std::filesystem::path root = temp.path() / ("root" + std::to_string(n));
        EXPECT_EQ(runOrvane("--root " + root.string() + " --init --demo").exitCode, 0);
        Query(root, "UPDATE group_tbl SET ShutDownOption = 'STANDBY'");
        WriteFileBytes(root / "C" / "Orvane" / "STARTUP.MAC", "Name STARTUP\n"
                                                              "  FIARUNNER CONTINUE\n"
                                                              "EndMacro\n");
        return root;
    }

    // A demo root with a second group, Nitrites, a copy of Nitrates writing data files of its own.
    std::filesystem::path FreshQueueRoot(int n)
    {
        const std::filesystem::path root = FreshRoot(n);
        std::string create = Query(root, "SELECT sql FROM sqlite_master WHERE name = 'Nitrates'");
        create.replace(create.find("Nitrates"), 8, "Nitrites");
        Query(root, create + "; INSERT INTO \"Nitrites\" SELECT * FROM \"Nitrates\";"
                             " UPDATE \"Nitrites\" SET \"Data File\" = replace(\"Data File\", 'Nitrates', 'Nitrites');"
                             " INSERT INTO group_tbl (GroupID, GroupName, ShutDownOption) VALUES (3, 'Nitrites', 'STANDBY');");
        return root;
    }

    // Every row of the groups, in group order.
    static std::vector<StoredRow> ReadAllRows(const std::filesystem::path& root, const std::vector<std::string>& groups)
    {
        std::vector<StoredRow> rows;
        for (const std::string& group : groups)
            for (const StoredRow& row : ReadRows(root, group))
                rows.push_back(row);
        return rows;
    }

    // Kills the script's run at random moments, each in a fresh root that makeRoot makes, and
    // starts orvane again to continue it: what each row ends as must not differ from a run
    // without a kill.
    void KillAndContinue(const std::function<std::filesystem::path(int)>& makeRoot, const std::vector<std::string>& groups,
                         const char* script, const std::vector<int>& outcomes, int kills)
    {
        // A run without a kill tells how many variable changes a whole run makes, and what each
        // row ends as.
        const std::filesystem::path reference = makeRoot(0);
        const ProgramRun whole = RunScript(reference, script, 0);
        ASSERT_EQ(whole.exitCode, 0) << whole.output;
        ASSERT_EQ(CountOf(whole.output, "Instrument: Standby."), 1u) << whole.output;
        std::smatch count;
        ASSERT_TRUE(std::regex_search(whole.output, count, std::regex("orvane: (\\d+) host variable changes")));
        const long changes = std::stol(count[1]);
        std::vector<int> ended;
        for (const StoredRow& row : ReadAllRows(reference, groups))
            ended.push_back(row.state);
        ASSERT_EQ(ended, outcomes);

        std::mt19937 random(20261207);
        for (int kill = 0; kill < kills; ++kill) {
            // One kill in each stretch of the run, at a random message of it.
            const long from = 1 + changes * kill / kills;
            const long to = std::max(from, changes * (kill + 1) / kills);
            const long killAt = std::uniform_int_distribution<long>(from, to)(random);
            SCOPED_TRACE("killed at variable change " + std::to_string(killAt) + " of " + std::to_string(changes));
            const std::filesystem::path root = makeRoot(kill + 1);

            const ProgramRun killed = RunScript(root, script, killAt);
            // The shell that ran it says 128 + SIGKILL.
            ASSERT_EQ(killed.exitCode, 137) << killed.output;
            const std::vector<StoredRow> atKill = ReadAllRows(root, groups);
            const bool openAtKill = Query(root, "SELECT max(RunOpen) FROM group_tbl") == "1";
            const bool started = openAtKill || std::ranges::any_of(atKill, [](const StoredRow& row) { return row.start > 0; });
            const ProgramRun continued = RunScript(root, "continue.script", 0);
            ASSERT_EQ(continued.exitCode, 0) << continued.output;
            const std::vector<StoredRow> after = ReadAllRows(root, groups);

            ASSERT_EQ(after.size(), atKill.size());
            for (std::size_t n = 0; n < after.size(); ++n) {
                if (atKill[n].state == kDone || atKill[n].state == kFailed) {
                    EXPECT_EQ(after[n], atKill[n]) << "row " << n << " had completed and must keep its result";
                }
                // Killed before the run began, there is no run to continue.
                EXPECT_EQ(after[n].state, started ? outcomes[n] : 1) << "row " << n << ": " << after[n].message;
            }
            // Sent again only when the host died after sending it but before recording that it had:
            // a repeated shut-down is the safe side of that moment.
            const std::size_t sentBefore = CountOf(killed.output, "Instrument: Standby.");
            const std::size_t sentAfter = CountOf(continued.output, "Instrument: Standby.");
            EXPECT_EQ(sentBefore + sentAfter, started ? (sentBefore == 1 && openAtKill ? 2u : 1u) : 0u) << continued.output;
            EXPECT_EQ(Query(root, "PRAGMA integrity_check"), "ok");
            EXPECT_EQ(Query(root, "SELECT max(RunOpen) FROM group_tbl"), "0");
            if (started) {
                EXPECT_EQ(Query(root, "SELECT max(QueueID) + max(QueuePos) FROM group_tbl"), "0") << "the queue ended";
            }
        }
    }

    static int Kills()
    {
        const char* requested = std::getenv("SERION_CRASH_KILLS");
        return requested ? std::atoi(requested) : 24;
    }

    ProgramRun RunScript(const std::filesystem::path& root, const char* script, long killAt)
    {
        setenv("ORVANE_KILL_AT_CHANGE", std::to_string(killAt).c_str(), 1);
        ProgramRun run = runOrvane("--root " + root.string() + " --script " + (temp.path() / script).string());
        unsetenv("ORVANE_KILL_AT_CHANGE");
        return run;
    }

    TempRoot temp;
};

TEST_F(RunCrash, KilledAnywhereInARunTheGroupContinuesWhereItStoppedAndLosesNoResult)
{
    KillAndContinue([this](int n) { return FreshRoot(n); }, {"Nitrates"}, "run.script", {kDone, kFailed, kDone, kDone},
                    Kills());
}

TEST_F(RunCrash, KilledAnywhereInAQueueTheQueueContinuesFromTheInterruptedGroupAndRow)
{
    KillAndContinue([this](int n) { return FreshQueueRoot(n); }, {"Nitrates", "Nitrites"}, "queue.script",
                    {kDone, kFailed, kDone, kDone, kDone, kFailed, kDone, kDone}, Kills() / 2);
}

TEST_F(RunCrash, KilledRightAfterRunIsPressedTheRowsAreAsTheyWereOrTheRunContinues)
{
    // The press is logged before the run's record is written: a kill there leaves the rows as
    // they were and no run open.
    const std::filesystem::path before = FreshRoot(1);
    setenv("ORVANE_KILL_AT_LINE", "Serion start group Nitrates.", 1);
    const ProgramRun killedAtPress = RunScript(before, "run.script", 0);
    ASSERT_EQ(killedAtPress.exitCode, 137) << killedAtPress.output;
    EXPECT_EQ(Query(before, "SELECT RunOpen FROM group_tbl"), "0");
    EXPECT_EQ(Query(before, "SELECT count(*) FROM \"Nitrates\" WHERE \"Run State\" = 2"), "0");

    // From the first method's start on, the run's record is there and Continue goes on with it.
    const std::filesystem::path root = FreshRoot(2);
    setenv("ORVANE_KILL_AT_LINE", "Running the method", 1);
    const ProgramRun killed = RunScript(root, "run.script", 0);
    unsetenv("ORVANE_KILL_AT_LINE");
    ASSERT_EQ(killed.exitCode, 137) << killed.output;
    EXPECT_EQ(Query(root, "SELECT RunOpen FROM group_tbl"), "1") << "the run's record comes before its first method";
    EXPECT_EQ(Query(root, "SELECT count(*) FROM audit_tbl WHERE Event = 'Run started'"), "1");

    const ProgramRun continued = RunScript(root, "continue.script", 0);
    ASSERT_EQ(continued.exitCode, 0) << continued.output;
    std::vector<int> states;
    for (const StoredRow& row : ReadRows(root, "Nitrates"))
        states.push_back(row.state);
    EXPECT_EQ(states, (std::vector<int>{kDone, kFailed, kDone, kDone})) << continued.output;
    EXPECT_EQ(CountOf(continued.output, "Instrument: Standby."), 1u);
}

} // namespace
