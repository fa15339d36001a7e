// Reading the command table: a marker, five header bytes, then per command its name, a 16-bit id
// and seven attribute bytes, ended by an empty name.
#include "ModuleCommandTable.h"

#include <cstring>

namespace {

constexpr char marker[] = "WITHHELP";
constexpr std::size_t headerBytes = 5;
constexpr std::size_t attributeBytes = 7;

// The zero-terminated name at offset; empty when no zero comes before the end.
std::optional<std::string> nameAt(const unsigned char* bytes, std::size_t size, std::size_t offset)
{
    const auto* start = reinterpret_cast<const char*>(bytes + offset);
    const auto* zero = static_cast<const char*>(std::memchr(start, 0, size - offset));
    if (!zero)
        return std::nullopt;
    return std::string(start, zero);
}

} // namespace

std::optional<std::vector<ModuleCommand>> ModuleCommandTable::parse(const unsigned char* bytes, std::size_t size,
                                                                    std::string& error)
{
    if (!bytes || size < sizeof marker + headerBytes || std::memcmp(bytes, marker, sizeof marker) != 0) {
        error = "the command table does not begin with \"WITHHELP\"";
        return std::nullopt;
    }
    std::vector<ModuleCommand> commands;
    std::size_t offset = sizeof marker + headerBytes;
    while (offset < size) {
        const auto name = nameAt(bytes, size, offset);
        if (!name)
            break;
        if (name->empty())
            return commands;
        offset += name->size() + 1;
        if (offset + 2 + attributeBytes > size)
            break;
        commands.push_back({*name, static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8))});
        offset += 2 + attributeBytes;
    }
    error = "the command table ends in the middle of a command";
    return std::nullopt;
}
