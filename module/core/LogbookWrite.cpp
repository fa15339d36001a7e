// Builds the logbook record byte for byte, as the host reads it, and hands it over synchronously:
// the record lives only for the duration of the send.
#include "LogbookWrite.h"

#include "ModuleSettings.h"
#include "ModuleString.h"

#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "win/WinUser.h"

#include <array>
#include <new>

namespace {

constexpr std::size_t kIdOffset = 4;
constexpr std::size_t kTimeOffset = 16;
constexpr std::size_t kTextOffset = 24;

using LogbookRecord = std::array<BYTE, LOGBOOK_RECORD_SIZE>;

void PutLittleEndian(LogbookRecord& record, std::size_t offset, std::uint64_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i)
        record[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

} // namespace

BOOL LogbookWrite(const std::wstring& text)
{
    std::u16string copy;
    try {
        copy = WideToUtf16(text);
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    for (char16_t& character : copy)
        if (character == u'\r' || character == u'\n')
            character = u' ';
    if (copy.size() > LOGBOOK_TEXT_MAX)
        copy.resize(LOGBOOK_TEXT_MAX);

    LogbookRecord record{};
    PutLittleEndian(record, kIdOffset, ModuleSettings.nLogbookId, 4);
    PutLittleEndian(record, kTimeOffset, static_cast<std::uint64_t>(_time64(nullptr)), 8);
    for (std::size_t i = 0; i < copy.size(); ++i)
        PutLittleEndian(record, kTextOffset + 2 * i, copy[i], 2);

    ::SendMessageW(ModuleSettings.hHostWnd, WM_HOST_LOGBOOK_ENTRY, 0, reinterpret_cast<LPARAM>(record.data()));
    return TRUE;
}

BOOL LogbookWriteId(UINT id) { return LogbookWrite(ModuleString(id)); }
