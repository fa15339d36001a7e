// The real orvane program killed, as a power failure would end it, once just after the logbook
// tells of a run's start and once at its first method, then started again with FIARUNNER CONTINUE
// in the installation's start-up macro, as an instrument restarted at boot: killed before the run's
// record, the rows are as they were; after it, the run continues to the end and the shut-down
// command is sent once. A kill between any two writes of a run or a queue is GroupRunTest's.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <string>

namespace {

std::filesystem::path DatabaseOf(const std::filesystem::path& root)
{
    return root / "C" / "Orvane" / "Serion" / "database" / "worklist.mdb";
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
    }
    ~RunCrash() override { unsetenv("ORVANE_KILL_AT_LINE"); }

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

    ProgramRun RunScript(const std::filesystem::path& root, const char* script)
    {
        return runOrvane("--root " + root.string() + " --script " + (temp.path() / script).string());
    }

    TempRoot temp;
};

TEST_F(RunCrash, KilledRightAfterRunIsPressedTheRowsAreAsTheyWereOrTheRunContinues)
{
    // The press is logged before the run's record is written: a kill there leaves the rows as
    // they were and no run open.
    const std::filesystem::path before = FreshRoot(1);
    setenv("ORVANE_KILL_AT_LINE", "Serion start group Nitrates.", 1);
    const ProgramRun killedAtPress = RunScript(before, "run.script");
    ASSERT_EQ(killedAtPress.exitCode, 137) << killedAtPress.output;
    EXPECT_EQ(Query(before, "SELECT RunOpen FROM group_tbl WHERE GroupName = 'Nitrates'"), "0");
    EXPECT_EQ(Query(before, "SELECT count(*) FROM \"Nitrates\" WHERE \"Run State\" = 2"), "0");

    // From the first method's start on, the run's record is there and Continue goes on with it.
    const std::filesystem::path root = FreshRoot(2);
    setenv("ORVANE_KILL_AT_LINE", "Running the method", 1);
    const ProgramRun killed = RunScript(root, "run.script");
    unsetenv("ORVANE_KILL_AT_LINE");
    ASSERT_EQ(killed.exitCode, 137) << killed.output;
    EXPECT_EQ(Query(root, "SELECT RunOpen FROM group_tbl WHERE GroupName = 'Nitrates'"), "1") << "the run's record comes before its first method";
    EXPECT_EQ(Query(root, "SELECT count(*) FROM audit_tbl WHERE Event = 'Run started'"), "1");

    const ProgramRun continued = RunScript(root, "continue.script");
    ASSERT_EQ(continued.exitCode, 0) << continued.output;
    EXPECT_EQ(Query(root, "SELECT group_concat(\"Run State\") FROM \"Nitrates\""), "3,4,3,3") << continued.output;
    EXPECT_EQ(CountOf(continued.output, "Instrument: Standby."), 1u);
    EXPECT_EQ(Query(root, "PRAGMA integrity_check"), "ok");
}

} // namespace
