// Texts of the module's string table by id, as the language library finds them once the module
// has been added to it.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Empty when the table has no such string; cut to capacity-1 characters, as the buffer it is
// loaded into would cut it. Host texts (below 22000) are found the same way.
std::wstring ModuleString(UINT id, int capacity = 768);
