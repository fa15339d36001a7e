// Sending each line to the automation commands or to the macro interpreter.
#include "HostCommandLine.h"

#include "kernel/Text.h"
#include "orvane/MacroInterpreter.h"

#include <cwctype>

namespace {

std::wstring firstWord(std::wstring_view line)
{
    std::size_t start = 0;
    while (start < line.size() && std::iswspace(line[start]))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !std::iswspace(line[end]))
        ++end;
    return std::wstring(line.substr(start, end - start));
}

} // namespace

HostCommandLine::HostCommandLine(HCPCONTEXT context, HostWindow& window, AutomationCommands::Output output)
    : m_context(context), m_window(window), m_automation(std::move(output))
{
}

std::optional<std::wstring> HostCommandLine::run(std::wstring_view line)
{
    const std::wstring command = firstWord(line);
    const bool alone = firstWord(line.substr(line.find(command) + command.size())).empty();
    if (alone && (EqualsNoCase(command, L"Exit") || EqualsNoCase(command, L"Quit")))
        return m_window.exit();
    if (!AutomationCommands::isAutomationCommand(command)) {
        MacroInterpreter::instance().execute(line, m_context);
        return std::nullopt;
    }
    std::wstring error;
    const auto automation = AutomationArguments::split(line, error);
    if (!automation)
        return error;
    return m_automation.run(*automation);
}

std::wstring HostCommandLine::windowTitleOf(std::wstring_view line)
{
    std::wstring error;
    const auto automation = AutomationArguments::split(line, error);
    if (!automation || !AutomationCommands::isAutomationCommand(automation->command) || automation->arguments.empty())
        return {};
    return automation->arguments[0];
}
