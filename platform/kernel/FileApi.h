// The Win32 file and folder calls, on Windows paths mapped by DriveMap. Each sets the last error
// with the Win32 code; FormatMessageW gives the system's text for a code.
#pragma once

#include "WinTypes.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
};

DWORD GetLastError();
void SetLastError(DWORD error);

DWORD GetFileAttributesW(LPCWSTR path);
// Only the read-only attribute has an effect; the others are accepted and kept by nothing.
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);
BOOL CreateDirectoryW(LPCWSTR path, void* securityAttributes);
BOOL RemoveDirectoryW(LPCWSTR path);
BOOL DeleteFileW(LPCWSTR path);
// Renames a file or a folder; a new name that exists already is refused (ERROR_ALREADY_EXISTS).
BOOL MoveFileW(LPCWSTR existing, LPCWSTR newName);

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x01;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x08;
// Renames a file; with MOVEFILE_REPLACE_EXISTING a file of the new name is replaced in one step,
// so that a reader finds the old file or the new one, never neither; with MOVEFILE_WRITE_THROUGH
// the rename has reached the disk when the call returns.
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags);

// The pattern's last component may hold * and ?; names match without regard to case, and "*.*"
// matches every name. "." and ".." are found in every folder below a drive's top.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* found);
BOOL FindClose(HANDLE search);
// Whether name matches a Windows wildcard pattern.
bool MatchesWildcard(LPCWSTR pattern, LPCWSTR name);

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x0100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x0200;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
constexpr DWORD LANG_NEUTRAL = 0;
constexpr DWORD SUBLANG_DEFAULT = 1;
constexpr DWORD MAKELANGID(DWORD primary, DWORD sub) { return (sub << 10) | primary; }

// The system message text of messageId, with its line end. With FORMAT_MESSAGE_ALLOCATE_BUFFER,
// buffer is taken as LPWSTR* and receives a text to free with LocalFree. Returns the characters
// written; 0 for a code without a text (last error ERROR_MR_MID_NOT_FOUND).
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     void* arguments);
HLOCAL LocalFree(HLOCAL memory);
