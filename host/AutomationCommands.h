// The automation commands of scripts and the command line: waiting for windows and time, acting
// on windows as a user would, and checking what a user would see.
#pragma once

#include "AutomationCommand.h"

#include <optional>
#include <string>
#include <string_view>

class AutomationCommands {
public:
    using Output = AutomationCommand::Output;
    static constexpr double defaultWaitSeconds = 30;
    // The longest wait, a day: every wait stays exact in milliseconds.
    static constexpr double maxWaitSeconds = 86400;

    explicit AutomationCommands(Output output) : m_output(std::move(output)) {}

    static bool isAutomationCommand(std::wstring_view command);
    // Runs the command; the reason when its action, expectation or wait fails.
    std::optional<std::wstring> run(const AutomationLine& line);
    // The text snapshot of the window with that title, or of every visible window when the title
    // is empty or names none.
    static std::wstring snapshot(const std::wstring& title);

private:
    Output m_output;
};
