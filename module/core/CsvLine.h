// CSV as RFC 4180 has it, for the files the module exchanges with other programs: lines written
// and a file written in UTF-8, and a file's text split back into its records.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The fields joined by commas and ended by CR LF; a field that holds a comma, a double quote or
// a line break is put in double quotes, each double quote in it doubled.
std::wstring CsvLine(const std::vector<std::wstring>& fields);
// The header (the fields' names, already a line without its end) and the records, as UTF-8; 0,
// or the runtime's errno when the file cannot be written (FileWriteFailure tells why).
int WriteCsvFile(const std::wstring& file, const std::wstring& header, const std::vector<std::vector<std::wstring>>& records);
// Writes bytes to the file; 0, or the runtime's errno.
int WriteWholeFile(const std::wstring& file, const std::string& bytes);
// Why a file could not be written, for the message that names it: "the folder C:\Export does not
// exist.", "there is no permission to write it.", "the disk is full.".
std::wstring FileWriteFailure(const std::wstring& file, int error);

// One record and the line of the file it begins on, counted from 1.
struct CsvRecord {
    std::size_t line;
    std::vector<std::wstring> fields;
};

// Where splitting stopped: a double quote inside a field that does not begin with one, a quoted
// field never closed, or text after a closing quote.
enum class CsvFault { None, QuoteInUnquotedField, UnclosedQuote, TextAfterQuote };

struct CsvText {
    // The records before the fault, or all of them; empty lines are none.
    std::vector<CsvRecord> records;
    CsvFault fault = CsvFault::None;
    std::size_t faultLine = 0;
};

// Line ends may be CR LF or LF alone.
CsvText SplitCsv(std::wstring_view text);
