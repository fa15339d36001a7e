// Copying a text into a record's field: every text the module writes into a row is cut to 254
// characters, and never beyond what the field holds with its terminating zero.
#pragma once

#include "kernel/WinTypes.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

// The longest text the module writes into a field: the delivered worklist's text columns hold 254.
inline constexpr std::size_t kLongestRecordText = 254;

// What a record's text field holds without its terminating zero: the width of its column.
template <std::size_t Size>
constexpr ULONG FieldWidth(const WCHAR (&)[Size])
{
    return Size - 1;
}

template <std::size_t Size>
void SetRecordText(WCHAR (&field)[Size], std::wstring_view text)
{
    const std::size_t length = std::min({text.size(), Size - 1, kLongestRecordText});
    std::copy_n(text.data(), length, field);
    std::fill(field + length, field + Size, WCHAR{0});
}
