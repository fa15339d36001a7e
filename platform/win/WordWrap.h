// Cuts a text into the rows it takes in a given number of columns, the way the terminal draws
// statics and edits, so that a window can be sized to the rows its text will take.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Rows at line breaks, and where a line is wider than width at its last space that fits (or, with
// no space, at width). A width of 0 or less cuts at line breaks only.
std::vector<std::wstring> WordWrap(std::wstring_view text, int width);
