// The command table (RCDATA 101) from which the host learns the module's commands and their ids.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include <array>

namespace {

// Every byte as the host reads it: a marker, header bytes, then name, id and attributes of each
// command, ended by an empty name and two bytes of padding.
constexpr std::array<unsigned char, 56> commandTable = {
    'W', 'I', 'T', 'H', 'H', 'E', 'L', 'P', 0,
    0x01, 0x00, 0x00, 0x80, 0x00,
    'F', 'I', 'A', 'R', 'U', 'N', 'N', 'E', 'R', 0,
    0xEA, 0x03,
    0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
    'F', 'I', 'A', 'C', 'O', 'N', 'T', 'R', 'O', 'L', 0,
    0xE9, 0x03,
    0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
    0,
    0x00, 0x00,
};

const ResourceEntry entries[] = {
    {10, IDR_COMMAND_TABLE, LANG_ENGLISH_US, commandTable.data(), static_cast<DWORD>(commandTable.size())},
};

} // namespace

std::span<const ResourceEntry> CommandTableResources() { return entries; }
