// orvane's interactive session in the terminal: collects the host's output for the screen, opens
// the terminal, makes the front end the input source of every loop and runs the host's loop
// until the user quits; the terminal is restored however the session ends.
#pragma once

#include "CursesTerminal.h"
#include "TerminalFrontEnd.h"

#include <functional>
#include <string>

class TerminalSession {
public:
    using Output = std::function<void(const std::wstring& line)>;
    using RunLine = std::function<void(const std::wstring& line)>;
    using Loop = std::function<int()>;

    // Both standard input and output are a terminal.
    static bool available();

    TerminalSession();

    // Where the host sends what it shows; the lines appear in the screen's pane.
    Output output();
    // Runs the loop with the front end as its input source; the loop's exit code, or 1 with a
    // message on standard error when the terminal cannot be used.
    int run(HWND hostWindow, RunLine runLine, const Loop& loop);

private:
    CursesTerminal m_terminal;
    std::vector<std::wstring> m_pendingOutput;
    TerminalFrontEnd* m_frontEnd = nullptr;
};
