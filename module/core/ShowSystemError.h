// Tells the user what the system says about an error code.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// The system's text for the code, as it is worded for a message box; empty when the system has none.
std::wstring SystemErrorText(DWORD error);
// A message box with the information icon and OK, holding the system's text for the code; empty
// when the system has none.
void ShowSystemError(DWORD error);
