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

    // Reads and runs lines until the input ends or the line "Exit" comes; answers 0.
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
};
