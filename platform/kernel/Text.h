// Conversions between wide texts, UTF-8 and UTF-16 little-endian, case-blind comparison, and the
// names scripts and snapshots give line breaks.
#pragma once

#include <string>
#include <string_view>

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
// Each character as the 16-bit code units Windows keeps in memory (surrogate pairs beyond the BMP).
std::u16string WideToUtf16(std::wstring_view text);
std::wstring Utf16ToWide(std::u16string_view text);

std::wstring ToUpperWide(std::wstring_view text);
std::wstring ToLowerWide(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
// As Win32's lstrcmpW: case-sensitive, in the order of the current locale; 0 when equal.
int lstrcmpW(const wchar_t* a, const wchar_t* b);

// A text on one line: each carriage return as "{CR}", each line feed as "{LF}", as scripts write
// them in quoted texts and snapshots show them; LineBreaksFromNames turns the names back.
std::wstring LineBreaksNamed(std::wstring_view text);
std::wstring LineBreaksFromNames(std::wstring_view text);
