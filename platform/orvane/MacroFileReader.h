// Reads the user macros of a macro file's text (see docs/macro-language.md).
#pragma once

#include "MacroError.h"
#include "UserMacro.h"

#include <string_view>
#include <vector>

class MacroFileReader {
public:
    // False with a syntax error naming the line; then nothing is read.
    static bool read(std::wstring_view text, const std::wstring& file, std::vector<UserMacro>* macros,
                     MacroError* error);
};
