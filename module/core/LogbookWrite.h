// Entries in the host's logbook, sent to the host window under the id it gave at registration.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// The message that carries one 552-byte logbook record to the host window.
constexpr UINT WM_HOST_LOGBOOK_ENTRY = 0x0405;
constexpr std::size_t LOGBOOK_RECORD_SIZE = 552;
constexpr std::size_t LOGBOOK_TEXT_MAX = 259;

// Line breaks become blanks and the text is cut to 259 characters. 1 when the entry was sent, 0
// when no memory was left for the working copy.
BOOL LogbookWrite(const std::wstring& text);
// The module string id, loaded through the language library, as a logbook entry.
BOOL LogbookWriteId(UINT id);
