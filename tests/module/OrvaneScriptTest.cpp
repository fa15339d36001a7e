// The module in the real orvane program, driven by a script as a user would drive it.
#include "support/OrvaneProgram.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OrvaneScript, UserOpensTheSerionWindowLooksAtItClosesItAndFindsBothLogbookEntries)
{
    TempRoot temp;
    WriteFileBytes(temp.path() / "test.script", "FIARUNNER\n"
                                                "WaitWindow \"Run Serion Methods\"\n"
                                                "Snapshot \"Run Serion Methods\"\n"
                                                "MenuCommand \"Run Serion Methods\", 2\n"
                                                "WaitNoWindow \"Run Serion Methods\"\n"
                                                "FIARUNNER\n"
                                                "Key \"Run Serion Methods\", \"Escape\"\n"
                                                "WaitNoWindow \"Run Serion Methods\"\n");
    const ProgramRun run =
        runOrvane("--root " + (temp.path() / "root").string() + " --script " + (temp.path() / "test.script").string());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::size_t snapshotStart = run.output.find("> Snapshot");
    const std::size_t snapshotEnd = run.output.find("> MenuCommand");
    ASSERT_LT(snapshotStart, snapshotEnd) << run.output;
    const std::string snapshot = run.output.substr(snapshotStart, snapshotEnd - snapshotStart);
    for (const char* shown : {"Run Serion Methods", "Button 33001 \"&Run\"", "Button 33002 \"&Pause\"", "Button 33003 \"&Stop\"",
                              "Static -1 \"Select the gr&oup you want to run:\""})
        EXPECT_NE(snapshot.find(shown), std::string::npos) << shown << " is not in the snapshot\n" << snapshot;

    // Shown by the host as they arrive, and kept in the root's logbook file.
    const std::string opened = "Serion: Open Serion Window.";
    const std::string closed = "Serion: Serion Window Closed.";
    for (const std::string& logbook : {run.output, ReadFileBytes(temp.path() / "root" / "logbook.txt")}) {
        const std::size_t firstOpen = logbook.find(opened);
        const std::size_t firstClose = logbook.find(closed, firstOpen);
        const std::size_t secondOpen = logbook.find(opened, firstClose);
        const std::size_t secondClose = logbook.find(closed, secondOpen);
        EXPECT_LT(firstOpen, firstClose) << logbook;
        EXPECT_LT(firstClose, secondOpen) << logbook;
        EXPECT_NE(secondClose, std::string::npos) << logbook;
    }
}

TEST(OrvaneScript, AScriptRunsTheDemoGroupAndChecksEveryRowAndTheShutDownCommand)
{
    TempRoot temp;
    const std::string root = (temp.path() / "root").string();
    ASSERT_EQ(runOrvane("--root " + root + " --init --demo").exitCode, 0);
    WriteFileBytes(temp.path() / "run.script", "FIARUNNER\n"
                                               "WaitWindow \"Run Serion Methods\"\n"
                                               "Select \"Run Serion Methods\", 19005, \"STANDBY\"\n"
                                               "Click \"Run Serion Methods\", 33001\n"
                                               "Wait 120\n"
                                               "ExpectItemState \"Run Serion Methods\", 19001, 0, 3\n"
                                               "ExpectItemState \"Run Serion Methods\", 19001, 1, 4\n"
                                               "ExpectItemState \"Run Serion Methods\", 19001, 2, 3\n"
                                               "ExpectItemState \"Run Serion Methods\", 19001, 3, 3\n"
                                               "ExpectVar _METHODON, 0\n");
    const ProgramRun run = runOrvane("--root " + root + " --script " + (temp.path() / "run.script").string());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Serion: Serion start group Nitrates."), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Instrument: Standby."), std::string::npos) << run.output;
    EXPECT_NE(ReadFileBytes(temp.path() / "root" / "C" / "SRNA.LOG").find("RunPostGroup: STANDBY"), std::string::npos);
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
        EXPECT_NE(run.output.find("Instrument: Standby."), std::string::npos) << "the group ran to its end\n"
                                                                               << run.output;
    }
}

} // namespace
