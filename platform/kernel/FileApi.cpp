// Win32 file and folder calls over std::filesystem, with Windows' read-only rule and error codes.
#include "FileApi.h"

#include "DriveMap.h"
#include "Text.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

DWORD lastError = ERROR_SUCCESS;

BOOL fail(DWORD error)
{
    lastError = error;
    return FALSE;
}

BOOL succeed()
{
    lastError = ERROR_SUCCESS;
    return TRUE;
}

// Read-only is the absence of the owner's write permission. The platform checks it itself, so
// that Windows' refusal holds also for a process running as root.
bool isReadOnly(const fs::path& path)
{
    std::error_code error;
    const auto permissions = fs::status(path, error).permissions();
    return !error && (permissions & fs::perms::owner_write) == fs::perms::none;
}

// The code Windows gives for a path that does not exist: the file's, or its folder's.
DWORD missingError(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path.parent_path(), error) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// The mapped path of an existing entry; nothing, with the last error set, otherwise.
std::optional<fs::path> existingPath(LPCWSTR path)
{
    const auto host = DriveMap::toHost(path ? path : L"");
    if (!host) {
        fail(ERROR_INVALID_NAME);
        return std::nullopt;
    }
    std::error_code error;
    if (!fs::exists(*host, error)) {
        fail(missingError(*host));
        return std::nullopt;
    }
    return host;
}

DWORD attributesOf(const fs::path& path)
{
    std::error_code error;
    const bool directory = fs::is_directory(path, error);
    DWORD attributes = directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (isReadOnly(path))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (path.filename().string().starts_with('.') && path.filename() != "." && path.filename() != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

FILETIME toFileTime(fs::file_time_type time)
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<nanoseconds>(file_clock::to_sys(time).time_since_epoch()).count();
    // FILETIME counts 100-nanosecond steps from 1601-01-01.
    const auto ticks = static_cast<std::uint64_t>(sinceEpoch / 100 + 116444736000000000LL);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

struct Search {
    std::vector<fs::path> entries;
    std::size_t next = 0;
};

std::set<Search*>& searches()
{
    static std::set<Search*> live;
    return live;
}

void fillFindData(const fs::path& path, const std::wstring& name, WIN32_FIND_DATAW* found)
{
    std::memset(found, 0, sizeof(*found));
    std::error_code error;
    found->dwFileAttributes = attributesOf(path);
    const auto writeTime = toFileTime(fs::last_write_time(path, error));
    found->ftCreationTime = found->ftLastAccessTime = found->ftLastWriteTime = writeTime;
    if (!fs::is_directory(path, error)) {
        const auto size = static_cast<std::uint64_t>(fs::file_size(path, error));
        found->nFileSizeLow = static_cast<DWORD>(size);
        found->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    }
    std::wcsncpy(found->cFileName, name.c_str(), MAX_PATH - 1);
}

std::wstring displayName(const fs::path& path) { return Utf8ToWide(path.filename().string()); }

} // namespace

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD error) { lastError = error; }

DWORD GetFileAttributesW(LPCWSTR path)
{
    const auto host = existingPath(path);
    if (!host)
        return INVALID_FILE_ATTRIBUTES;
    succeed();
    return attributesOf(*host);
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes)
{
    const auto host = existingPath(path);
    if (!host)
        return FALSE;
    std::error_code error;
    const auto write = fs::perms::owner_write | fs::perms::group_write;
    fs::permissions(*host, write,
                    (attributes & FILE_ATTRIBUTE_READONLY) ? fs::perm_options::remove : fs::perm_options::add, error);
    return error ? fail(ERROR_ACCESS_DENIED) : succeed();
}

BOOL CreateDirectoryW(LPCWSTR path, void*)
{
    const auto host = DriveMap::toHost(path ? path : L"");
    if (!host)
        return fail(ERROR_INVALID_NAME);
    std::error_code error;
    if (fs::exists(*host, error))
        return fail(ERROR_ALREADY_EXISTS);
    if (!fs::is_directory(host->parent_path(), error))
        return fail(ERROR_PATH_NOT_FOUND);
    fs::create_directory(*host, error);
    return error ? fail(ERROR_ACCESS_DENIED) : succeed();
}

