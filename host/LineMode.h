// The host without a front end: command lines read from standard input, the host's output on
// standard output. Lines are taken whenever a loop (the main one or a modal dialog's) waits for
// input, so that a user can act on a dialog from the command line.
#pragma once

#include "HostCommandLine.h"

#include "win/InputSource.h"

#include <functional>
#include <optional>
#include <string>

class LineMode : public InputSource {
public:
    using Output = std::function<void(const std::wstring& line)>;

    LineMode(HostCommandLine& commandLine, Output output, int inputFd);

    // Reads and runs lines until the line "Exit" comes or the input ends; answers 0. At the end of
    // the input the host ends as by Exit, once no module window at work keeps it running.
    int run();

    bool runNextAction() override;
    void waitForInput(int timeoutMs) override;
    void reportStall(HWND window, const std::wstring& snapshot) override;

private:
    std::optional<std::string> takeLine();
    void prompt() const;

    HostCommandLine& m_commandLine;
    Output m_output;
    int m_inputFd;
    std::string m_buffer;
    bool m_inputClosed = false;
    bool m_ended = false;
    bool m_interactive = false;
    // The end of the input found a module window that did not close, and said so.
    bool m_waitingToEnd = false;
};
