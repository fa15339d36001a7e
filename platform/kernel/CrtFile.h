// A file opened as the C runtime opens it in text mode: each line feed written becomes carriage
// return and line feed, and wide text becomes the locale's 8-bit characters. Opened for reading,
// it gives its bytes as they are.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class CrtFile {
public:
    // Mode as the runtime's: "a" or "a+" appends, "w" truncates, "r" reads; a Windows path. Empty
    // on failure, and for a folder, with errno set as the runtime sets it (ENOENT for a folder or
    // drive that does not exist, EACCES without permission, EISDIR for a folder).
    static std::unique_ptr<CrtFile> open(std::wstring_view windowsPath, std::wstring_view mode);
    ~CrtFile();
    CrtFile(const CrtFile&) = delete;
    CrtFile& operator=(const CrtFile&) = delete;

    // False with errno set (ENOSPC when the disk is full).
    bool write(std::wstring_view text);
    // The bytes as they are, as a file the runtime opened in binary mode takes them.
    bool writeBytes(std::string_view bytes);
    // What was written has reached the disk, as the runtime's _commit makes sure.
    bool commit();
    // Whether the file still has a name in some folder: false once it was deleted.
    bool named() const;
    // The rest of the file; false when it cannot be read.
    bool readBytes(std::string& bytes);

private:
    explicit CrtFile(std::FILE* file) : m_file(file) {}
    std::FILE* m_file;
};
