// Texts of the module's string table by id, as the language library finds them once the module
// has been added to it.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Empty when the table has no such string.
std::wstring ModuleString(UINT id);
