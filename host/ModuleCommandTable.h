// The command table a module carries as resource RCDATA 101: the names and ids of its commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ModuleCommand {
    std::string name;
    std::uint16_t id = 0;
};

class ModuleCommandTable {
public:
    // The table's commands in their order; empty, with the reason in error, when the bytes are
    // not a table (wrong marker, a name or entry running past the end).
    static std::optional<std::vector<ModuleCommand>> parse(const unsigned char* bytes, std::size_t size,
                                                           std::string& error);
};
