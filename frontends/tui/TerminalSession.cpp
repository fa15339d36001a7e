// The interactive session's set-up and tear-down around the host's loop.
#include "TerminalSession.h"

#include "win/Automation.h"

#include <unistd.h>

#include <iostream>

bool TerminalSession::available()
{
    return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
}

TerminalSession::TerminalSession() = default;

TerminalSession::Output TerminalSession::output()
{
    return [this](const std::wstring& line) {
        if (m_frontEnd)
            m_frontEnd->addOutputLine(line);
        else
            m_pendingOutput.push_back(line);
    };
}

int TerminalSession::run(HWND hostWindow, RunLine runLine, const Loop& loop)
{
    if (!m_terminal.open()) {
        std::cerr << "orvane: the terminal front end needs a terminal on standard input and output\n";
        return 1;
    }
    TerminalFrontEnd frontEnd(m_terminal, {hostWindow, std::move(runLine)});
    for (const std::wstring& line : m_pendingOutput)
        frontEnd.addOutputLine(line);
    m_pendingOutput.clear();
    m_frontEnd = &frontEnd;
    InputSource* previous = Automation::setInputSource(&frontEnd);
    const int exitCode = loop();
    Automation::setInputSource(previous);
    m_frontEnd = nullptr;
    m_terminal.close();
    return exitCode;
}
