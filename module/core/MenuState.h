// Greys and checks, or restores, the host's menu entry that opens the module's window.
#pragma once

#include "kernel/WinTypes.h"

// enable 0 while the window is open ("Insensitive/Checked"), nonzero once it is closed
// ("Sensitive/Unchecked"). The host runs the command line after the current handler.
void MenuState(BOOL enable);
