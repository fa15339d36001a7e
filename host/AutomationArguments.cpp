// Splitting an automation command line into its command word and arguments.
#include "AutomationArguments.h"

#include "kernel/Text.h"

#include <cwctype>

namespace {

std::wstring_view trimmed(std::wstring_view text)
{
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

// One argument from position onwards, up to the comma that ends it.
std::optional<std::wstring> nextArgument(std::wstring_view line, std::size_t& position, std::wstring& error)
{
    while (position < line.size() && std::iswspace(line[position]))
        ++position;
    std::wstring argument;
    if (position < line.size() && line[position] == L'"') {
        for (++position;; ++position) {
            if (position >= line.size()) {
                error = L"Unterminated quote in: " + std::wstring(line);
                return std::nullopt;
            }
            if (line[position] == L'"' && (position + 1 >= line.size() || line[position + 1] != L'"'))
                break;
            if (line[position] == L'"')
                ++position;
            argument += line[position];
        }
        argument = LineBreaksFromNames(argument);
        ++position;
        while (position < line.size() && std::iswspace(line[position]))
            ++position;
        if (position < line.size() && line[position] != L',') {
            error = L"Text after a closing quote in: " + std::wstring(line);
            return std::nullopt;
        }
    } else {
        const std::size_t comma = std::min(line.find(L',', position), line.size());
        argument = trimmed(line.substr(position, comma - position));
        position = comma;
        if (argument.empty()) {
            error = L"Empty argument in: " + std::wstring(line);
            return std::nullopt;
        }
    }
    return argument;
}

} // namespace

std::optional<AutomationLine> AutomationArguments::split(std::wstring_view line, std::wstring& error)
{
    line = trimmed(line);
    AutomationLine result;
    std::size_t position = 0;
    while (position < line.size() && !std::iswspace(line[position]))
        ++position;
    result.command = line.substr(0, position);
    if (trimmed(line.substr(position)).empty())
        return result;
    while (true) {
        auto argument = nextArgument(line, position, error);
        if (!argument)
            return std::nullopt;
        result.arguments.push_back(std::move(*argument));
        if (position >= line.size())
            return result;
        ++position; // the comma
    }
}
