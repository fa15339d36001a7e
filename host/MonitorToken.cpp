// Reading the monitor's token from the root, or making one from libsodium's random bytes, in a
// file that its owner alone may read.
#include "MonitorToken.h"

#include <sodium.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

constexpr std::size_t kTokenBytes = 16;

std::optional<std::string> newToken()
{
    if (sodium_init() < 0)
        return std::nullopt;
    unsigned char bytes[kTokenBytes];
    randombytes_buf(bytes, sizeof bytes);
    char hex[2 * kTokenBytes + 1];
    sodium_bin2hex(hex, sizeof hex, bytes, sizeof bytes);
    return std::string(hex);
}

std::string reason() { return std::strerror(errno); }

} // namespace

std::optional<std::string> MonitorToken::load(const std::filesystem::path& file, std::string& error)
{
    struct stat status {};
    if (::lstat(file.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            error = file.string() + " is not a plain file; the monitor keeps its token in one that its owner alone reads";
            return std::nullopt;
        }
        // A token others could read would let them watch the lab's runs: the file is made private.
        if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(file.c_str(), S_IRUSR | S_IWUSR) != 0) {
            error = file.string() + " may be read by others and its mode cannot be set to 0600: " + reason();
            return std::nullopt;
        }
        std::string token;
        if (std::ifstream(file) >> token && !token.empty())
            return token;
    }
    const auto token = newToken();
    if (!token) {
        error = "no random bytes for the monitor's token";
        return std::nullopt;
    }
    // Made private from the start, so that the token is never readable by others for a moment.
    const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    const std::string line = *token + "\n";
    const bool written = out >= 0 && ::write(out, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (!written || ::close(out) != 0) {
        error = "cannot write the monitor's token to " + file.string() + ": " + reason();
        if (out >= 0 && !written)
            ::close(out);
        return std::nullopt;
    }
    return token;
}
