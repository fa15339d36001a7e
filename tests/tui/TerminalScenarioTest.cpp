// orvane in a real terminal: tmux runs it on a fresh root, keys are typed, the screen is read back
// and after quitting the terminal is as it was.
#include "TmuxSession.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

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

TEST(TerminalScenario, CommandLineDialogAndQuitInARealTerminal)
{
    ASSERT_TRUE(TmuxSession::available()) << "tmux is needed (make deps installs it)";
    TempRoot temp;
    const std::string root = (temp.path() / "root").string();
    // After orvane ends the shell reports its exit code and whether the terminal is back in its
    // ordinary (canonical, echoing) mode, then waits to be read.
    TmuxSession session(std::string(ORVANE_PROGRAM_PATH) + " --tui --root '" + root + "'; echo \"orvane ended $?\"; " +
                            "stty -a | grep -q -- '-icanon' && echo 'terminal left raw' || echo 'terminal restored'; " +
                            "exec sleep 120",
                        80, 30);
    ASSERT_TRUE(session.waitFor("F10 Menu")) << session.capture();

    session.type("Print \"hello from the terminal\"");
    session.press({"Enter"});
    ASSERT_TRUE(session.waitFor("hello from the terminal")) << session.capture();

    // The module's window, opened from the command line: it takes the keys, so Escape closes it.
    session.type("FIARUNNER");
    session.press({"Enter"});
    ASSERT_TRUE(session.waitFor("Run Serion Methods")) << session.capture();
    session.press({"Escape"});
    ASSERT_TRUE(session.waitUntilGone("Run Serion Methods")) << session.capture();
    ASSERT_TRUE(session.waitFor("Serion Window Closed.")) << session.capture();

    // A modal window: the keys' message box, closed with Escape.
    session.press({"F1"});
    ASSERT_TRUE(session.waitFor("Terminal keys")) << session.capture();
    const std::string withBox = session.capture();
    EXPECT_NE(withBox.find("OK"), std::string::npos) << withBox;
    session.press({"Escape"});
    ASSERT_TRUE(session.waitUntilGone("Terminal keys")) << session.capture();

    // Again, closed with a click of the mouse on its OK button.
    session.press({"F1"});
    ASSERT_TRUE(session.waitFor("Terminal keys")) << session.capture();
    const auto ok = cellOf(session.capture(), "OK   >");
    ASSERT_TRUE(ok) << session.capture();
    session.click(ok->first, ok->second);
    ASSERT_TRUE(session.waitUntilGone("Terminal keys")) << session.capture();

    session.type("Exit");
    session.press({"Enter"});
    ASSERT_TRUE(session.waitFor("orvane ended 0")) << session.capture();
    ASSERT_TRUE(session.waitFor("terminal restored")) << session.capture();
    EXPECT_EQ(session.capture().find("F10 Menu"), std::string::npos) << session.capture();
}

} // namespace
