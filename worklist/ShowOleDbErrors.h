// Shows the user the error records of the last failed database call of this thread, and the
// worklist's other messages in the same box.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Does nothing for a status of 0 or more.
void ShowOleDbErrors(HRESULT status);
// text in the module's box with an OK button.
void ShowWorklistMessage(const std::wstring& text);
