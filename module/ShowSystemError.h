// Tells the user what the system says about an error code.
#pragma once

#include "kernel/WinTypes.h"

// A message box with the information icon and OK, holding the system's text for the code; empty
// when the system has none.
void ShowSystemError(DWORD error);
