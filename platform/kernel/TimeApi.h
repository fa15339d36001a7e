// The runtime's time calls on the platform clock: seconds since 1970, local time, the date and
// time strings, Sleep and the tick count.
#pragma once

#include "WinTypes.h"

#include <cstddef>
#include <ctime>
#include <string>

using __time64_t = std::int64_t;

__time64_t _time64(__time64_t* destination);
// 0 on success, as the runtime's secure version.
int _localtime64_s(std::tm* result, const __time64_t* time);
int _gmtime64_s(std::tm* result, const __time64_t* time);
// "MM/DD/YY" and "HH:MM:SS" of the local time now; size counts characters and must be at least 9.
int _wstrdate_s(wchar_t* buffer, std::size_t size);
int _wstrtime_s(wchar_t* buffer, std::size_t size);
// time as strftime writes format, in local time or in UTC, with the "C" locale's day and month
// names whatever the process's locale; empty for a time the runtime cannot convert.
std::wstring FormatTime(__time64_t time, const wchar_t* format, bool utc = false);
void Sleep(DWORD milliseconds);
DWORD GetTickCount();
