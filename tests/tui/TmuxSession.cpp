// tmux driven through its command line.
#include "TmuxSession.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// A screen is looked at every 20 ms for at most 10 s: fast on a quiet machine, patient on a
// busy one, and never a hang.
constexpr int pollTries = 500;
constexpr auto pollInterval = std::chrono::milliseconds(20);

std::string shellQuoted(const std::string& text)
{
    std::string result = "'";
    for (const char ch : text)
        result += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return result + "'";
}

std::string runCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return output;
    char chunk[4096];
    while (const std::size_t count = fread(chunk, 1, sizeof chunk, pipe))
        output.append(chunk, count);
    pclose(pipe);
    return output;
}

} // namespace

bool TmuxSession::available()
{
    return runCommand("tmux -V").rfind("tmux ", 0) == 0;
}

TmuxSession::TmuxSession(const std::string& command, int width, int height)
    : m_server("serion-tui-" + std::to_string(getpid()))
{
    tmux("new-session -d -s main -x " + std::to_string(width) + " -y " + std::to_string(height) + " " +
         shellQuoted(command));
}

TmuxSession::~TmuxSession()
{
    tmux("kill-server");
}

std::string TmuxSession::tmux(const std::string& arguments) const
{
    return runCommand("tmux -L " + m_server + " -f /dev/null " + arguments);
}

void TmuxSession::type(const std::string& text)
{
    tmux("send-keys -t main -l " + shellQuoted(text));
}

void TmuxSession::press(const std::vector<std::string>& keys)
{
    for (const std::string& key : keys)
        tmux("send-keys -t main " + key);
}

void TmuxSession::sendClick(int x, int y, int modifier, int count)
{
    // The terminal's mouse report for "screen": button, column and row each offset by 32, the
    // position 1-based; button 0 is the left one pressed, 3 the release. A double click goes as
    // one burst, as a loaded machine may deliver it.
    const std::string at{static_cast<char>(33 + x), static_cast<char>(33 + y)};
    const auto report = [&](int button) { return "\x1b[M" + std::string(1, static_cast<char>(32 + button + modifier)) + at; };
    std::string reports;
    for (int i = 0; i < count; ++i)
        reports += report(0) + report(3);
    tmux("send-keys -t main -l " + shellQuoted(reports));
}

void TmuxSession::click(int x, int y) { sendClick(x, y, 0); }

void TmuxSession::doubleClick(int x, int y) { sendClick(x, y, 0, 2); }

void TmuxSession::controlClick(int x, int y) { sendClick(x, y, 16); }

void TmuxSession::hover(int x, int y)
{
    // Button 3 (none held) with 32 for motion, offset by 32 as in a click's report.
    const std::string at{static_cast<char>(33 + x), static_cast<char>(33 + y)};
    tmux("send-keys -t main -l " + shellQuoted("\x1b[MC" + at));
}

void TmuxSession::resize(int width, int height)
{
    tmux("resize-window -t main -x " + std::to_string(width) + " -y " + std::to_string(height));
}

std::string TmuxSession::capture() const
{
    return tmux("capture-pane -p -t main");
}

testing::AssertionResult TmuxSession::waitFor(const std::string& text)
{
    return waitUntil([&text](const std::string& screen) { return screen.find(text) != std::string::npos; }) << "awaited: " << text;
}

testing::AssertionResult TmuxSession::waitUntilGone(const std::string& text)
{
    return waitUntil([&text](const std::string& screen) { return screen.find(text) == std::string::npos; })
           << "awaited gone: " << text;
}

testing::AssertionResult TmuxSession::waitUntil(const std::function<bool(const std::string& screen)>& holds) const
{
    for (int i = 0; i < pollTries; ++i) {
        if (holds(capture()))
            return testing::AssertionSuccess();
        std::this_thread::sleep_for(pollInterval);
    }
    return testing::AssertionFailure() << capture();
}

testing::AssertionResult TmuxSession::pressThenWaitFor(const std::vector<std::string>& keys, const std::string& text)
{
    press(keys);
    return waitFor(text);
}

testing::AssertionResult TmuxSession::pressThenWaitUntilGone(const std::vector<std::string>& keys, const std::string& text)
{
    press(keys);
    return waitUntilGone(text);
}
