// The module in the real orvane program, driven by a script as a user would drive it: its window,
// its tool bar and status bar, the time left of a run, and a script that ends or fails during a run.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gmock/gmock.h>

#include <regex>
#include <string>

namespace {

ProgramRun runScript(const TempRoot& temp, const std::string& script)
{
    WriteFileBytes(temp.path() / "test.script", script);
    return runOrvane("--root " + (temp.path() / "root").string() + " --script " + (temp.path() / "test.script").string());
}

// How each way of closing is logged is MainViewer's in-process check, how the host shows and keeps
// the entries HostTest's; here the script's commands meet the real window.
TEST(OrvaneScript, UserOpensTheSerionWindowWatchesItsStatusFollowAMethodRunByHandAndClosesItWithEscape)
{
    TempRoot temp;
    const ProgramRun run = runScript(temp, "FIARUNNER\n"
                                           "WaitWindow \"Run Serion Methods\"\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Idle\"\n"
                                           "ExpectTip \"Run Serion Methods\", 32773, \"New Group\"\n"
                                           "_METHFILE$ = \"NITRATE.M\"\n"
                                           "RUNMETHOD\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Run NITRATE.M\"\n"
                                           "Wait 30\n"
                                           "ExpectVar _METHODON, 0\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Idle\"\n"
                                           "Key \"Run Serion Methods\", \"Escape\"\n"
                                           "WaitNoWindow \"Run Serion Methods\"\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Serion: Serion Window Closed."), std::string::npos) << run.output;
}

TEST(OrvaneScript, AGreyedButtonAndAWrongTipOrPaneFailTheScriptWithTheReason)
{
    const struct {
        const char* line;
        const char* reason;
    } cases[] = {
        {"MenuCommand \"Run Serion Methods\", 32774", "Reason: tool bar button 32774 is greyed"},
        {"ExpectTip \"Run Serion Methods\", 32773, \"Add Group\"",
         "Reason: the tip of tool bar button 32773 of \"Run Serion Methods\" shows \"New Group\", expected \"Add Group\""},
        {"ExpectTip \"Run Serion Methods\", 33001, \"Run\"", "Reason: the window has no tool bar button 33001"},
        {"ExpectPane \"Run Serion Methods\", 4, \"\"", "Reason: the status bar has no pane 4 (it has 4)"},
    };
    for (const auto& c : cases) {
        TempRoot temp;
        const ProgramRun run =
            runScript(temp, std::string("FIARUNNER\nWaitWindow \"Run Serion Methods\"\n") + c.line + "\n");
        EXPECT_EQ(run.exitCode, 1) << c.line << "\n" << run.output;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << c.line << "\n" << run.output;
    }
}

