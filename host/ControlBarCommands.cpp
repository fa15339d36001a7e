// Tool bar and status bar commands of scripts and the command line, on the platform's bar
// automation.
#include "ControlBarCommands.h"

#include "win/ControlBarAutomation.h"

namespace {

using Failure = AutomationCommand::Failure;
using Output = AutomationCommand::Output;

// Reads what the window's bar shows for the number the line names (a pane, a button's command)
// and compares it with the line's third argument.
Failure expectShown(const AutomationLine& line, ActionResult (*read)(HWND, int, std::wstring&),
                    std::wstring (*what)(int number, const std::wstring& title))
{
    const std::wstring& wanted = line.arguments[2];
    Failure mismatch;
    const Failure failure = AutomationCommand::onControl(line, [&](HWND window, int number) {
        std::wstring actual;
        const ActionResult shown = read(window, number, actual);
        if (shown && actual != wanted)
            mismatch = what(number, line.arguments[0]) + L" shows \"" + actual + L"\", expected \"" + wanted + L"\"";
        return shown;
    });
    return failure ? failure : mismatch;
}

Failure expectPane(const AutomationLine& line, const Output&)
{
    return expectShown(
        line, [](HWND window, int pane, std::wstring& text) { return ControlBarAutomation::paneText(window, pane, text); },
        [](int pane, const std::wstring& title) {
            return L"pane " + std::to_wstring(pane) + L" of the status bar of \"" + title + L"\"";
        });
}

Failure expectTip(const AutomationLine& line, const Output&)
{
    return expectShown(
        line,
        [](HWND window, int command, std::wstring& tip) {
            return ControlBarAutomation::restOnButton(window, static_cast<UINT>(command), tip);
        },
        [](int command, const std::wstring& title) {
            return L"the tip of tool bar button " + std::to_wstring(command) + L" of \"" + title + L"\"";
        });
}

const AutomationCommand commandTable[] = {
    {L"ExpectPane", 3, 3, L"ExpectPane \"title\", pane, \"text\"", expectPane},
    {L"ExpectTip", 3, 3, L"ExpectTip \"title\", id, \"text\"", expectTip},
};

} // namespace

std::span<const AutomationCommand> ControlBarCommands::commands() { return commandTable; }
