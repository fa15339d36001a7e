// Each automation command finds its window by title and its control by id, acts as a user's
// input would (through the platform's automation) and says plainly why it could not.
#include "AutomationCommands.h"

#include "ControlBarCommands.h"
#include "ListCommands.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"
#include "win/Automation.h"

#include <cmath>
#include <cwchar>
#include <vector>

namespace {

using Failure = std::optional<std::wstring>;

using CommandShape = AutomationCommands::CommandShape;

const CommandShape shapes[] = {
    {L"WaitWindow", 1, 2, L"WaitWindow \"title\"[, seconds]"},
    {L"WaitNoWindow", 1, 2, L"WaitNoWindow \"title\"[, seconds]"},
    {L"Click", 2, 2, L"Click \"title\", id"},
    {L"MenuCommand", 2, 2, L"MenuCommand \"title\", id"},
    {L"SetText", 3, 3, L"SetText \"title\", id, \"text\""},
    {L"Select", 3, 3, L"Select \"title\", id, \"text\""},
    {L"Key", 2, 2, L"Key \"title\", \"Enter\"|\"Escape\"|\"Tab\""},
    {L"Wait", 1, 1, L"Wait seconds"},
    {L"Expect", 3, 3, L"Expect \"title\", id, \"text\""},
    {L"ExpectVar", 2, 2, L"ExpectVar name, value"},
    {L"Snapshot", 0, 1, L"Snapshot [\"title\"]"},
};

const CommandShape* ownShapeOf(std::wstring_view command) { return AutomationCommands::shapeOf(shapes, command); }

std::optional<double> numberOf(const std::wstring& text)
{
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (text.empty() || *end != L'\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}

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

Failure failureOf(const ActionResult& result)
{
    if (result)
        return std::nullopt;
    return result.message;
}

// The window and control id a command names first; null, with the reason, when either is wrong.
HWND findWindow(const AutomationLine& line, std::wstring& failure)
{
    HWND window = Automation::findWindow(line.arguments[0]);
    if (!window)
        failure = L"no visible window \"" + line.arguments[0] + L"\"";
    return window;
}

std::optional<int> idOf(const AutomationLine& line, std::wstring& failure)
{
    const auto id = numberOf(line.arguments[1]);
    if (!id || *id != std::floor(*id) || *id < 0 || *id > AutomationCommands::maxId) {
        failure = L"the id \"" + line.arguments[1] + L"\" is not a whole number from 0 to " +
                  CpValue(AutomationCommands::maxId).toText();
        return std::nullopt;
    }
    return static_cast<int>(*id);
}

} // namespace

Failure AutomationCommands::onControl(const AutomationLine& line, const std::function<ActionResult(HWND, int)>& action)
{
    std::wstring failure;
    HWND window = findWindow(line, failure);
    const auto id = window ? idOf(line, failure) : std::nullopt;
    if (!id)
        return failure;
    return failureOf(action(window, *id));
}

namespace {

Failure key(const AutomationLine& line)
{
    std::wstring failure;
    HWND window = findWindow(line, failure);
    if (!window)
        return failure;
    const std::wstring& name = line.arguments[1];
    const UINT virtualKey = EqualsNoCase(name, L"Enter")    ? VK_RETURN
                            : EqualsNoCase(name, L"Escape") ? VK_ESCAPE
                            : EqualsNoCase(name, L"Tab")    ? VK_TAB
                                                            : 0;
    if (!virtualKey)
        return L"the key \"" + name + L"\" is not Enter, Escape or Tab";
    return failureOf(Automation::pressKey(window, virtualKey));
}

Failure expectText(const AutomationLine& line)
{
    std::wstring failure;
    HWND window = findWindow(line, failure);
    const auto id = window ? idOf(line, failure) : std::nullopt;
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

const AutomationCommands::CommandShape* AutomationCommands::shapeOf(std::span<const CommandShape> shapes,
                                                                   std::wstring_view command)
{
    for (const auto& shape : shapes)
        if (EqualsNoCase(command, shape.name))
            return &shape;
    return nullptr;
}

std::optional<std::wstring> AutomationCommands::argumentCountFailure(const CommandShape& shape, const AutomationLine& line)
{
    if (line.arguments.size() >= shape.minArguments && line.arguments.size() <= shape.maxArguments)
        return std::nullopt;
    return std::wstring(shape.name) + L" takes " + shape.usage + L" (got " + std::to_wstring(line.arguments.size()) +
           L" arguments)";
}

bool AutomationCommands::isAutomationCommand(std::wstring_view command)
{
    return ownShapeOf(command) != nullptr || ListCommands::isListCommand(command) ||
           ControlBarCommands::isControlBarCommand(command);
}

std::optional<std::wstring> AutomationCommands::run(const AutomationLine& line)
{
    if (ListCommands::isListCommand(line.command))
        return ListCommands::run(line);
    if (ControlBarCommands::isControlBarCommand(line.command))
        return ControlBarCommands::run(line);
    const CommandShape* shape = ownShapeOf(line.command);
    if (!shape)
        return L"unknown automation command " + line.command;
    if (auto wrongCount = argumentCountFailure(*shape, line))
        return wrongCount;
    const std::wstring name = shape->name;
    if (name == L"WaitWindow" || name == L"WaitNoWindow")
        return waitForWindow(line, name == L"WaitWindow");
    if (name == L"Wait")
        return waitSeconds(line);
    if (name == L"ExpectVar")
        return expectVariable(line);
    if (name == L"Snapshot") {
        const std::wstring title = line.arguments.empty() ? std::wstring() : line.arguments[0];
        if (!title.empty() && !Automation::findWindow(title))
            return L"no visible window \"" + title + L"\"";
        m_output(snapshot(title));
        return std::nullopt;
    }
    if (name == L"Click")
        return onControl(line, [](HWND window, int id) { return Automation::click(window, id); });
    if (name == L"MenuCommand")
        return onControl(line, [](HWND window, int id) {
            return Automation::chooseMenuCommand(window, static_cast<UINT>(id));
        });
    if (name == L"SetText")
        return onControl(line, [&](HWND window, int id) { return Automation::setText(window, id, line.arguments[2]); });
    if (name == L"Select")
        return onControl(line,
                         [&](HWND window, int id) { return Automation::chooseEntry(window, id, line.arguments[2]); });
    if (name == L"Key")
        return key(line);
    return expectText(line);
}

// The seconds of a wait; none when the text is no number of seconds from 0 to maxWaitSeconds.
std::optional<double> AutomationCommands::secondsOf(const std::wstring& text, std::wstring& failure)
{
    const auto seconds = numberOf(text);
    if (seconds && *seconds >= 0 && *seconds <= maxWaitSeconds)
        return seconds;
    failure = L"the time \"" + text + L"\" is not a number of seconds from 0 to " + CpValue(maxWaitSeconds).toText();
    return std::nullopt;
}

std::optional<std::wstring> AutomationCommands::waitForWindow(const AutomationLine& line, bool present)
{
    std::wstring failure;
    const auto seconds = line.arguments.size() > 1 ? secondsOf(line.arguments[1], failure) : defaultWaitSeconds;
    if (!seconds)
        return failure;
    const std::wstring& title = line.arguments[0];
    if (runFor(*seconds, [&] { return (Automation::findWindow(title) != nullptr) == present; }))
        return std::nullopt;
    return std::wstring(present ? L"no window \"" : L"the window \"") + title + L"\" " +
           (present ? L"appeared" : L"is still there") + L" within " + CpValue(*seconds).toText() +
           L" seconds";
}

std::optional<std::wstring> AutomationCommands::waitSeconds(const AutomationLine& line)
{
    std::wstring failure;
    const auto seconds = secondsOf(line.arguments[0], failure);
    if (!seconds)
        return failure;
    runFor(*seconds, [] { return false; });
    return std::nullopt;
}

std::optional<std::wstring> AutomationCommands::expectVariable(const AutomationLine& line)
{
    const std::string name = WideToUtf8(line.arguments[0]);
    const auto value = CpVariables::instance().get(name);
    if (!value)
        return L"the host variable " + line.arguments[0] + L" does not exist";
    const std::wstring& expected = line.arguments[1];
    if (value->isText() ? value->text() == expected
                        : numberOf(expected) && std::fabs(value->number() - *numberOf(expected)) < 1e-9)
        return std::nullopt;
    return L"the host variable " + line.arguments[0] + L" is \"" + value->toText() + L"\", expected \"" + expected +
           L"\"";
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
