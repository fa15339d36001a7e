// Small text helpers for the host's own setting files, which are 8-bit UTF-8 lines.
#pragma once

#include <string>

// The text without leading and trailing blanks, tabs and carriage returns.
std::string TrimmedText(const std::string& text);
std::string LowerText(std::string text);
