// The automation commands on list views: selecting, clicking and double-clicking items, and
// checking an item's texts, its state image and the number of items. Items count from 0.
#pragma once

#include "AutomationCommand.h"

#include <span>

class ListCommands {
public:
    static std::span<const AutomationCommand> commands();
};
