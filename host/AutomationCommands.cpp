// Each automation command finds its window by title and its control by id, acts as a user's
// input would (through the platform's automation) and says plainly why it could not.
#include "AutomationCommands.h"

#include "ControlBarCommands.h"
#include "ListCommands.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <cmath>
#include <span>
#include <vector>

namespace {

using Failure = AutomationCommand::Failure;
using Output = AutomationCommand::Output;

int milliseconds(double seconds) { return static_cast<int>(std::lround(seconds * 1000)); }

// Lets the host run until done() holds or the time is up; a wait that times out has taken its
// whole time, also when nothing was left to happen before.
bool runFor(double seconds, const std::function<bool()>& done)
{
    const std::int64_t end = Clock::nowMs() + milliseconds(seconds);
    if (Automation::runUntil(done, milliseconds(seconds)))
        return true;
    Clock::advance(end - Clock::nowMs());
    return false;
}

// The seconds of a wait; none when the text is no number of seconds from 0 to maxWaitSeconds.
std::optional<double> secondsOf(const std::wstring& text, std::wstring& failure)
{
    const auto seconds = AutomationCommand::numberOf(text);
    if (seconds && *seconds >= 0 && *seconds <= AutomationCommands::maxWaitSeconds)
        return seconds;
    failure = L"the time \"" + text + L"\" is not a number of seconds from 0 to " +
              CpValue(AutomationCommands::maxWaitSeconds).toText();
    return std::nullopt;
}

Failure waitForWindow(const AutomationLine& line, bool present)
{
    std::wstring failure;
    const auto seconds =
        line.arguments.size() > 1 ? secondsOf(line.arguments[1], failure) : AutomationCommands::defaultWaitSeconds;
    if (!seconds)
        return failure;
    const std::wstring& title = line.arguments[0];
    if (runFor(*seconds, [&] { return (Automation::findWindow(title) != nullptr) == present; }))
        return std::nullopt;
    return std::wstring(present ? L"no window \"" : L"the window \"") + title + L"\" " +
           (present ? L"appeared" : L"is still there") + L" within " + CpValue(*seconds).toText() +
           L" seconds";
}

Failure waitWindow(const AutomationLine& line, const Output&) { return waitForWindow(line, true); }

Failure waitNoWindow(const AutomationLine& line, const Output&) { return waitForWindow(line, false); }

Failure waitSeconds(const AutomationLine& line, const Output&)
{
    std::wstring failure;
    const auto seconds = secondsOf(line.arguments[0], failure);
    if (!seconds)
        return failure;
    runFor(*seconds, [] { return false; });
    return std::nullopt;
}

Failure click(const AutomationLine& line, const Output&)
{
    return AutomationCommand::onControl(line, [](HWND window, int id) { return Automation::click(window, id); });
}

Failure menuCommand(const AutomationLine& line, const Output&)
{
    return AutomationCommand::onControl(
        line, [](HWND window, int id) { return Automation::chooseMenuCommand(window, static_cast<UINT>(id)); });
}

Failure setText(const AutomationLine& line, const Output&)
{
    return AutomationCommand::onControl(
        line, [&](HWND window, int id) { return Automation::setText(window, id, line.arguments[2]); });
}

Failure select(const AutomationLine& line, const Output&)
{
    return AutomationCommand::onControl(
        line, [&](HWND window, int id) { return Automation::chooseEntry(window, id, line.arguments[2]); });
}

Failure key(const AutomationLine& line, const Output&)
{
    std::wstring failure;
    HWND window = AutomationCommand::windowOf(line, failure);
    if (!window)
        return failure;
    const std::wstring& name = line.arguments[1];
    const UINT virtualKey = EqualsNoCase(name, L"Enter")    ? VK_RETURN
                            : EqualsNoCase(name, L"Escape") ? VK_ESCAPE
                            : EqualsNoCase(name, L"Tab")    ? VK_TAB
                                                            : 0;
    if (!virtualKey)
        return L"the key \"" + name + L"\" is not Enter, Escape or Tab";
    return AutomationCommand::failureOf(Automation::pressKey(window, virtualKey));
}

Failure expectText(const AutomationLine& line, const Output&)
{
    std::wstring failure;
    HWND window = AutomationCommand::windowOf(line, failure);
    const auto id = window ? AutomationCommand::controlIdOf(line, failure) : std::nullopt;
    if (!id)
        return failure;
    HWND control = GetDlgItem(window, *id);
    if (!control)
        return L"window \"" + line.arguments[0] + L"\" has no control " + line.arguments[1];
    const std::wstring actual = Automation::describe(control).text;
    if (actual == line.arguments[2])
        return std::nullopt;
    return L"control " + line.arguments[1] + L" of \"" + line.arguments[0] + L"\" shows \"" + actual +
           L"\", expected \"" + line.arguments[2] + L"\"";
}

Failure expectVariable(const AutomationLine& line, const Output&)
{
    const std::string name = WideToUtf8(line.arguments[0]);
    const auto value = CpVariables::instance().get(name);
    if (!value)
        return L"the host variable " + line.arguments[0] + L" does not exist";
    const std::wstring& expected = line.arguments[1];
    const auto number = AutomationCommand::numberOf(expected);
    if (value->isText() ? value->text() == expected : number && std::fabs(value->number() - *number) < 1e-9)
        return std::nullopt;
    return L"the host variable " + line.arguments[0] + L" is \"" + value->toText() + L"\", expected \"" + expected +
           L"\"";
}

Failure snapshot(const AutomationLine& line, const Output& output)
{
    const std::wstring title = line.arguments.empty() ? std::wstring() : line.arguments[0];
    if (!title.empty() && !Automation::findWindow(title))
        return L"no visible window \"" + title + L"\"";
    output(AutomationCommands::snapshot(title));
    return std::nullopt;
}

const AutomationCommand ownCommands[] = {
    {L"WaitWindow", 1, 2, L"WaitWindow \"title\"[, seconds]", waitWindow},
    {L"WaitNoWindow", 1, 2, L"WaitNoWindow \"title\"[, seconds]", waitNoWindow},
    {L"Click", 2, 2, L"Click \"title\", id", click},
    {L"MenuCommand", 2, 2, L"MenuCommand \"title\", id", menuCommand},
    {L"SetText", 3, 3, L"SetText \"title\", id, \"text\"", setText},
    {L"Select", 3, 3, L"Select \"title\", id, \"text\"", select},
    {L"Key", 2, 2, L"Key \"title\", \"Enter\"|\"Escape\"|\"Tab\"", key},
    {L"Wait", 1, 1, L"Wait seconds", waitSeconds},
    {L"Expect", 3, 3, L"Expect \"title\", id, \"text\"", expectText},
    {L"ExpectVar", 2, 2, L"ExpectVar name, value", expectVariable},
    {L"Snapshot", 0, 1, L"Snapshot [\"title\"]", snapshot},
};

const AutomationCommand* commandOf(std::wstring_view name)
{
    for (const auto table : {std::span<const AutomationCommand>(ownCommands), ListCommands::commands(), ControlBarCommands::commands()})
        for (const AutomationCommand& command : table)
            if (EqualsNoCase(name, command.name))
                return &command;
    return nullptr;
}

// The menu bar's entries with their states, which the window's snapshot leaves out.
std::wstring menuSnapshot(HMENU bar)
{
    std::wstring text;
    for (int menu = 0; bar && menu < GetMenuItemCount(bar); ++menu) {
        HMENU popup = GetSubMenu(bar, menu);
        for (int item = 0; popup && item < GetMenuItemCount(popup); ++item) {
            wchar_t menuName[128] = {};
            wchar_t itemName[128] = {};
            GetMenuStringW(bar, static_cast<UINT>(menu), menuName, 128, MF_BYPOSITION);
            GetMenuStringW(popup, static_cast<UINT>(item), itemName, 128, MF_BYPOSITION);
            const UINT state = GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION);
            if (state & MF_SEPARATOR)
                continue;
            text += L"  menu \"" + std::wstring(menuName) + L"\" > \"" + itemName + L"\"" +
                    (state & MF_GRAYED ? L" greyed" : L"") + (state & MF_CHECKED ? L" checked" : L"") + L"\n";
        }
    }
    return text;
}

} // namespace

bool AutomationCommands::isAutomationCommand(std::wstring_view command) { return commandOf(command) != nullptr; }

std::optional<std::wstring> AutomationCommands::run(const AutomationLine& line)
{
    const AutomationCommand* command = commandOf(line.command);
    if (!command)
        return L"unknown automation command " + line.command;
    if (auto wrongCount = command->argumentCountFailure(line))
        return wrongCount;
    return command->run(line, m_output);
}

std::wstring AutomationCommands::snapshot(const std::wstring& title)
{
    std::vector<HWND> windows = Automation::topLevelWindows();
    if (HWND window = title.empty() ? nullptr : Automation::findWindow(title))
        windows = {window};
    std::wstring text;
    for (HWND window : windows)
        text += Automation::snapshot(window) + menuSnapshot(GetMenu(window));
    while (text.ends_with(L'\n'))
        text.pop_back();
    return text.empty() ? L"(no visible window)" : text;
}
