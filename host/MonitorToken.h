// The web monitor's token: made at the monitor's first start and kept in the root, so that a
// bookmark with it goes on working across restarts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class MonitorToken {
public:
    // The token the file holds, or a new one written to it, readable by its owner only; none,
    // with the reason, when the file can be neither read nor written.
    static std::optional<std::string> load(const std::filesystem::path& file, std::string& error);
};
