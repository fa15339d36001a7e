// The names of folders folded to one case, so that a case-blind lookup of a new name does not read
// the whole folder again: the system's change notices keep each index current, whoever changes it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

struct stat;

class FolderIndex {
public:
    static FolderIndex& instance();
    ~FolderIndex();
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

    // The entry of folder whose name equals name without regard to case; empty when none.
    std::optional<std::filesystem::path> find(const std::filesystem::path& folder, const std::wstring& name);

private:
    FolderIndex();
    struct Folder {
        int watch = -1;
        // The folder's identity when it was read: another folder made at the same path is read anew.
        std::uintmax_t device = 0;
        std::uintmax_t inode = 0;
        // Each folded name with the entry's name as it is on the disk.
        std::unordered_map<std::wstring, std::string> names;
    };
    // Reads the folder under a watch of its changes and keeps it when it is large; a small one, or
    // one the system refuses a watch, is read into unkept.
    const Folder* read(const std::string& folder, const struct stat& identity, Folder* unkept);
    void applyNotices();
    void forget(int watch);
    void forgetAll();

    int m_notices;
    std::unordered_map<std::string, Folder> m_folders;
    std::unordered_map<int, std::string> m_watched;
};