BOOL RemoveDirectoryW(LPCWSTR path)
{
    const auto host = existingPath(path);
    if (!host)
        return FALSE;
    std::error_code error;
    if (!fs::is_directory(*host, error))
        return fail(ERROR_DIRECTORY);
    if (isReadOnly(*host))
        return fail(ERROR_ACCESS_DENIED);
    if (!fs::is_empty(*host, error))
        return fail(ERROR_DIR_NOT_EMPTY);
    fs::remove(*host, error);
    return error ? fail(ERROR_ACCESS_DENIED) : succeed();
}

BOOL DeleteFileW(LPCWSTR path)
{
    const auto host = existingPath(path);
    if (!host)
        return FALSE;
    std::error_code error;
    if (fs::is_directory(*host, error) || isReadOnly(*host))
        return fail(ERROR_ACCESS_DENIED);
    fs::remove(*host, error);
    return error ? fail(ERROR_ACCESS_DENIED) : succeed();
}

BOOL MoveFileW(LPCWSTR existing, LPCWSTR newName) { return MoveFileExW(existing, newName, 0); }

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags)
{
    const auto from = existingPath(existing);
    if (!from)
        return FALSE;
    const auto to = DriveMap::toHost(newName ? newName : L"");
    if (!to)
        return fail(ERROR_INVALID_NAME);
    std::error_code error;
    if (!(flags & MOVEFILE_REPLACE_EXISTING) && fs::exists(*to, error))
        return fail(ERROR_ALREADY_EXISTS);
    fs::rename(*from, *to, error);
    if (error)
        return fail(ERROR_ACCESS_DENIED);
    // The new name is an entry of its folder: the folder reaching the disk keeps it.
    const int folder = (flags & MOVEFILE_WRITE_THROUGH) ? ::open(to->parent_path().c_str(), O_RDONLY | O_DIRECTORY) : -1;
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return succeed();
}

