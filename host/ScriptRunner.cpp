// Reading a script file and feeding its lines to the host's loops.
#include "ScriptRunner.h"

#include "HostLoop.h"

#include "kernel/Clock.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"
#include "win/Automation.h"

#include <sstream>

ScriptRunner::ScriptRunner(HostCommandLine& commandLine, Output output)
    : m_commandLine(commandLine), m_output(std::move(output))
{
}

int ScriptRunner::run(const std::filesystem::path& file)
{
    const auto bytes = FileBytes::read(file);
    if (!bytes) {
        m_output(L"The script " + Utf8ToWide(file.string()) + L" cannot be read.");
        return 1;
    }
    std::istringstream in(*bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(Utf8ToWide(line));
    }
    InputSource* previous = Automation::setInputSource(this);
    HostLoop::run();
    Automation::setInputSource(previous);
    return m_failed ? 1 : 0;
}

bool ScriptRunner::runNextAction()
{
    if (m_finished)
        return false;
    if (m_ending)
        return endOnceTheGroupHasEnded();
    if (m_next >= m_lines.size()) {
        // Asked for a line while one is still running: a dialog it opened waits for an answer.
        if (m_linesRunning > 0) {
            reportStall(nullptr, AutomationCommands::snapshot(std::wstring()));
            return true;
        }
        m_ending = true;
        return endOnceTheGroupHasEnded();
    }
    const std::size_t number = ++m_next;
    const std::wstring& line = m_lines[number - 1];
    m_output(L"> " + line);
    ++m_linesRunning;
    const auto failure = m_commandLine.run(line);
    --m_linesRunning;
    if (failure)
        fail(L"Script failed at line " + std::to_wstring(number) + L": " + line + L"\nReason: " + *failure + L"\n" +
             AutomationCommands::snapshot(HostCommandLine::windowTitleOf(line)));
    return true;
}

void ScriptRunner::waitForInput(int) {}

void ScriptRunner::reportStall(HWND, const std::wstring& snapshot)
{
    fail(L"Script failed after line " + std::to_wstring(m_next) +
         L": a window waits for input the script does not give\n" + snapshot);
}

void ScriptRunner::fail(const std::wstring& report)
{
    if (m_failed)
        return;
    m_failed = true;
    m_ending = true;
    m_output(report);
}

bool ScriptRunner::endOnceTheGroupHasEnded()
{
    // As line mode does when its input ends: a running group keeps its window, and the host ends
    // once the group has ended. Without a timer left nothing more can happen: it ends now. A
    // dialog that a line opened and that waits for input is given up with the host at once.
    if (const auto refusal = m_linesRunning > 0 ? std::nullopt : m_commandLine.run(L"Exit");
        refusal && Clock::nextDueMs()) {
        if (!m_waitingToEnd)
            m_output(*refusal + L" The script has ended: Orvane ends when the window closes.");
        m_waitingToEnd = true;
        return false;
    }
    m_finished = true;
    PostQuitMessage(m_failed ? 1 : 0);
    return true;
}
