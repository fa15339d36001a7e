// Text-mode writing: line ends and the 8-bit character set as the C runtime produces them.
#include "CrtFile.h"

#include "DriveMap.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <cwchar>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<CrtFile> CrtFile::open(std::wstring_view windowsPath, std::wstring_view mode)
{
    const auto host = DriveMap::toHost(windowsPath);
    const char* linuxMode = mode.starts_with(L"a")   ? "ab"
                            : mode.starts_with(L"w") ? "wb"
                            : mode.starts_with(L"r") ? "rb"
                                                     : nullptr;
    std::error_code error;
    errno = !host ? ENOENT : !linuxMode ? EINVAL : std::filesystem::is_directory(*host, error) ? EISDIR : 0;
    if (errno != 0)
        return nullptr;
    std::FILE* file = std::fopen(host->c_str(), linuxMode);
    if (!file)
        return nullptr;
    return std::unique_ptr<CrtFile>(new CrtFile(file));
}

CrtFile::~CrtFile() { std::fclose(m_file); }

bool CrtFile::write(std::wstring_view text)
{
    std::string bytes;
    bytes.reserve(text.size() + 8);
    for (wchar_t c : text) {
        if (c == L'\n') {
            bytes += "\r\n";
            continue;
        }
        char encoded[MB_LEN_MAX];
        std::mbstate_t state{};
        const std::size_t length = std::wcrtomb(encoded, c, &state);
        if (length != static_cast<std::size_t>(-1))
            bytes.append(encoded, length);
        else
            // The "C" locale of the runtime passes the first 256 characters through as bytes.
            bytes += c < 256 ? static_cast<char>(c) : '?';
    }
    return writeBytes(bytes);
}

bool CrtFile::readBytes(std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, m_file)) > 0;)
        bytes.append(buffer, read);
    return std::ferror(m_file) == 0;
}

bool CrtFile::writeBytes(std::string_view bytes)
{
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
    return std::fflush(m_file) == 0 && written;
}

bool CrtFile::named() const
{
    struct stat file {};
    return ::fstat(fileno(m_file), &file) == 0 && file.st_nlink > 0;
}

bool CrtFile::commit() { return std::fflush(m_file) == 0 && ::fsync(fileno(m_file)) == 0; }
