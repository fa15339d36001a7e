// The arguments of an automation command line, split as host commands split theirs: by commas,
// texts in double quotes (a quote inside written twice), other arguments taken as written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct AutomationLine {
    std::wstring command;
    std::vector<std::wstring> arguments;
};

class AutomationArguments {
public:
    // Empty, with the reason in error, for an unterminated quote, text after a closing quote or
    // an empty argument between commas.
    static std::optional<AutomationLine> split(std::wstring_view line, std::wstring& error);
};
