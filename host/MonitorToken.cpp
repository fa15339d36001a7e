// Reading the monitor's token from the root, or making one from the system's random source.
#include "MonitorToken.h"

#include <fstream>
#include <random>

namespace {

constexpr int kTokenBytes = 16;

std::string newToken()
{
    std::random_device random;
    std::uniform_int_distribution<int> byte(0, 255);
    std::string token;
    constexpr const char* digits = "0123456789abcdef";
    for (int i = 0; i < kTokenBytes; ++i) {
        const int value = byte(random);
        token += digits[value >> 4];
        token += digits[value & 15];
    }
    return token;
}

} // namespace

std::optional<std::string> MonitorToken::load(const std::filesystem::path& file, std::string& error)
{
    std::string token;
    if (std::ifstream(file) >> token && !token.empty())
        return token;
    token = newToken();
    {
        std::ofstream out(file, std::ios::trunc);
        out << token << "\n";
        if (!out.flush()) {
            error = "cannot write the monitor's token to " + file.string();
            return std::nullopt;
        }
    }
    std::error_code status;
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                 status);
    return token;
}
