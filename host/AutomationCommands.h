// The automation commands of scripts and the command line: waiting for windows and time, acting
// on windows as a user would, and checking what a user would see.
#pragma once

#include "AutomationArguments.h"

#include "win/Automation.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class AutomationCommands {
public:
    using Output = std::function<void(const std::wstring& line)>;
    static constexpr double defaultWaitSeconds = 30;
    // The longest wait, a day: every wait stays exact in milliseconds.
    static constexpr double maxWaitSeconds = 86400;
    // Control and command ids are 16-bit numbers.
    static constexpr double maxId = 65535;

    // A command's name and how many arguments it takes, with its usage for the message.
    struct CommandShape {
        const wchar_t* name;
        std::size_t minArguments;
        std::size_t maxArguments;
        const wchar_t* usage;
    };
    static const CommandShape* shapeOf(std::span<const CommandShape> shapes, std::wstring_view command);
    // Why the line's arguments do not fit the shape, or nothing.
    static std::optional<std::wstring> argumentCountFailure(const CommandShape& shape, const AutomationLine& line);

    explicit AutomationCommands(Output output) : m_output(std::move(output)) {}

    static bool isAutomationCommand(std::wstring_view command);
    // Runs the command; the reason when its action, expectation or wait fails.
    std::optional<std::wstring> run(const AutomationLine& line);
    // The text snapshot of the window with that title, or of every visible window when the title
    // is empty or names none.
    static std::wstring snapshot(const std::wstring& title);
    // Runs an action on the window and control id the line names first; the reason when the window,
    // the id or the action fails.
    static std::optional<std::wstring> onControl(const AutomationLine& line,
                                                 const std::function<ActionResult(HWND, int)>& action);

private:
    static std::optional<double> secondsOf(const std::wstring& text, std::wstring& failure);
    std::optional<std::wstring> waitSeconds(const AutomationLine& line);
    std::optional<std::wstring> expectVariable(const AutomationLine& line);
    std::optional<std::wstring> waitForWindow(const AutomationLine& line, bool present);

    Output m_output;
};
