// Shows the user the error records of the last failed database call of this thread, and the
// worklist's other messages in the same box.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// Does nothing for a status of 0 or more.
void ShowOleDbErrors(HRESULT status);
// The descriptions of the error records of status, for a box or the status bar; empty for a
// status of 0 or more.
std::wstring OleDbErrorText(HRESULT status);
// text in the module's box with an OK button.
void ShowWorklistMessage(const std::wstring& text);
