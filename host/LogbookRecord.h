// The 552-byte logbook entry a module sends with message 0x405: id, time and UTF-16 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct LogbookEntry {
    std::int32_t logbookId = 0;
    std::int64_t time = 0;
    std::wstring text;
};

class LogbookRecord {
public:
    static constexpr std::size_t size = 552;
    static constexpr std::size_t textCharacters = 264;

    // Reads the record's fields; the text ends at its first zero or at the field's end.
    static LogbookEntry decode(const unsigned char* record);
};
