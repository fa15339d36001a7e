// What the automation commands share: checking a line's arguments and finding its window and control.
#include "AutomationCommand.h"

#include "orvane/CpValue.h"

#include <cmath>
#include <cwchar>

AutomationCommand::Failure AutomationCommand::argumentCountFailure(const AutomationLine& line) const
{
    if (line.arguments.size() >= minArguments && line.arguments.size() <= maxArguments)
        return std::nullopt;
    return std::wstring(name) + L" takes " + usage + L" (got " + std::to_wstring(line.arguments.size()) + L" arguments)";
}

HWND AutomationCommand::windowOf(const AutomationLine& line, std::wstring& failure)
{
    HWND window = Automation::findWindow(line.arguments[0]);
    if (!window)
        failure = L"no visible window \"" + line.arguments[0] + L"\"";
    return window;
}

std::optional<int> AutomationCommand::controlIdOf(const AutomationLine& line, std::wstring& failure)
{
    const auto id = numberOf(line.arguments[1]);
    if (!id || *id != std::floor(*id) || *id < 0 || *id > maxId) {
        failure = L"the id \"" + line.arguments[1] + L"\" is not a whole number from 0 to " + CpValue(maxId).toText();
        return std::nullopt;
    }
    return static_cast<int>(*id);
}

AutomationCommand::Failure AutomationCommand::onControl(const AutomationLine& line,
                                                        const std::function<ActionResult(HWND, int)>& action)
{
    std::wstring failure;
    HWND window = windowOf(line, failure);
    const auto id = window ? controlIdOf(line, failure) : std::nullopt;
    if (!id)
        return failure;
    return failureOf(action(window, *id));
}

AutomationCommand::Failure AutomationCommand::failureOf(const ActionResult& result)
{
    if (result)
        return std::nullopt;
    return result.message;
}

std::optional<double> AutomationCommand::numberOf(const std::wstring& text)
{
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (text.empty() || *end != L'\0' || !std::isfinite(value))
        return std::nullopt;
    return value;
}
