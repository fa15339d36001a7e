// Windows paths on the mapped drives: separators, case, wildcards, read-only files, error codes,
// and text-mode appends that another process can read between two writes.
#include "kernel/CrtFile.h"
#include "kernel/DriveMap.h"
#include "kernel/FileApi.h"
#include "kernel/FileLockApi.h"
#include "kernel/UserName.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

std::set<std::wstring> findAll(const std::wstring& pattern)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileW(search, &found));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return names;
}

TEST(Files, DrivesMapUnderTheRootWithEitherSeparatorAndAnyCase)
{
    TempRoot root;
    ASSERT_TRUE(CreateDirectoryW(L"C:\\Orvane", nullptr));
    ASSERT_TRUE(CreateDirectoryW(L"c:/orvane/Methods", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(root.onDriveC("Orvane/Methods")));
    EXPECT_EQ(GetFileAttributesW(L"C:\\ORVANE\\methods\\"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(DriveMap::toHost(L"C:\\orvane\\METHODS\\..\\Methods\\x.txt"), root.onDriveC("Orvane/Methods/x.txt"));
    EXPECT_EQ(DriveMap::toWindows(root.onDriveC("Orvane/Methods")), L"C:\\Orvane\\Methods");
    EXPECT_EQ(DriveMap::toHost(L"\\\\server\\share"), std::nullopt);
    // Windows drops trailing dots and blanks, stops at the drive's top, and takes drive C by default.
    EXPECT_EQ(DriveMap::toHost(L"\\orvane\\methods. "), root.onDriveC("Orvane/Methods"));
    EXPECT_EQ(DriveMap::toHost(L"C:\\..\\..\\Orvane"), root.onDriveC("Orvane"));
    EXPECT_EQ(DriveMap::toWindows("/somewhere/else"), L"");

    EXPECT_FALSE(CreateDirectoryW(L"C:\\ORVANE", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(L"C:\\missing\\child", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CreateDirectoryW(L"C:\\bad|name", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Orvane\\nothing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesW(L"C:\\nowhere\\nothing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Orvane"));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
}

TEST(Files, ALargeFolderFindsNamesInAnyCaseAsOtherProgramsAddRemoveAndRenameThem)
{
    TempRoot root;
    const auto data = root.onDriveC("Data");
    for (int n = 0; n < 100; ++n)
        std::filesystem::create_directories(data / ("Run" + std::to_string(n) + ".d"));
    EXPECT_EQ(DriveMap::toHost(L"C:\\data\\RUN50.D"), data / "Run50.d");
    // Changed behind the platform's back, as another Orvane would change it.
    std::filesystem::create_directory(data / "Late.d");
    EXPECT_EQ(DriveMap::toHost(L"C:\\DATA\\late.D"), data / "Late.d");
    std::filesystem::rename(data / "Run7.d", data / "Moved.d");
    EXPECT_EQ(DriveMap::toHost(L"C:\\DATA\\run7.d"), data / "run7.d") << "gone: the name as given";
    EXPECT_EQ(DriveMap::toHost(L"C:\\DATA\\MOVED.D"), data / "Moved.d");
    // A folder made anew at the same path is read anew.
    std::filesystem::remove_all(data);
    for (int n = 0; n < 100; ++n)
        std::filesystem::create_directories(data / ("Again" + std::to_string(n)));
    EXPECT_EQ(DriveMap::toHost(L"C:\\Data\\AGAIN3"), data / "Again3");
}

TEST(Files, WildcardSearchMatchesWithoutRegardToCase)
{
    TempRoot root;
    for (const char* name : {"Methods/FIA1.M/FIA.REG", "Methods/fia2.m/FIA.REG", "Methods/Notes.txt",
                             "Methods/README"})
        WriteFileBytes(root.onDriveC(name), "x");
    EXPECT_EQ(findAll(L"C:\\METHODS\\*.M"), (std::set<std::wstring>{L"FIA1.M", L"fia2.m"}));
    EXPECT_EQ(findAll(L"C:/methods/fia?.m"), (std::set<std::wstring>{L"FIA1.M", L"fia2.m"}));
    EXPECT_EQ(findAll(L"C:\\Methods\\*.*"),
              (std::set<std::wstring>{L".", L"..", L"FIA1.M", L"fia2.m", L"Notes.txt", L"README"}));
    EXPECT_EQ(findAll(L"C:\\Methods\\*.xyz"), std::set<std::wstring>{});
    EXPECT_TRUE(MatchesWildcard(L"*", L"anything"));
    EXPECT_FALSE(MatchesWildcard(L"a?c", L"ac"));

    WIN32_FIND_DATAW found{};
    EXPECT_EQ(FindFirstFileW(L"C:\\Methods\\*.xyz", &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(L"C:\\NoSuchFolder\\*.*", &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(FindClose(reinterpret_cast<HANDLE>(&found)));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Files, ReadOnlyFileIsRefusedUntilItsAttributeIsCleared)
{
    TempRoot root;
    WriteFileBytes(root.onDriveC("data/old.dat"), "old");
    ASSERT_TRUE(SetFileAttributesW(L"C:\\DATA\\OLD.DAT", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(L"C:\\data\\old.dat"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFileW(L"C:\\data\\old.dat"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    ASSERT_TRUE(SetFileAttributesW(L"C:\\data\\old.dat", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(L"C:\\data\\old.dat"));
    EXPECT_FALSE(DeleteFileW(L"C:\\data\\old.dat"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileW(L"C:\\data"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\data\\"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\data"), INVALID_FILE_ATTRIBUTES);
}

TEST(Files, AByteLockHoldsAgainstEveryOtherHandleAndEndsWithItsOwnEvenWhileAChildHoldsACopy)
{
    TempRoot root;
    const auto open = [] {
        return CreateFileW(L"C:\\claims", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, 0, nullptr);
    };
    const auto lock = [](HANDLE file, DWORD byte) {
        OVERLAPPED place{};
        place.Offset = byte;
        return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place);
    };
    HANDLE held = open();
    ASSERT_TRUE(lock(held, 7));
    HANDLE other = open();
    EXPECT_FALSE(lock(other, 7)) << "another handle of the same process";
    EXPECT_EQ(GetLastError(), ERROR_LOCK_VIOLATION);
    EXPECT_TRUE(lock(other, 8));

    // A child being started keeps a copy of the descriptor until its program starts; this one waits
    // until the pipe closes.
    int started[2];
    ASSERT_EQ(pipe(started), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(started[1]);
        char byte;
        _exit(static_cast<int>(read(started[0], &byte, 1)));
    }
    ASSERT_TRUE(CloseHandle(held));
    EXPECT_TRUE(lock(other, 7)) << "the closed handle's lock is gone";
    close(started[1]);
    close(started[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(CloseHandle(other));
}

TEST(Files, TextModeAppendWritesCarriageReturnsAndIsReadableBetweenAppends)
{
    TempRoot root;
    {
        auto file = CrtFile::open(L"C:\\SRNA.LOG", L"a+");
        ASSERT_TRUE(file);
        EXPECT_TRUE(file->write(L"first\nCleanRunState"));
    }
    // Another process sees the whole first entry before the second one is written.
    const std::string command = "cat '" + root.onDriveC("SRNA.LOG").string() + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> reader(popen(command.c_str(), "r"), pclose);
    std::string seen;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, reader.get()))
        seen += buffer;
    EXPECT_EQ(seen, "first\r\nCleanRunState");

    auto file = CrtFile::open(L"c:/srna.log", L"a+");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write(L"second \u00E9\u4E2D\n"));
    file.reset();
    EXPECT_EQ(ReadFileBytes(root.onDriveC("SRNA.LOG")), "first\r\nCleanRunStatesecond \xE9?\r\n");
    EXPECT_FALSE(CrtFile::open(L"C:\\no\\such\\folder\\x.log", L"a+"));
}

TEST(Files, LoginNameIsReportedWithItsSize)
{
    wchar_t name[260];
    DWORD size = 260;
    ASSERT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(size, std::wcslen(name) + 1);
    DWORD tooSmall = 0;
    EXPECT_FALSE(GetUserNameW(name, &tooSmall));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(tooSmall, size);
}

} // namespace
