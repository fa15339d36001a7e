// The automation commands on a window's tool bar and status bar: the tip a button shows and the
// text a status bar pane shows.
#pragma once

#include "AutomationCommand.h"

#include <span>

class ControlBarCommands {
public:
    static std::span<const AutomationCommand> commands();
};
