// Copying a text into a record's field: every text the module writes into a row is cut to 254
// characters, and never beyond what the field holds with its terminating zero.
#pragma once

#include "kernel/WinTypes.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

template <std::size_t Size>
void SetRecordText(WCHAR (&field)[Size], std::wstring_view text)
{
    const std::size_t length = std::min({text.size(), Size - 1, std::size_t{254}});
    std::copy_n(text.data(), length, field);
    std::fill(field + length, field + Size, WCHAR{0});
}
