// The message text that the host leaves in a register for the module to show.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// The item "ModMsgText" of the register's first object; empty when the register, the object or
// the item is missing or the register is locked for writing.
std::wstring ModMsgText(LPCWSTR registerName);
