// One line of a CSV file as RFC 4180 has it, for the files the module writes for other programs.
#pragma once

#include <string>
#include <vector>

// The fields joined by commas and ended by CR LF; a field that holds a comma, a double quote or
// a line break is put in double quotes, each double quote in it doubled.
std::wstring CsvLine(const std::vector<std::wstring>& fields);
