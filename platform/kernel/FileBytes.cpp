// Whole-file reads that report every failure as an empty answer.
#include "FileBytes.h"

#include <fstream>
#include <iterator>
#include <system_error>

std::optional<std::string> FileBytes::read(const std::filesystem::path& file)
{
    // A folder opens as a stream on Linux and reads as empty: it must not pass for an empty file.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        return std::nullopt;
    return bytes;
}