TEST(OrvaneScript, AScriptThatEndsOrFailsDuringARunEndsOnceTheGroupHasEndedWithTheScriptsStatus)
{
    TempRoot temp;
    const std::string start = "FIARUNNER\n"
                              "WaitWindow \"Run Serion Methods\"\n"
                              "Select \"Run Serion Methods\", 19005, \"STANDBY\"\n"
                              "Click \"Run Serion Methods\", 33001\n";
    for (const auto& [ending, status] : {std::pair{"", 0}, std::pair{"ExpectVar _METHODON, 0\n", 1}}) {
        SCOPED_TRACE(ending);
        const std::string root = (temp.path() / ("root" + std::to_string(status))).string();
        ASSERT_EQ(runOrvane("--root " + root + " --init --demo").exitCode, 0);
        WriteFileBytes(temp.path() / "run.script", start + ending);
        const ProgramRun run = runOrvane("--root " + root + " --script " + (temp.path() / "run.script").string());
        EXPECT_EQ(run.exitCode, status) << run.output;
        EXPECT_NE(run.output.find("The script has ended: Orvane ends when the window closes."), std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("Serion: Serion start group Nitrates."), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Instrument: Standby."), std::string::npos) << "the group ran to its end\n"
                                                                               << run.output;
    }
}

TEST(OrvaneScript, TheDemosNightDriftsOutAndCorrectsItselfUnattendedAsTheGuideWalksThroughIt)
{
    // docs/running-a-worklist.md, "A worked night": a fresh start, Overnight chosen, Run.
    TempRoot temp;
    const std::string root = (temp.path() / "root").string();
    ASSERT_EQ(runOrvane("--root " + root + " --init --demo").exitCode, 0);
    WriteFileBytes(temp.path() / "night.script", "FIARUNNER\n"
                                                 "WaitWindow \"Run Serion Methods\"\n"
                                                 "Select \"Run Serion Methods\", 19006, \"Overnight\"\n"
                                                 "Click \"Run Serion Methods\", 33001\n"
                                                 "Wait 400\n"
                                                 "Snapshot \"Run Serion Methods\"\n");
    const ProgramRun run = runOrvane("--root " + root + " --script " + (temp.path() / "night.script").string());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const char* said : {"Serion group Overnight row 3 (PO4DRIFT.M) QC failed: Check standard: recovery 8",
                             "Serion group Overnight row 4 (PO4DRIFT.M) QC failed: Check standard: recovery 8",
                             "calibrate with Recalibration.", "Serion group Overnight goes on after its calibration."})
        EXPECT_NE(run.output.find(said), std::string::npos) << said << "\n" << run.output;
    // In the morning the list says which results to trust: its QC column, before the result.
    const char* flags[] = {"", "suspect", "failed", "failed", ""};
    for (int item = 0; item < 5; ++item)
        EXPECT_THAT(run.output, testing::ContainsRegex("item " + std::to_string(item) + " state=3[^\n]*\\| " +
                                                       flags[item] + " \\| Run complete\\."))
            << item;
}

TEST(OrvaneScript, TheTimeLeftSaysPausedCoversTheQueuesGroupsToComeAndIsComputedAfreshByContinue)
{
    // The demo group's four methods take 5 min each; the import adds group Later of one row, and
    // the queue runs Nitrates, then Later.
    TempRoot temp;
    const std::filesystem::path root = temp.path() / "root";
    ASSERT_EQ(runOrvane("--root " + root.string() + " --init --demo").exitCode, 0);
    for (const char* method : {"NITRATE", "LEAK", "BLANK", "PHOSPHATE"}) {
        const std::filesystem::path simulation = root / "C/Orvane/Methods" / (std::string(method) + ".M/SIMULATE.INI");
        WriteFileBytes(simulation, std::regex_replace(ReadFileBytes(simulation), std::regex("RunTime=\\d+"), "RunTime=300"));
    }
    WriteFileBytes(root / "C/later.csv", "method,data file\nBLANK.M,Later1.d\n");
    // At Wait 310 row 2 has run 10 s: 290 s are left of it, with two more rows and Later's. Stopped
    // 100 s into row 3 (14 min left then) and continued, row 3 counts whole again.
    const ProgramRun run = runScript(temp, R"(FIARUNNER
WaitWindow "Run Serion Methods"
MenuCommand "Run Serion Methods", 32786
SetText "Import Worklist", 19092, "C:\later.csv"
Click "Import Worklist", 19094
SetText "Import Worklist", 19095, "Later"
Click "Import Worklist", 1
Click "Import Worklist", 2
MenuCommand "Run Serion Methods", 32784
SelectItems "Run Queue", 19050, "1"
Click "Run Queue", 19051
ClickItem "Run Queue", 19050, 0, "state"
ClickItem "Run Queue", 19050, 1, "state"
Click "Run Queue", 1
Wait 310
Snapshot "Run Serion Methods"
Click "Run Serion Methods", 33002
Expect "Run Serion Methods", 19054, "2/4 · paused · 20 min left after Run"
Wait 300
Expect "Run Serion Methods", 19054, "2/4 · 1 failed · paused · 15 min left after Run"
Click "Run Serion Methods", 33001
Wait 100
Click "Run Serion Methods", 33003
Wait 10
MenuCommand "Run Serion Methods", 32782
Snapshot "Run Serion Methods"
)");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, testing::ContainsRegex("Static 19054 \"Row 2 of 4 - about 20 min left, ends [^\"]+\""));
    EXPECT_THAT(run.output, testing::ContainsRegex("Static 19054 \"3/4 \u00B7 1 failed \u00B7 15 min left \u00B7 ends [^\"]+\""));
}

} // namespace
