// The automation commands on list views: selecting, clicking and double-clicking items, and
// checking an item's texts, its state image and the number of items. Items count from 0.
#pragma once

#include "AutomationArguments.h"

#include <optional>
#include <string>
#include <string_view>

class ListCommands {
public:
    static bool isListCommand(std::wstring_view command);
    // The reason when the command's action or expectation fails.
    static std::optional<std::wstring> run(const AutomationLine& line);
};
