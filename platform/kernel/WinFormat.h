// printf-style formatting with the Windows meaning of a wide format: %s takes a wide text, %S and
// %hs an 8-bit one, and the l modifier of an integer means 32 bits. Every format from a string
// table goes through here, never to swprintf directly.
#pragma once

#include <cstdarg>
#include <string>

std::wstring FormatWin(const wchar_t* format, ...);
std::wstring FormatWinV(const wchar_t* format, va_list arguments);
