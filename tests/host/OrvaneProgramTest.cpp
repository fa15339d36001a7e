// orvane run as a user runs it: scripts with their exit codes and reports, and line mode.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

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

TEST_F(OrvaneProgram, AScriptExitsZeroWhenEveryLinePassesOnTheVirtualClockAndOneWithTheFailingLineAndWhy)
{
    // The first script installs the root and runs a method; the others fail an expectation, with the
    // host's snapshot, or a wait after its virtual seconds.
    const struct {
        std::string script;
        int exitCode;
        std::vector<std::string> shown;
    } cases[] = {
        {"Print \"hello from the script\"\nWaitWindow \"Orvane\"\nExpectVar _METHODON, 0\n_METHFILE$ = \"NITRATE.M\"\n"
         "_DATAFILE$ = \"N1.d\"\nRUNMETHOD\nExpectVar _METHODON, 1\nExpectVar ACQSTATUS$, RUN\nWait 600\nExpectVar _METHODON, 0\n"
         "MenuState \"Automation\", \"Serion Methods...\", \"Insensitive/Checked\"\nSnapshot \"Orvane\"\n",
         0,
         {"Installed Orvane in ", "\nhello from the script\n", "Method NITRATE.M complete.",
          "menu \"Automation\" > \"Serion Methods...\" greyed checked\n"}},
        {"Print \"before\"\nExpectVar _OFFLINE, 1\nPrint \"never\"\n", 1,
         {"Script failed at line 2: ExpectVar _OFFLINE, 1\n", "Reason: the host variable _OFFLINE is \"0\", expected \"1\"\n",
          "Window \"Orvane\""}},
        {"WaitWindow \"ProgramRun Serion Methods\", 5\n", 1,
         {"Reason: no window \"ProgramRun Serion Methods\" appeared within 5 seconds"}},
        {"WaitNoWindow \"Orvane\"\n", 1, {"Reason: the window \"Orvane\" is still there within 30 seconds"}},
    };
    for (const auto& [script, exitCode, shown] : cases) {
        const ProgramRun run = runScript(script);
        EXPECT_EQ(run.exitCode, exitCode) << run.output;
        for (const std::string& text : shown)
            EXPECT_TRUE(contains(run, text)) << text << " in\n" << run.output;
        EXPECT_FALSE(contains(run, "never")) << run.output;
    }
    EXPECT_TRUE(std::filesystem::exists(root() / "C/Orvane/Data/N1.d/RUN.LOG"));
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

TEST_F(OrvaneProgram, LineModeRunsTypedLinesShowsErrorsAndIgnoresFiaRunnerTypedWhileTheWindowsOpeningErrorIsUp)
{
    WriteFileBytes(temp.path() / "input", "Print \"hello\"\nN = 2 + 3\nPrint N\nFOO 1\nClick \"Nowhere\", 1\nSnapshot \"Nowhere\"\nPrint \"end\"\n"
                                          "_AUTOMSPATH$ = \"C:\\nope\\\"\nFIARUNNER\nFIARUNNER\nClick \"Serion\", 1\nPrint \"after\"\n");
    const ProgramRun run = runOrvane("--root " + root().string() + " --no-tui", temp.path() / "input");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "\nhello\n5\nError: Unknown command: FOO\nError: no visible window \"Nowhere\"\nError: no visible window \"Nowhere\"\nend\n"))
        << run.output;
    EXPECT_TRUE(contains(run, "\nafter\n")) << run.output;
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

TEST_F(OrvaneProgram, VerifyAuditNamesTheRecordChangedRemovedInsertedOrMissingFromTheAnchoredEnd)
{
    ASSERT_EQ(runOrvane("--root " + root().string() + " --init --demo").exitCode, 0);
    // The run's end anchors the trail's newest record in the logbook and the head file.
    ASSERT_EQ(runScript("FIARUNNER\nWaitWindow \"Run Serion Methods\"\nClick \"Run Serion Methods\", 33001\nWait 600\n"
                        "ExpectPane \"Run Serion Methods\", 1, \" Idle\"\n").exitCode, 0);
    const std::filesystem::path database = root() / "C/Orvane/Serion/database";
    const std::string head = ReadFileBytes(database / "worklist.head");
    std::smatch anchor;
    ASSERT_TRUE(std::regex_match(head, anchor, std::regex("(\\S+ \\S+) (Audit trail anchored at record (\\d+), hash [0-9a-f]{64})\r\n")))
        << head;
    const std::string time = anchor[1], anchored = anchor[2];
    const int last = std::stoi(anchor[3]);
    EXPECT_TRUE(ReadFileBytes(root() / "logbook.txt").find("Serion: " + anchored + "\n") != std::string::npos);
    const std::string verify = "--verify-audit " + root().string();
    ProgramRun run = runOrvane(verify);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(contains(run, "All " + std::to_string(last) + " records of the audit trail are intact")) << run.output;

    const auto sqlite = [&database](const std::string& sql) {
        const std::string command = "sqlite3 '" + (database / "worklist.mdb").string() + "' \"" + sql + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    };
    sqlite("CREATE TABLE kept AS SELECT * FROM audit_tbl;");
    const std::string lastText = std::to_string(last);
    const struct {
        std::string tampering, told;
    } cases[] = {
        {"UPDATE audit_tbl SET NewValue = NewValue || '!' WHERE Sequence = 3;", "record 3 was changed after it was written"},
        {"INSERT INTO audit_tbl SELECT * FROM audit_tbl WHERE Sequence = 2;", "record 2 was inserted afterwards"},
        {"INSERT INTO audit_tbl SELECT * FROM audit_tbl WHERE Sequence = " + lastText + ";",
         "record " + lastText + " was inserted afterwards"},
        {"DELETE FROM audit_tbl WHERE Sequence = 4;", "record 4 was removed"},
        {"DELETE FROM audit_tbl WHERE Sequence = " + lastText + ";",
         "record " + lastText + ", anchored at " + time + ", is missing"},
        {"DELETE FROM audit_tbl WHERE Sequence > " + std::to_string(last - 3) + ";",
         "records " + std::to_string(last - 2) + " to " + lastText + ", anchored at " + time + ", are missing"},
        {"DELETE FROM audit_tbl;", "records 1 to " + lastText + ", anchored at " + time + ", are missing"},
        {"DROP TABLE audit_tbl;", "records 1 to " + lastText + ", anchored at " + time + ", are missing"},
    };
    for (const auto& tampered : cases) {
        sqlite(tampered.tampering);
        run = runOrvane(verify);
        EXPECT_EQ(run.exitCode, 1) << tampered.tampering;
        EXPECT_TRUE(contains(run, "The audit trail is broken: " + tampered.told)) << run.output;
        sqlite("DROP TABLE IF EXISTS audit_tbl; CREATE TABLE audit_tbl AS SELECT * FROM kept;");
    }
    // Without the head file the logbook's anchor still tells the cut.
    std::filesystem::remove(database / "worklist.head");
    sqlite("DELETE FROM audit_tbl WHERE Sequence = " + lastText + ";");
    run = runOrvane(verify);
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_TRUE(contains(run, "record " + lastText + ", anchored at ")) << run.output;
    EXPECT_EQ(runOrvane("--verify-audit " + (temp.path() / "nowhere").string()).exitCode, 1);
}

} // namespace
