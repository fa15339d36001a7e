// File handles and byte-range locks over Linux open file description locks: unlike classic POSIX
// record locks, they conflict between two handles of one process and are not dropped when another
// handle of the same file is closed.
#include "FileLockApi.h"

#include "DriveMap.h"
#include "FileApi.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct FileHandle {
    int fd;
};

FileHandle* fileOf(HANDLE file)
{
    return file && file != INVALID_HANDLE_VALUE ? static_cast<FileHandle*>(file) : nullptr;
}

BOOL lockRange(HANDLE file, short type, int command, DWORD bytesLow, DWORD bytesHigh, const OVERLAPPED* overlapped)
{
    FileHandle* handle = fileOf(file);
    if (!handle || !overlapped) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    struct flock range{};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>((static_cast<ULONGLONG>(overlapped->OffsetHigh) << 32) | overlapped->Offset);
    range.l_len = static_cast<off_t>((static_cast<ULONGLONG>(bytesHigh) << 32) | bytesLow);
    if (::fcntl(handle->fd, command, &range) == 0) {
        ::SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    ::SetLastError(errno == EAGAIN || errno == EACCES ? ERROR_LOCK_VIOLATION : ERROR_ACCESS_DENIED);
    return FALSE;
}

} // namespace

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD, void*, DWORD disposition, DWORD, HANDLE)
{
    const auto host = DriveMap::toHost(path ? path : L"");
    if (!host || disposition != OPEN_ALWAYS) {
        ::SetLastError(host ? ERROR_INVALID_PARAMETER : ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    const int mode = (access & GENERIC_WRITE) ? O_RDWR : O_RDONLY;
    const int fd = ::open(host->c_str(), mode | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        ::SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    ::SetLastError(ERROR_SUCCESS);
    return new FileHandle{fd};
}

BOOL CloseHandle(HANDLE file)
{
    FileHandle* handle = fileOf(file);
    if (!handle) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A child being started on another thread holds a copy of the descriptor until its program
    // starts; the handle's locks end with the handle all the same.
    struct flock everything{};
    everything.l_type = F_UNLCK;
    everything.l_whence = SEEK_SET;
    ::fcntl(handle->fd, F_OFD_SETLK, &everything);
    ::close(handle->fd);
    delete handle;
    return TRUE;
}

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD, DWORD bytesLow, DWORD bytesHigh, OVERLAPPED* overlapped)
{
    const short type = (flags & LOCKFILE_EXCLUSIVE_LOCK) ? F_WRLCK : F_RDLCK;
    const int command = (flags & LOCKFILE_FAIL_IMMEDIATELY) ? F_OFD_SETLK : F_OFD_SETLKW;
    return lockRange(file, type, command, bytesLow, bytesHigh, overlapped);
}

BOOL UnlockFileEx(HANDLE file, DWORD, DWORD bytesLow, DWORD bytesHigh, OVERLAPPED* overlapped)
{
    return lockRange(file, F_UNLCK, F_OFD_SETLK, bytesLow, bytesHigh, overlapped);
}
