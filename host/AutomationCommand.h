// One row of the automation command tables (a command's name, how many arguments it takes, its
// usage and its handler), and what every family of commands needs to find its window and control.
#pragma once

#include "AutomationArguments.h"

#include "win/Automation.h"

#include <functional>
#include <optional>
#include <string>

struct AutomationCommand {
    // The reason a command's action, expectation or wait failed; nothing when it held.
    using Failure = std::optional<std::wstring>;
    using Output = std::function<void(const std::wstring& line)>;
    // Control and command ids are 16-bit numbers.
    static constexpr double maxId = 65535;

    const wchar_t* name;
    std::size_t minArguments;
    std::size_t maxArguments;
    const wchar_t* usage;
    // Runs the command on a line whose arguments fit; output takes what the command prints.
    Failure (*run)(const AutomationLine& line, const Output& output);

    // Why the line's arguments do not fit the command, or nothing.
    Failure argumentCountFailure(const AutomationLine& line) const;

    // The visible window whose title is the line's first argument; null, with the reason, when none.
    static HWND windowOf(const AutomationLine& line, std::wstring& failure);
    // The control id that is the line's second argument; none, with the reason, when it is no id.
    static std::optional<int> controlIdOf(const AutomationLine& line, std::wstring& failure);
    // Runs an action on the window and control id the line names first; the reason when the window,
    // the id or the action fails.
    static Failure onControl(const AutomationLine& line, const std::function<ActionResult(HWND, int)>& action);
    static Failure failureOf(const ActionResult& result);
    // A number as a script writes it; none for any other text.
    static std::optional<double> numberOf(const std::wstring& text);
};
