// Copying a text into a caller's buffer as the Windows and host calls do.
#pragma once

#include "kernel/WinTypes.h"

#include <string_view>

// Copies as much of text as fits in capacity-1 characters and terminates it; answers the
// characters copied. Nothing happens without a buffer or with capacity 0.
int CopyToBuffer(std::wstring_view text, LPWSTR buffer, int capacity);
