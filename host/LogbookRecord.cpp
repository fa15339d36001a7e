// Decoding the logbook entry record byte by byte, little-endian, whatever the machine's order.
#include "LogbookRecord.h"

#include "kernel/Text.h"

namespace {

std::uint64_t readLittleEndian(const unsigned char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

LogbookEntry LogbookRecord::decode(const unsigned char* record)
{
    LogbookEntry entry;
    entry.logbookId = static_cast<std::int32_t>(readLittleEndian(record + 4, 4));
    entry.time = static_cast<std::int64_t>(readLittleEndian(record + 16, 8));
    std::u16string text;
    for (std::size_t i = 0; i < textCharacters; ++i) {
        const auto unit = static_cast<char16_t>(readLittleEndian(record + 24 + 2 * i, 2));
        if (unit == 0)
            break;
        text += unit;
    }
    entry.text = Utf16ToWide(text);
    return entry;
}
