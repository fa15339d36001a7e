// Texts of the module's string table by id.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Empty when the table has no such string.
std::wstring ModuleString(UINT id);
