// Reading a whole file at once, with a folder or an unreadable path told apart from an empty file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class FileBytes {
public:
    // The file's bytes; none when the path is not a regular file or cannot be read. Never throws.
    static std::optional<std::string> read(const std::filesystem::path& file);
};
