// Files opened for locking, and byte-range locks on them that the system drops with the process:
// what a host uses to claim work that no other live host may take.
#pragma once

#include "WinTypes.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x01;
constexpr DWORD FILE_SHARE_WRITE = 0x02;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x01;
constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x02;
constexpr DWORD ERROR_LOCK_VIOLATION = 33;

struct OVERLAPPED {
    UINT_PTR Internal;
    UINT_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};

// Only what locking needs: read and write access, OPEN_ALWAYS; share modes and attributes are
// accepted and have no effect.
HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, void* securityAttributes, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL CloseHandle(HANDLE file);
// A lock conflicts with every other handle's, also with another handle of the same process, and
// goes when its handle is closed or its process ends, however it ends.
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, OVERLAPPED* overlapped);
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD bytesLow, DWORD bytesHigh, OVERLAPPED* overlapped);
