// orvane run as a user runs it: scripts with their exit codes and reports, and line mode.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

namespace {

class OrvaneProgram : public testing::Test {
protected:
    ProgramRun runScript(const std::string& script)
    {
        WriteFileBytes(temp.path() / "test.script", script);
        return runOrvane("--root " + root().string() + " --script " + (temp.path() / "test.script").string());
    }
    std::filesystem::path root() const { return temp.path() / "root"; }
    bool contains(const ProgramRun& run, const std::string& text) { return run.output.find(text) != std::string::npos; }

    TempRoot temp;
};

TEST_F(OrvaneProgram, PassingScriptRunsAMethodOnTheVirtualClockAndExitsZero)
{
    const ProgramRun run = runScript("Print \"hello from the script\"\n"
                              "WaitWindow \"Orvane\"\n"
                              "ExpectVar _METHODON, 0\n"
                              "_METHFILE$ = \"NITRATE.M\"\n"
                              "_DATAFILE$ = \"N1.d\"\n"
                              "RUNMETHOD\n"
                              "ExpectVar _METHODON, 1\n"
                              "ExpectVar ACQSTATUS$, RUN\n"
                              "Wait 600\n"
                              "ExpectVar _METHODON, 0\n"
                              "MenuState \"Automation\", \"Serion Methods...\", \"Insensitive/Checked\"\n"
                              "Snapshot \"Orvane\"\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "Installed Orvane in ")) << run.output;
    EXPECT_TRUE(contains(run, "\nhello from the script\n")) << run.output;
    EXPECT_TRUE(contains(run, "Method NITRATE.M complete.")) << run.output;
    EXPECT_TRUE(contains(run, "menu \"Automation\" > \"Serion Methods...\" greyed checked\n")) << run.output;
    EXPECT_TRUE(std::filesystem::exists(root() / "C/Orvane/Data/N1.d/RUN.LOG"));
}

TEST_F(OrvaneProgram, FailingExpectationExitsOneWithLineReasonAndSnapshot)
{
    const ProgramRun run = runScript("Print \"before\"\nExpectVar _OFFLINE, 1\nPrint \"never\"\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "Script failed at line 2: ExpectVar _OFFLINE, 1\n")) << run.output;
    EXPECT_TRUE(contains(run, "Reason: the host variable _OFFLINE is \"0\", expected \"1\"\n")) << run.output;
    EXPECT_TRUE(contains(run, "Orvane")) << run.output;
    EXPECT_FALSE(contains(run, "never")) << run.output;
}

TEST_F(OrvaneProgram, WaitThatTimesOutFailsAfterItsVirtualSeconds)
{
    ProgramRun run = runScript("WaitWindow \"ProgramRun Serion Methods\", 5\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "Reason: no window \"ProgramRun Serion Methods\" appeared within 5 seconds")) << run.output;

    run = runScript("WaitNoWindow \"Orvane\"\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "Reason: the window \"Orvane\" is still there within 30 seconds")) << run.output;
}

TEST_F(OrvaneProgram, ExitEndsTheScriptUnlessTheSerionWindowRunsAGroup)
{
    ASSERT_EQ(runOrvane("--root " + root().string() + " --init --demo").exitCode, 0);
    ProgramRun run = runScript("Print \"before\"\nFIARUNNER\nExit\nPrint \"never\"\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "Serion Window Closed.")) << run.output;
    EXPECT_FALSE(contains(run, "never")) << run.output;

    run = runScript("FIARUNNER\nClick \"Run Serion Methods\", 33001\nQuit\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "Script failed at line 3: Quit\nReason: Orvane keeps running: the window \"Run Serion "
                              "Methods\" did not close.\n"))
        << run.output;
}

TEST_F(OrvaneProgram, LineModeRunsTypedLinesAndShowsErrors)
{
    WriteFileBytes(temp.path() / "input", "Print \"hello\"\nN = 2 + 3\nPrint N\nFOO 1\nClick \"Nowhere\", 1\nSnapshot \"Nowhere\"\nPrint \"end\"\n");
    const ProgramRun run = runOrvane("--root " + root().string() + " --no-tui", temp.path() / "input");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "\nhello\n5\nError: Unknown command: FOO\nError: no visible window \"Nowhere\"\nError: no visible window \"Nowhere\"\nend\n"))
        << run.output;
}

TEST_F(OrvaneProgram, FiaRunnerTypedWhileTheWindowsOpeningErrorIsUpChangesNothing)
{
    WriteFileBytes(temp.path() / "input",
                   "_AUTOMSPATH$ = \"C:\\nope\\\"\nFIARUNNER\nFIARUNNER\nClick \"Serion\", 1\nPrint \"end\"\n");
    const ProgramRun run = runOrvane("--root " + root().string() + " --no-tui", temp.path() / "input");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "\nend\n")) << run.output;
}

TEST_F(OrvaneProgram, LineModeInputThatEndsDuringARunEndsTheHostAfterTheGroup)
{
    ASSERT_EQ(runOrvane("--root " + root().string() + " --init --demo").exitCode, 0);
    // Line mode runs on the real clock: the demo methods run for a second each.
    for (const auto& method : std::filesystem::directory_iterator(root() / "C/Orvane/Methods")) {
        const auto settings = method.path() / "SIMULATE.INI";
        WriteFileBytes(settings, std::regex_replace(ReadFileBytes(settings), std::regex("RunTime=\\d+"), "RunTime=1"));
    }
    WriteFileBytes(temp.path() / "input", "FIARUNNER\nClick \"Run Serion Methods\", 33001\n");
    const ProgramRun run = runOrvane("--root " + root().string() + " --no-tui", temp.path() / "input");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "Orvane keeps running: the window \"Run Serion Methods\" did not close. The input has "
                              "ended: Orvane ends when the window closes.\n"))
        << run.output;
    EXPECT_TRUE(contains(run, "Method PHOSPHATE.M complete.")) << run.output;
    EXPECT_TRUE(contains(run, "Serion Window Closed.")) << run.output;
}

