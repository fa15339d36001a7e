// The host's command line: a line typed by the user or read from a script is Exit (or Quit), an
// automation command or a host command line for the macro interpreter.
#pragma once

#include "AutomationCommands.h"
#include "HostWindow.h"

#include "orvane/OrvaneTypes.h"

#include <optional>
#include <string>
#include <string_view>

class HostCommandLine {
public:
    HostCommandLine(HCPCONTEXT context, HostWindow& window, AutomationCommands::Output output);

    // Runs the line. An automation command that fails, or an Exit that a window refuses, answers
    // why (and shows nothing); a host command line's error is shown by the interpreter and kept in
    // _ERRMSG$, and answers nothing.
    std::optional<std::wstring> run(std::wstring_view line);
    // The title an automation line names first, for the snapshot of its window; empty otherwise.
    static std::wstring windowTitleOf(std::wstring_view line);

private:
    HCPCONTEXT m_context;
    HostWindow& m_window;
    AutomationCommands m_automation;
};
