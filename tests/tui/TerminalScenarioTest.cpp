// orvane in a real terminal: tmux runs it on a fresh root, keys are typed, the screen is read back
// and after quitting the terminal is as it was.
#include "TmuxSession.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <utility>

#include <unistd.h>

namespace {

// The cell (column, row) where text starts on the captured screen; columns count characters.
std::optional<std::pair<int, int>> cellOf(const std::string& screen, const std::string& text)
{
    int row = 0;
    std::size_t lineStart = 0;
    while (lineStart <= screen.size()) {
        const std::size_t lineEnd = std::min(screen.find('\n', lineStart), screen.size());
        const std::string line = screen.substr(lineStart, lineEnd - lineStart);
        if (const auto at = line.find(text); at != std::string::npos) {
            // UTF-8 continuation bytes do not start a character.
            const auto column = std::count_if(line.begin(), line.begin() + static_cast<long>(at),
                                              [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; });
            return std::pair<int, int>{static_cast<int>(column), row};
        }
        lineStart = lineEnd + 1;
        ++row;
    }
    return std::nullopt;
}

// The line of the captured screen that holds text; empty when none does.
std::string lineWith(const std::string& screen, const std::string& text)
{
    const auto at = screen.find(text);
    if (at == std::string::npos)
        return {};
    const auto start = screen.rfind('\n', at);
    const auto end = screen.find('\n', at);
    return screen.substr(start == std::string::npos ? 0 : start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

// What sqlite3 prints for a query of the root's worklist.
std::string queryWorklist(const std::string& root, const std::string& sql)
{
    const std::string command = "sqlite3 '" + root + "/C/Orvane/Serion/database/worklist.mdb' '" + sql + "'";
    std::string printed;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            printed += buffer;
        pclose(pipe);
    }
    return printed;
}

// A click in the middle of text on the screen; false when the screen does not show it.
bool clickOn(TmuxSession& session, const std::string& text, int offset = 0)
{
    const auto cell = cellOf(session.capture(), text);
    if (cell)
        session.click(cell->first + offset, cell->second);
    return cell.has_value();
}

// The shell command that installs a fresh root with initOptions and runs orvane on it in the terminal.
std::string orvaneOnFreshRoot(const std::string& root, const std::string& initOptions)
{
    return std::string(ORVANE_PROGRAM_PATH) + " --root '" + root + "' " + initOptions + " && " + ORVANE_PROGRAM_PATH +
           " --tui --root '" + root + "'; exec sleep 120";
}

// Once the host shows, FIARUNNER at its command line opens the Serion window.
void openSerionWindow(TmuxSession& session)
{
    ASSERT_TRUE(session.waitFor("F10 Menu"));
    session.type("FIARUNNER");
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "Run Serion Methods"));
}

// Polls until the screen's line holding text also holds part.
testing::AssertionResult waitForLine(const TmuxSession& session, const std::string& text, const std::string& part)
{
    return session.waitUntil([&](const std::string& screen) { return lineWith(screen, text).find(part) != std::string::npos; })
           << "awaited \"" << part << "\" on the line of \"" << text << "\"";
}

// Each scenario has a temporary folder of its own, with the root orvane runs on inside it.
class TerminalScenario : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TmuxSession::available()) << "tmux is needed (make deps installs it)"; }

    TempRoot temp;
    const std::string root = (temp.path() / "root").string();
};

