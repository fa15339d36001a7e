// A fresh host root in a temporary folder for one test, mapped as the drives' root and removed
// afterwards; the clock is virtual while it lives.
#pragma once

#include <filesystem>
#include <string>

class TempRoot {
public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The Linux path of a file under drive C, given relative to the drive ("data/x.txt").
    std::filesystem::path onDriveC(const std::string& relative) const { return m_path / "C" / relative; }

private:
    std::filesystem::path m_path;
};

// The whole contents of a file as bytes.
std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
