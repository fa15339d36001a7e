// The text of a failed database call's error records, which the worklist's callers show the user.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// The descriptions of the error records of status, for a box or the status bar; empty for a
// status of 0 or more.
std::wstring OleDbErrorText(HRESULT status);