bool MatchesWildcard(LPCWSTR pattern, LPCWSTR name)
{
    const std::wstring upperPattern = ToUpperWide(pattern);
    const std::wstring upperName = ToUpperWide(name);
    // "*.*" and "*." are Windows' old spellings of "every name".
    if (upperPattern == L"*.*" || upperPattern == L"*")
        return true;
    // Classic matching with back-tracking over the last star.
    std::size_t p = 0, n = 0, starP = std::wstring::npos, starN = 0;
    while (n < upperName.size()) {
        if (p < upperPattern.size() && (upperPattern[p] == L'?' || upperPattern[p] == upperName[n])) {
            ++p;
            ++n;
        } else if (p < upperPattern.size() && upperPattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::wstring::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < upperPattern.size() && (upperPattern[p] == L'*' || upperPattern[p] == L'.'))
        ++p;
    return p == upperPattern.size();
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found)
{
    std::wstring text = pattern ? pattern : L"";
    const auto cut = text.find_last_of(L"\\/");
    const std::wstring folder = cut == std::wstring::npos ? L"" : text.substr(0, cut + 1);
    const std::wstring mask = cut == std::wstring::npos ? text : text.substr(cut + 1);
    if (mask.empty())
        return fail(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    const auto host = DriveMap::toHost(folder.empty() ? L"." : folder);
    std::error_code error;
    if (!host || !fs::is_directory(*host, error))
        return fail(ERROR_PATH_NOT_FOUND), INVALID_HANDLE_VALUE;

    auto search = std::make_unique<Search>();
    const bool driveTop = host->parent_path() == DriveMap::root();
    if (!driveTop) {
        for (const wchar_t* dots : {L".", L".."})
            if (MatchesWildcard(mask.c_str(), dots))
                search->entries.push_back(*host / WideToUtf8(dots));
    }
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(*host, error))
        if (MatchesWildcard(mask.c_str(), displayName(entry.path()).c_str()))
            names.push_back(entry.path());
    std::sort(names.begin(), names.end(), [](const fs::path& a, const fs::path& b) {
        return ToUpperWide(displayName(a)) < ToUpperWide(displayName(b));
    });
    search->entries.insert(search->entries.end(), names.begin(), names.end());
    if (search->entries.empty())
        return fail(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;

    Search* handle = search.release();
    searches().insert(handle);
    FindNextFileW(handle, found);
    return handle;
}

BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* found)
{
    auto* state = static_cast<Search*>(search);
    if (!searches().contains(state))
        return fail(ERROR_INVALID_HANDLE);
    if (state->next >= state->entries.size())
        return fail(ERROR_NO_MORE_FILES);
    const fs::path& path = state->entries[state->next++];
    fillFindData(path, displayName(path), found);
    return succeed();
}

BOOL FindClose(HANDLE search)
{
    auto* state = static_cast<Search*>(search);
    if (!searches().erase(state))
        return fail(ERROR_INVALID_HANDLE);
    delete state;
    return succeed();
}

namespace {

const std::map<DWORD, const wchar_t*>& systemMessages()
{
    static const std::map<DWORD, const wchar_t*> messages = {
        {ERROR_SUCCESS, L"The operation completed successfully."},
        {ERROR_FILE_NOT_FOUND, L"The system cannot find the file specified."},
        {ERROR_PATH_NOT_FOUND, L"The system cannot find the path specified."},
        {ERROR_ACCESS_DENIED, L"Access is denied."},
        {ERROR_INVALID_HANDLE, L"The handle is invalid."},
        {ERROR_NOT_ENOUGH_MEMORY, L"Not enough memory resources are available to process this command."},
        {ERROR_NO_MORE_FILES, L"There are no more files."},
        {ERROR_SHARING_VIOLATION,
         L"The process cannot access the file because it is being used by another process."},
        {ERROR_FILE_EXISTS, L"The file exists."},
        {ERROR_INVALID_PARAMETER, L"The parameter is incorrect."},
        {ERROR_INSUFFICIENT_BUFFER, L"The data area passed to a system call is too small."},
        {ERROR_INVALID_NAME, L"The filename, directory name, or volume label syntax is incorrect."},
        {ERROR_MOD_NOT_FOUND, L"The specified module could not be found."},
        {ERROR_PROC_NOT_FOUND, L"The specified procedure could not be found."},
        {ERROR_DIR_NOT_EMPTY, L"The directory is not empty."},
        {ERROR_MR_MID_NOT_FOUND,
         L"The system cannot find message text for message number 0x%1 in the message file for %2."},
        {ERROR_ALREADY_EXISTS, L"Cannot create a file when that file already exists."},
        {ERROR_DIRECTORY, L"The directory name is invalid."},
        {ERROR_RESOURCE_DATA_NOT_FOUND, L"The specified image file did not contain a resource section."},
        {ERROR_RESOURCE_TYPE_NOT_FOUND, L"The specified resource type cannot be found in the image file."},
        {ERROR_RESOURCE_NAME_NOT_FOUND, L"The specified resource name cannot be found in the image file."},
    };
    return messages;
}

} // namespace

DWORD FormatMessageW(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPWSTR buffer, DWORD size, void*)
{
    const auto found = systemMessages().find(messageId);
    if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || found == systemMessages().end()) {
        lastError = ERROR_MR_MID_NOT_FOUND;
        return 0;
    }
    const std::wstring text = std::wstring(found->second) + L"\r\n";
    if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        auto* copy = new wchar_t[text.size() + 1];
        std::wcscpy(copy, text.c_str());
        *reinterpret_cast<LPWSTR*>(buffer) = copy;
    } else {
        if (size <= text.size()) {
            lastError = ERROR_INSUFFICIENT_BUFFER;
            return 0;
        }
        std::wcscpy(buffer, text.c_str());
    }
    lastError = ERROR_SUCCESS;
    return static_cast<DWORD>(text.size());
}

HLOCAL LocalFree(HLOCAL memory)
{
    delete[] static_cast<wchar_t*>(memory);
    return nullptr;
}
