// The login name of the user running the process.
#pragma once

#include "WinTypes.h"

// As Win32: size holds the buffer's capacity in characters and receives the length with the
// terminating zero; FALSE with ERROR_INSUFFICIENT_BUFFER when the name does not fit.
BOOL GetUserNameW(LPWSTR buffer, DWORD* size);
