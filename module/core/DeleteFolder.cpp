// A depth-first walk that clears each file's attributes so read-only data files can go too.
#include "DeleteFolder.h"

#include "ShowSystemError.h"

#include "kernel/FileApi.h"

#include <string>

namespace {

bool IsDotEntry(const WCHAR* name) { return std::wstring_view(name) == L"." || std::wstring_view(name) == L".."; }

void DeleteFileEntry(const std::wstring& file)
{
    if (!::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL))
        ShowSystemError(::GetLastError());
    if (!::DeleteFileW(file.c_str()))
        ShowSystemError(::GetLastError());
}

} // namespace

BOOL DeleteFolder(LPCWSTR path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FALSE;

    std::wstring folder(path);
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();

    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotEntry(found.cFileName))
                continue;
            const std::wstring entry = folder + L"\\" + found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteFolder(entry.c_str());
            else
                DeleteFileEntry(entry);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    if (!::RemoveDirectoryW(folder.c_str()))
        ShowSystemError(::GetLastError());
    return TRUE;
}
