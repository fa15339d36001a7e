// Small text helpers for the host's own setting and result files, which are 8-bit UTF-8 lines.
#pragma once

#include <string>

// The text without leading and trailing blanks, tabs and carriage returns.
std::string TrimmedText(const std::string& text);
std::string LowerText(std::string text);
// The number with so many decimals, in the C locale's way.
std::string DecimalText(double value, int decimals);
// A CSV field: quoted, with quotes doubled, when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text);
