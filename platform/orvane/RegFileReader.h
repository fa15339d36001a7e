// Reads the objects of a register file's text (see docs/register-files.md).
#pragma once

#include "RegObject.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RegFileReader {
public:
    // False with a message naming the file and line; then nothing is read.
    static bool read(std::wstring_view text, const std::wstring& file, std::vector<std::unique_ptr<RegObject>>* objects,
                     std::wstring* error);
};
