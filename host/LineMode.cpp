// Line mode: input is read only when the loop is idle, so timers and a running method go on
// while the user types.
#include "LineMode.h"

#include "HostLoop.h"
#include "SettingText.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/Automation.h"

#include <poll.h>
#include <unistd.h>

#include <iostream>

LineMode::LineMode(HostCommandLine& commandLine, Output output, int inputFd)
    : m_commandLine(commandLine), m_output(std::move(output)), m_inputFd(inputFd), m_interactive(isatty(inputFd))
{
}

int LineMode::run()
{
    prompt();
    InputSource* previous = Automation::setInputSource(this);
    const int exitCode = HostLoop::run();
    Automation::setInputSource(previous);
    return exitCode;
}

bool LineMode::runNextAction()
{
    if (m_ended)
        return false;
    const auto line = takeLine();
    if (!line) {
        if (!m_inputClosed)
            return false;
        // A group still running keeps its window open: the host ends once the group has ended.
        // Without a timer left nothing more can happen (a paused group waits for Run): it ends now.
        if (const auto refusal = m_commandLine.run(L"Exit"); refusal && Clock::nextDueMs()) {
            if (!m_waitingToEnd)
                m_output(*refusal + L" The input has ended: Orvane ends when the window closes.");
            m_waitingToEnd = true;
            return false;
        }
        m_ended = true;
        PostQuitMessage(0);
        return true;
    }
    const std::wstring text = Utf8ToWide(TrimmedText(*line));
    if (const auto failure = m_commandLine.run(text))
        m_output(L"Error: " + *failure);
    prompt();
    return true;
}

void LineMode::waitForInput(int timeoutMs)
{
    // Without input, only the next timer can change anything.
    if (m_inputClosed) {
        poll(nullptr, 0, std::max(timeoutMs, 0));
        return;
    }
    pollfd input{m_inputFd, POLLIN, 0};
    if (poll(&input, 1, timeoutMs) <= 0)
        return;
    char chunk[4096];
    const ssize_t count = read(m_inputFd, chunk, sizeof chunk);
    if (count <= 0)
        m_inputClosed = true;
    else
        m_buffer.append(chunk, static_cast<std::size_t>(count));
}

void LineMode::reportStall(HWND, const std::wstring& snapshot)
{
    m_output(L"A window waits for input that will not come; it is cancelled:\n" + snapshot);
}

std::optional<std::string> LineMode::takeLine()
{
    auto end = m_buffer.find('\n');
    if (end == std::string::npos && m_inputClosed && !m_buffer.empty())
        end = m_buffer.size();
    if (end == std::string::npos)
        return std::nullopt;
    std::string line = m_buffer.substr(0, end);
    m_buffer.erase(0, std::min(end + 1, m_buffer.size()));
    return line;
}

void LineMode::prompt() const
{
    if (m_interactive)
        std::cout << "orvane> " << std::flush;
}