TEST_F(TerminalScenario, CommandLineDialogAndQuitInARealTerminal)
{
    // After orvane ends the shell reports its exit code and whether the terminal is back in its
    // ordinary (canonical, echoing) mode, then waits to be read.
    TmuxSession session(std::string(ORVANE_PROGRAM_PATH) + " --tui --root '" + root + "'; echo \"orvane ended $?\"; " +
                            "stty -a | grep -q -- '-icanon' && echo 'terminal left raw' || echo 'terminal restored'; " +
                            "exec sleep 120",
                        80, 30);
    ASSERT_TRUE(session.waitFor("F10 Menu"));
    session.type("Print \"hello from the terminal\"");
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "hello from the terminal"));

    // The module's window, opened from the command line: it takes the keys, so Escape closes it.
    session.type("FIARUNNER");
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "Run Serion Methods"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Run Serion Methods"));
    ASSERT_TRUE(session.waitFor("Serion Window Closed."));

    // A modal window: the keys' message box, closed with Escape.
    ASSERT_TRUE(session.pressThenWaitFor({"F1"}, "Terminal keys"));
    EXPECT_NE(session.capture().find("OK"), std::string::npos) << session.capture();
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Terminal keys"));

    session.type("Exit");
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "orvane ended 0"));
    ASSERT_TRUE(session.waitFor("terminal restored"));
    EXPECT_EQ(session.capture().find("F10 Menu"), std::string::npos) << session.capture();
}

TEST_F(TerminalScenario, TheDemoGroupAtEightyByTwentyFourChecksRowsWithMouseAndKeysAndEditsAComment)
{
    TmuxSession session(orvaneOnFreshRoot(root, "--init --demo"), 80, 24);
    ASSERT_NO_FATAL_FAILURE(openSerionWindow(session));
    // The whole window fits: its run buttons and its bottom frame are on the screen.
    const std::string opened = session.capture();
    for (const char* shown : {"Run", "Stop", "\u255a"})
        EXPECT_NE(opened.find(shown), std::string::npos) << opened;
    EXPECT_NE(lineWith(opened, "NITRATE.M").find("\u2612"), std::string::npos) << opened;

    // A comment cut by its column: where the mouse rests, a tip shows it whole.
    const auto comment = cellOf(opened, "Fails: the pump");
    ASSERT_TRUE(comment) << opened;
    EXPECT_EQ(opened.find("the row's message"), std::string::npos) << opened;
    session.hover(comment->first + 2, comment->second);
    ASSERT_TRUE(session.waitFor("the row's message"));
    session.hover(comment->first + 2, comment->second + 5);
    ASSERT_TRUE(session.waitUntilGone("the row's message"));

    // A click on the first row's state image unchecks it.
    ASSERT_TRUE(clickOn(session, "\u2612"));
    ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u2610"));

    // Keys: Down reaches the first row, Space checks it again, Enter opens its properties.
    session.press({"Down", "Space"});
    ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u2612"));
    // Right scrolls the list by whole columns to the columns of the rows' runs, Left back.
    ASSERT_TRUE(session.pressThenWaitFor({"Right", "Right", "Right"}, "Duration"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Left", "Left", "Left"}, "Duration"));
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "Properties"));
    // Tab selects the comment's text; End keeps it and adds to it.
    session.press({"Tab", "Tab", "Tab", "End"});
    session.type(" near the weir");
    ASSERT_TRUE(clickOn(session, "OK")) << session.capture();
    ASSERT_TRUE(session.waitUntilGone("Properties"));
    ASSERT_TRUE(waitForLine(session, "NITRATE.M", "River inlet near the weir"));

    // The change is in the database.
    EXPECT_EQ(queryWorklist(root, "SELECT Comments FROM Nitrates WHERE aaaID = 0"), "River inlet near the weir\n");

    // The audit trail fits with all its buttons, its times whole without their year; Enter on a
    // record shows its whole text.
    ASSERT_TRUE(session.pressThenWaitFor({"M-f", "t"}, "Verify"));
    const std::string trail = session.capture();
    for (const char* shown : {"Audit Trail", "Export", "Close", "3 of 3 records shown"})
        EXPECT_NE(trail.find(shown), std::string::npos) << shown << "\n" << trail;
    const std::string newest = lineWith(trail, "Comments edited");
    EXPECT_TRUE(std::regex_search(newest, std::regex(" [0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} *\u2502"))) << trail;
    ASSERT_TRUE(clickOn(session, "Comments edited"));
    ASSERT_TRUE(session.pressThenWaitFor({"Enter"}, "Audit record"));
    EXPECT_NE(session.capture().find("New value: River inlet near the weir"), std::string::npos) << session.capture();
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Audit record"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Verify"));

    // The QC rules fit with all their fields and buttons.
    ASSERT_TRUE(session.pressThenWaitFor({"M-g", "r", "M-d"}, "Rerun once"));
    const std::string rules = session.capture();
    for (const char* shown : {"Rules of group Nitrates", "Calibration group:", "Add", "Remove", "OK", "Cancel"})
        EXPECT_NE(rules.find(shown), std::string::npos) << shown << "\n" << rules;
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Rerun once"));

    // At 120 x 40 the columns show their whole values, the time with its year; the new value has
    // what they leave.
    session.resize(120, 40);
    ASSERT_TRUE(session.pressThenWaitFor({"M-f", "t"}, "Verify"));
    const std::string wide = lineWith(session.capture(), "Comments edited");
    EXPECT_TRUE(std::regex_search(wide, std::regex(" [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} *\u2502"))) << wide;
    EXPECT_NE(wide.find("\u2502Row 1 Comments edited in Properties\u2502River inlet\u2502River inlet"), std::string::npos) << wide;
    session.press({"C-q"});
}

