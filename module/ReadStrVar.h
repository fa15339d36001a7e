// Reading a host string variable of any length through the module's command-processor context.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// 1 when the variable was read into text; 0 when it does not exist, is no text or cannot be read.
BOOL ReadStrVar(LPCSTR name, std::wstring& text);
