// The automation commands on a window's tool bar and status bar: the tip a button shows and the
// text a status bar pane shows.
#pragma once

#include "AutomationArguments.h"

#include <optional>
#include <string>
#include <string_view>

class ControlBarCommands {
public:
    static bool isControlBarCommand(std::wstring_view command);
    // The reason when the expectation fails.
    static std::optional<std::wstring> run(const AutomationLine& line);
};
