// Case-blind lookup in folders: small ones are read at each lookup, large ones kept as an index
// that the system's notices of created, removed and renamed entries keep current.
#include "FolderIndex.h"

#include "Text.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace {

// Folders with fewer entries are cheap to read again, and a watch each would soon exhaust the
// system's allowance (each run's data folder is such a folder).
constexpr std::size_t kIndexedFolderEntries = 64;

constexpr uint32_t kChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

std::unordered_map<std::wstring, std::string> namesIn(const std::filesystem::path& folder)
{
    std::unordered_map<std::wstring, std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        names.try_emplace(ToUpperWide(Utf8ToWide(name)), std::move(name));
    }
    return names;
}

} // namespace

FolderIndex& FolderIndex::instance()
{
    static FolderIndex index;
    return index;
}

FolderIndex::FolderIndex() : m_notices(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FolderIndex::~FolderIndex()
{
    if (m_notices >= 0)
        ::close(m_notices);
}

std::optional<std::filesystem::path> FolderIndex::find(const std::filesystem::path& folder, const std::wstring& name)
{
    applyNotices();
    const std::string key = folder.string();
    struct stat identity {};
    if (::stat(key.c_str(), &identity) != 0)
        return std::nullopt;
    const auto known = m_folders.find(key);
    const bool current = known != m_folders.end() && known->second.device == identity.st_dev &&
                         known->second.inode == identity.st_ino;
    if (known != m_folders.end() && !current)
        forget(known->second.watch);
    Folder folderRead;
    const Folder* index = current ? &known->second : read(key, identity, &folderRead);
    const auto found = index->names.find(ToUpperWide(name));
    if (found == index->names.end())
        return std::nullopt;
    return folder / found->second;
}

const FolderIndex::Folder* FolderIndex::read(const std::string& folder, const struct stat& identity, Folder* unkept)
{
    // The watch comes first, so that no change between the reading and the watch is missed.
    const int watch = m_notices < 0 ? -1 : inotify_add_watch(m_notices, folder.c_str(), kChanges);
    Folder read{watch, static_cast<std::uintmax_t>(identity.st_dev), static_cast<std::uintmax_t>(identity.st_ino),
                namesIn(folder)};
    if (watch < 0 || read.names.size() < kIndexedFolderEntries) {
        if (watch >= 0 && !m_watched.contains(watch))
            inotify_rm_watch(m_notices, watch);
        *unkept = std::move(read);
        return unkept;
    }
    // The same folder under another path shares the watch: the older path is read anew.
    if (const auto other = m_watched.find(watch); other != m_watched.end())
        m_folders.erase(other->second);
    m_watched[watch] = folder;
    return &(m_folders[folder] = std::move(read));
}

void FolderIndex::applyNotices()
{
    if (m_notices < 0)
        return;
    alignas(inotify_event) char buffer[16 * 1024];
    ssize_t length;
    while ((length = ::read(m_notices, buffer, sizeof buffer)) > 0) {
        for (const char* at = buffer; at < buffer + length;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(at);
            at += sizeof(inotify_event) + notice->len;
            if (notice->mask & IN_Q_OVERFLOW) {
                forgetAll();
                continue;
            }
            const auto watched = m_watched.find(notice->wd);
            if (watched == m_watched.end())
                continue;
            Folder& folder = m_folders[watched->second];
            const std::string name = notice->len ? notice->name : "";
            if (notice->mask & (IN_CREATE | IN_MOVED_TO)) {
                folder.names.try_emplace(ToUpperWide(Utf8ToWide(name)), name);
            } else if (notice->mask & (IN_DELETE | IN_MOVED_FROM)) {
                // Another entry may fold to the same name: the folder is read again at its next lookup.
                const auto entry = folder.names.find(ToUpperWide(Utf8ToWide(name)));
                if (entry != folder.names.end() && entry->second == name)
                    forget(notice->wd);
            } else if (notice->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                forget(notice->wd);
            }
        }
    }
}

void FolderIndex::forget(int watch)
{
    const auto watched = m_watched.find(watch);
    if (watched == m_watched.end())
        return;
    inotify_rm_watch(m_notices, watch);
    m_folders.erase(watched->second);
    m_watched.erase(watched);
}

void FolderIndex::forgetAll()
{
    while (!m_watched.empty())
        forget(m_watched.begin()->first);
}
