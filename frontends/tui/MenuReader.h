// Reads a window framework menu into the items the front end draws, with their current grey and
// check states.
#pragma once

#include "MenuItem.h"

#include "win/WinUser.h"

#include <vector>

std::vector<MenuItem> ReadMenu(HMENU menu);