TEST_F(OrvaneProgram, BadOptionsAndAnInstalledRootAreRefused)
{
    ProgramRun run = runOrvane("--frobnicate");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(contains(run, "unknown option \"--frobnicate\"")) << run.output;
    run = runOrvane("--root " + root().string() + " --init");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(std::filesystem::exists(root() / "orvane.var"));
    run = runOrvane("--root " + root().string() + " --init");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run, "holds an installation already")) << run.output;
    run = runOrvane("--root " + root().string() + " --script " + (temp.path() / "missing.script").string());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run, "cannot be read")) << run.output;
}

TEST_F(OrvaneProgram, DemoInstallationHasTheNitratesGroupThatAScriptChecksEditsAndUnchecks)
{
    ASSERT_EQ(runOrvane("--root " + root().string() + " --init --demo").exitCode, 0);
    const ProgramRun run = runScript(
        "FIARUNNER\n"
        "WaitWindow \"Run Serion Methods\"\n"
        "Expect \"Run Serion Methods\", 19006, \"Nitrates\"\n"
        "ExpectItemCount \"Run Serion Methods\", 19001, 4\n"
        "ExpectItem \"Run Serion Methods\", 19001, 1, \" ... ... | LEAK.M | Nitrates0000000001.d | Fails: the pump's messages "
        "become the row's message\"\n"
        "ClickItem \"Run Serion Methods\", 19001, 2, \"state\"\n"
        "ExpectItemState \"Run Serion Methods\", 19001, 2, 5\n"
        "DoubleClickItem \"Run Serion Methods\", 19001, 0\n"
        "WaitWindow \"Properties\"\n"
        "SetText \"Properties\", 19012, \"Upstream of the weir\"\n"
        "Click \"Properties\", 1\n"
        "WaitNoWindow \"Properties\"\n"
        "ExpectItem \"Run Serion Methods\", 19001, 0, \" ... ... | NITRATE.M | Nitrates0000000000.d | Upstream of the weir\"\n"
        "MenuCommand \"Run Serion Methods\", 32778\n"
        "ExpectItemState \"Run Serion Methods\", 19001, 3, 5\n"
        "ExpectItemState \"Run Serion Methods\", 19001, 4, 5\n");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "Script failed at line 16")) << run.output;
    EXPECT_TRUE(contains(run, "Reason: control 19001 has no item 4 (it has 4)")) << run.output;
    EXPECT_TRUE(contains(run, "item 3 state=5 \" ... ... | PHOSPHATE.M")) << run.output;

    // The edit and the check marks are in the database for the next start.
    const ProgramRun again = runScript("FIARUNNER\n"
                                       "WaitWindow \"Run Serion Methods\"\n"
                                       "ExpectItemState \"Run Serion Methods\", 19001, 0, 5\n"
                                       "ExpectItem \"Run Serion Methods\", 19001, 0, \" ... ... | NITRATE.M | "
                                       "Nitrates0000000000.d | Upstream of the weir\"\n");
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_NE(runOrvane("--root " + root().string() + " --demo").exitCode, 0) << "--demo goes with --init";
}

TEST_F(OrvaneProgram, VerifyAuditNamesTheRecordChangedRemovedOrInsertedWithTheSqliteTool)
{
    ASSERT_EQ(runOrvane("--root " + root().string() + " --init --demo").exitCode, 0);
    std::string clicks = "FIARUNNER\nWaitWindow \"Run Serion Methods\"\n";
    for (int row : {0, 1, 2, 0, 1})
        clicks += "ClickItem \"Run Serion Methods\", 19001, " + std::to_string(row) + ", \"state\"\n";
    ASSERT_EQ(runScript(clicks).exitCode, 0);
    const std::string verify = "--verify-audit " + root().string();
    ProgramRun run = runOrvane(verify);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "All 5 records of the audit trail are intact")) << run.output;

    const auto tamper = [this](const std::string& sql) {
        const std::string command = "sqlite3 '" + (root() / "C/Orvane/Serion/database/worklist.mdb").string() + "' \"" + sql + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    };
    const struct {
        std::string tampering, undoing, told;
    } cases[] = {
        {"UPDATE audit_tbl SET NewValue = NewValue || '!' WHERE Sequence = 3;",
         "UPDATE audit_tbl SET NewValue = rtrim(NewValue, '!') WHERE Sequence = 3;",
         "record 3 was changed after it was written"},
        {"INSERT INTO audit_tbl SELECT * FROM audit_tbl WHERE Sequence = 2;",
         "DELETE FROM audit_tbl WHERE rowid = (SELECT max(rowid) FROM audit_tbl);", "record 2 was inserted afterwards"},
        {"DELETE FROM audit_tbl WHERE Sequence = 4;", "", "record 4 was removed"},
    };
    for (const auto& tampered : cases) {
        tamper(tampered.tampering);
        run = runOrvane(verify);
        EXPECT_EQ(run.exitCode, 1) << tampered.tampering;
        EXPECT_TRUE(contains(run, "The audit trail is broken: " + tampered.told)) << run.output;
        if (!tampered.undoing.empty())
            tamper(tampered.undoing);
    }
    EXPECT_EQ(runOrvane("--verify-audit " + (temp.path() / "nowhere").string()).exitCode, 1);
}

} // namespace