TEST_F(TerminalScenario, TheSerionWindowsBarsTipsShortcutsAndStatusAtEightyByTwentyFour)
{
    TmuxSession session(orvaneOnFreshRoot(root, "--init --demo"), 80, 24);
    ASSERT_NO_FATAL_FAILURE(openSerionWindow(session));
    // The tool bar's pictures under the menu, the logo and the instrument's status at the bottom.
    ASSERT_TRUE(session.waitFor("G+"));
    ASSERT_TRUE(session.waitFor("Serion FIA"));
    ASSERT_TRUE(session.waitFor(" Idle"));
    const std::string screen = session.capture();
    const auto newGroup = cellOf(screen, "G+");
    const auto menu = cellOf(screen, "File");
    const auto status = cellOf(screen, "Idle");
    ASSERT_TRUE(newGroup && menu && status) << screen;
    EXPECT_EQ(newGroup->second, menu->second + 1) << "the tool bar lies right under the menu\n" << screen;
    EXPECT_GT(status->second, newGroup->second + 5) << screen;

    // Where the mouse rests on a button its tip shows; off the button, the tip goes.
    session.hover(newGroup->first, newGroup->second);
    ASSERT_TRUE(session.waitFor("New Group"));
    session.hover(newGroup->first, newGroup->second + 4);
    ASSERT_TRUE(session.waitUntilGone("New Group"));

    // With the keyboard: F8 gives the keys to the tool bar, the arrows move along its buttons.
    ASSERT_TRUE(session.pressThenWaitFor({"F8"}, "New Group"));
    ASSERT_TRUE(session.pressThenWaitFor({"Right"}, "Delete Group"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Delete Group"));
    EXPECT_NE(session.capture().find("Run Serion Methods"), std::string::npos) << "Escape left the bar, not the window";

    // The terminal sends Ctrl+Alt+letter as Escape and the control character.
    ASSERT_TRUE(session.pressThenWaitFor({"C-M-d"}, "Are you sure you want to delete the group"));
    ASSERT_TRUE(clickOn(session, "No"));
    ASSERT_TRUE(session.waitUntilGone("Are you sure"));
    ASSERT_TRUE(session.pressThenWaitFor({"C-M-n"}, "Autoname Data files"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Autoname Data files"));
    ASSERT_TRUE(session.pressThenWaitFor({"C-M-a"}, "Add Group"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Add Group"));
    EXPECT_NE(session.capture().find("Nitrates"), std::string::npos) << "the group is kept";

    // A terminal sends Ctrl+J as a line feed, not Enter: it does not press Run. Ctrl+M comes as
    // Enter itself, so it is F2 then M, as the menu says.
    session.press({"M-o", "C-j", "M-m"});
    ASSERT_TRUE(waitForLine(session, "Add Method...", "F2 M"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "F2 M"));
    ASSERT_TRUE(session.pressThenWaitFor({"M-o", "F2", "m"}, "Add Method(s)"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Add Method(s)"));
    EXPECT_EQ(queryWorklist(root, "SELECT count(*) FROM Nitrates WHERE \"Run State\" > 1"), "0\n") << "no row ran";

    // F10 opens the window's own menu, not the host's: the arrows and a letter choose Check All.
    // Ctrl+A alone checks every row again too.
    for (const std::vector<std::string>& checkAll : {std::vector<std::string>{"F10", "Right", "Right", "c"}, {"C-a"}}) {
        ASSERT_TRUE(clickOn(session, "\u2612"));
        ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u2610"));
        session.press(checkAll);
        ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u2612"));
    }

    // The first method runs for 20 seconds: long enough to read the bar, whole, while it runs.
    ASSERT_TRUE(session.pressThenWaitFor({"M-r"}, "Run NITRATE.M"));
    session.press({"M-p"});
    ASSERT_TRUE(waitForLine(session, "Serion FIA", "Run NITRATE.M  Paused: the next method waits for Run."));
    // Ctrl+Q while the window has the keys: it stays, and the command line shows why.
    ASSERT_TRUE(session.pressThenWaitFor({"C-q"}, "Orvane keeps running: the window \"Run Serion Methods\" did not close."));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"F6"}, "Orvane keeps running"));
    session.press({"M-s"});
    ASSERT_TRUE(waitForLine(session, "Serion FIA", "Idle"));
    session.press({"C-q"});
}

// The shell command that runs orvane on a fresh demo root whose methods run for a second each (the
// last row's PHOSPHATE.M for lastSeconds), on the real clock, and says how orvane ended.
std::string orvaneOnQuickDemo(const std::string& root, int lastSeconds = 1)
{
    const std::string shorten = "for f in '" + root + "'/C/Orvane/Methods/*/SIMULATE.INI; do " +
                                "sed -i 's/^RunTime=.*/RunTime=1/' \"$f\"; done; sed -i 's/^RunTime=.*/RunTime=" +
                                std::to_string(lastSeconds) + "/' '" + root + "/C/Orvane/Methods/PHOSPHATE.M/SIMULATE.INI'";
    return std::string(ORVANE_PROGRAM_PATH) + " --root '" + root + "' --init --demo && " + shorten + " && " +
           ORVANE_PROGRAM_PATH + " --tui --root '" + root + "'; echo \"orvane ended $?\"; exec sleep 120";
}

// Opens the Serion window and starts its group with Run, until the first row runs.
void runTheDemoGroup(TmuxSession& session)
{
    ASSERT_NO_FATAL_FAILURE(openSerionWindow(session));
    session.press({"M-r"});
    ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u25b6"));
}
TEST_F(TerminalScenario, ClosingTheTerminalDuringARunLetsTheGroupEndThenOrvaneEndsAsByCtrlQ)
{
    {
        TmuxSession session(orvaneOnQuickDemo(root), 80, 24);
        ASSERT_NO_FATAL_FAILURE(runTheDemoGroup(session));
    }
    // The terminal is gone (SIGHUP); orvane finishes the group and closes the window on its way
    // out. Every row ran: none is left checked (1) or running (2). The database may be busy while
    // orvane ends, so it is asked again until it answers.
    const auto closed = [this] {
        return ReadFileBytes(std::filesystem::path(root) / "logbook.txt").find("Serion Window Closed.") != std::string::npos;
    };
    const std::string notRun = "SELECT count(*) FROM Nitrates WHERE \"Run State\" IN (1, 2)";
    for (int attempt = 0; attempt < 200 && !(closed() && queryWorklist(root, notRun) == "0\n"); ++attempt)
        usleep(50 * 1000);
    EXPECT_TRUE(closed()) << ReadFileBytes(std::filesystem::path(root) / "logbook.txt");
    EXPECT_EQ(queryWorklist(root, notRun), "0\n");
}

TEST_F(TerminalScenario, ANewUserAddsAGroupAndMethodsNamesTheDataFilesAndReadsTheHelp)
{
    TmuxSession session(orvaneOnFreshRoot(root, "--init"), 80, 24);
    ASSERT_NO_FATAL_FAILURE(openSerionWindow(session));

    // Group > Add...: the new group is the shown one.
    ASSERT_TRUE(session.pressThenWaitFor({"M-g", "Enter"}, "Add Group"));
    session.type("Silicates");
    session.press({"Enter"});
    ASSERT_TRUE(waitForLine(session, "Select the group", "Silicates"));

    // Method > Add Method...: seven methods in a list six rows high, the seventh heading the second
    // column; the list tells FIA methods from the others, and the FIA table's column titles keep a
    // divider between them.
    ASSERT_TRUE(session.pressThenWaitFor({"M-m", "Enter"}, "Add Method(s)"));
    const std::string listed = session.capture();
    const auto first = cellOf(listed, "ABORTED.M");
    const auto sixth = cellOf(listed, "NOTREADY.M");
    const auto last = cellOf(listed, "PHOSPHATE.M");
    const auto leak = cellOf(listed, "LEAK.M");
    ASSERT_TRUE(first && sixth && last && leak) << listed;
    EXPECT_EQ(sixth->first, first->first) << listed;
    EXPECT_EQ(sixth->second, first->second + 5) << listed;
    EXPECT_EQ(last->second, first->second) << listed;
    EXPECT_GT(last->first, first->first + 10) << listed;
    EXPECT_NE(lineWith(listed, "NITRATE.M").find("FI NITRATE.M"), std::string::npos) << listed;
    EXPECT_NE(lineWith(listed, "BLANK.M").find("\u00b7\u00b7 BLANK.M"), std::string::npos) << listed;
    EXPECT_NE(lineWith(listed, "FIA Sample Name").find("\u2502FIA Sample Name"), std::string::npos) << listed;
    // A click, a Ctrl+click (the details follow the method changed last), then a plain click: that
    // method alone is chosen, and two samples of it are added.
    session.click(last->first, last->second);
    ASSERT_TRUE(session.waitFor("Lake outlet"));
    session.controlClick(leak->first, leak->second);
    ASSERT_TRUE(session.waitFor("Well 4"));
    ASSERT_TRUE(clickOn(session, "NITRATE.M", 2)) << session.capture();
    ASSERT_TRUE(waitForLine(session, "Vial 3", "River inlet"));
    EXPECT_NE(lineWith(session.capture(), "Vial 3").find("2"), std::string::npos) << session.capture();
    EXPECT_NE(lineWith(session.capture(), "Vial 1").find("Standard 1"), std::string::npos) << session.capture();
    session.press({"M-s", "Up"});
    ASSERT_TRUE(waitForLine(session, "sample(s)", " 2 "));
    ASSERT_TRUE(clickOn(session, "<    OK    >", 6)) << session.capture();
    ASSERT_TRUE(session.waitUntilGone("Add Method(s)"));

    // Group > Autoname...: its help, then new names for both rows.
    ASSERT_TRUE(session.pressThenWaitFor({"M-g", "n"}, "Autoname Data files"));
    session.press({"M-p"});
    session.type("SIL");
    session.press({"M-c"});
    session.type("5");
    ASSERT_TRUE(clickOn(session, "[   Help", 5)) << session.capture();
    ASSERT_TRUE(session.waitFor("Orvane Help"));
    ASSERT_TRUE(session.waitFor("This window names the data files"));
    ASSERT_TRUE(session.pressThenWaitUntilGone({"Escape"}, "Orvane Help"));
    ASSERT_TRUE(clickOn(session, "<    OK", 6)) << session.capture();
    ASSERT_TRUE(session.waitFor("SIL0000000006.d"));

    // F1 on the main window: its topic scrolls by a page and the close box closes it.
    ASSERT_TRUE(session.pressThenWaitFor({"F1"}, "This window runs your FIA methods"));
    EXPECT_EQ(session.capture().find("\u25b2"), std::string::npos) << "nothing above yet";
    ASSERT_TRUE(session.pressThenWaitUntilGone({"PageDown"}, "This window runs your FIA methods"));
    const std::string scrolled = session.capture();
    EXPECT_NE(lineWith(scrolled, "Orvane Help").find("[\u00d7]"), std::string::npos) << scrolled;
    EXPECT_NE(scrolled.find("\u25b2"), std::string::npos) << "more above" << scrolled;
    const auto title = cellOf(scrolled, "Orvane Help");
    const auto closeBox = cellOf(lineWith(scrolled, "Orvane Help"), "[\u00d7]");
    ASSERT_TRUE(title && closeBox) << scrolled;
    session.click(closeBox->first + 1, title->second);
    ASSERT_TRUE(session.waitUntilGone("Orvane Help"));

    EXPECT_EQ(queryWorklist(root, "SELECT \"Method Name\", \"Data File\" FROM Silicates ORDER BY aaaID"),
              "NITRATE.M|SIL0000000005.d\nNITRATE.M|SIL0000000006.d\n");
    session.press({"C-q"});
}

TEST_F(TerminalScenario, OrvaneKilledDuringARunShowsTheInterruptedRowWhenStartedAgainAndContinueEndsTheGroup)
{
    const std::string pidFile = (temp.path() / "orvane.pid").string();
    const std::string restart = (temp.path() / "restart").string();
    const std::string orvane = ORVANE_PROGRAM_PATH;
    // NITRATE.M keeps its 20 seconds, long enough to be killed while it runs; the first orvane
    // leaves its process id behind, and the second one starts once the test says so.
    const std::string shorten = "for f in '" + root + "'/C/Orvane/Methods/*/SIMULATE.INI; do case \"$f\" in " +
                                "*NITRATE.M*) ;; *) sed -i 's/^RunTime=.*/RunTime=1/' \"$f\";; esac; done";
    const std::string command = orvane + " --root '" + root + "' --init --demo && " + shorten + " && sh -c 'echo $$ > \"" +
                                pidFile + "\"; exec " + orvane + " --tui --root \"" + root + "\"'; while [ ! -e '" +
                                restart + "' ]; do sleep 0.1; done; " + orvane + " --tui --root '" + root +
                                "'; exec sleep 120";
    TmuxSession session(command, 80, 24);
    ASSERT_NO_FATAL_FAILURE(runTheDemoGroup(session));

    // The power fails: nothing of orvane's own runs on the way out.
    ASSERT_EQ(kill(static_cast<pid_t>(std::stol(ReadFileBytes(pidFile))), SIGKILL), 0);
    ASSERT_EQ(std::system(("sed -i 's/^RunTime=.*/RunTime=1/' '" + root + "/C/Orvane/Methods/NITRATE.M/SIMULATE.INI'").c_str()), 0);
    WriteFileBytes(restart, "");
    ASSERT_NO_FATAL_FAILURE(openSerionWindow(session));
    ASSERT_TRUE(waitForLine(session, "NITRATE.M", "\u21bb"));
    EXPECT_TRUE(session.waitFor("Interrupted at row 1: Group > Continue")) << "whole at 80 x 24";

    // Group > Continue runs the interrupted row again and the rows after it.
    session.press({"M-g"});
    session.type("c");
    ASSERT_TRUE(waitForLine(session, "PHOSPHATE.M", "\u2713"));
    EXPECT_NE(lineWith(session.capture(), "NITRATE.M").find("\u2713"), std::string::npos) << session.capture();
    EXPECT_EQ(queryWorklist(root, "SELECT \"Run State\" FROM Nitrates ORDER BY aaaID"), "3\n4\n3\n3\n");
}

} // namespace
