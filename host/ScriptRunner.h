// Runs a script: each line as typed at the host's command line, one after another, whenever a
// loop (the main one or a modal dialog's) waits for input. The first automation command that
// fails ends the script with a report of the line, the reason and a snapshot of the windows.
#pragma once

#include "HostCommandLine.h"

#include "win/InputSource.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class ScriptRunner : public InputSource {
public:
    using Output = std::function<void(const std::wstring& line)>;

    ScriptRunner(HostCommandLine& commandLine, Output output);

    // Runs the script file through the host's loop: 0 when it ran to its end, 1 when a line
    // failed, a dialog waited for input the script did not give, or the file cannot be read. A
    // group still running then runs to its end first.
    int run(const std::filesystem::path& file);

    bool runNextAction() override;
    void waitForInput(int timeoutMs) override;
    void reportStall(HWND window, const std::wstring& snapshot) override;

private:
    // The script is over from the next action on, with the report shown: it ends once no group
    // runs any more.
    void fail(const std::wstring& report);
    bool endOnceTheGroupHasEnded();

    HostCommandLine& m_commandLine;
    Output m_output;
    std::vector<std::wstring> m_lines;
    std::size_t m_next = 0;
    // Lines started and not yet ended: more than one when a line's dialog runs the next ones.
    int m_linesRunning = 0;
    bool m_finished = false;
    bool m_failed = false;
    // Past the last line or a failure: waiting for a running group to end.
    bool m_ending = false;
    bool m_waitingToEnd = false;
};
