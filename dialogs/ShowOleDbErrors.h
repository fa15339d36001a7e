// Shows the user what the worklist reports: the error records of a failed database call, and the
// worklist's other messages, in the module's box.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Shows the error records of status when it failed, and says whether it did.
BOOL ShowOleDbErrors(HRESULT status);
// text in the module's box with an OK button.
void ShowWorklistMessage(const std::wstring& text);
