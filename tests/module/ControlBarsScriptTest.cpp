// The tool bar and the status bar in the real orvane program, checked by a script as a user sees
// them: the status follows a method that the user runs by hand at the host's command line.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ProgramRun runScript(const TempRoot& temp, const std::string& script)
{
    WriteFileBytes(temp.path() / "test.script", script);
    return runOrvane("--root " + (temp.path() / "root").string() + " --script " + (temp.path() / "test.script").string());
}

TEST(ControlBarsScript, TheStatusTurnsBlueWithTheMethodRunByHandAndBackWhenItEnds)
{
    TempRoot temp;
    const ProgramRun run = runScript(temp, "FIARUNNER\n"
                                           "WaitWindow \"Run Serion Methods\"\n"
                                           "ExpectPane \"Run Serion Methods\", 0, \"  Serion FIA \"\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Idle\"\n"
                                           "ExpectPane \"Run Serion Methods\", 2, \"\"\n"
                                           "ExpectTip \"Run Serion Methods\", 32773, \"New Group\"\n"
                                           "ExpectTip \"Run Serion Methods\", 32778, \"Uncheck All\"\n"
                                           "ExpectTip \"Run Serion Methods\", 9, \"\"\n"
                                           "_METHFILE$ = \"NITRATE.M\"\n"
                                           "RUNMETHOD\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Run NITRATE.M\"\n"
                                           "Snapshot \"Run Serion Methods\"\n"
                                           "Wait 30\n"
                                           "ExpectVar _METHODON, 0\n"
                                           "ExpectPane \"Run Serion Methods\", 1, \" Idle\"\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    // Blue (0xFF0000 as Windows writes colours) with white text while the method runs.
    EXPECT_NE(run.output.find("1: \" Run NITRATE.M\" in #FFFFFF on #0000FF"), std::string::npos) << run.output;
}

TEST(ControlBarsScript, AGreyedButtonAndAWrongTipOrPaneFailTheScriptWithTheReason)
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

} // namespace
