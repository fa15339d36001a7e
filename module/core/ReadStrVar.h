// Reading host variables: a string of any length through the module's command-processor context,
// and whether the instrument is online.
#pragma once

#include "kernel/WinTypes.h"
#include "orvane/OrvaneTypes.h"

#include <string>

// 1 when the variable was read into text; 0 when it does not exist, is no text or cannot be read.
BOOL ReadStrVar(LPCSTR name, std::wstring& text);

// Whether the host's _OFFLINE says that the instrument is online.
BOOL HostIsOnline(HCPCONTEXT context);
