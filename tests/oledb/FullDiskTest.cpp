// A disk that fills up under the worklist, as SQLite's own I/O-error tests make one: a layer under
// the engine whose writes fail with "disk full" while the test says so. No mount is needed.
#include "OleDbTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

bool diskFull = false;
sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs faultyVfs{};

// The engine's file, followed in the same allocation by the real file it passes calls to.
struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

FaultyFile* faulty(sqlite3_file* file) { return reinterpret_cast<FaultyFile*>(file); }

// Every call but a write goes to the real file as it came.
template <auto Method, class... Arguments>
auto Pass(sqlite3_file* file, Arguments... arguments)
{
    sqlite3_file* real = faulty(file)->real();
    return (real->pMethods->*Method)(real, arguments...);
}

int Write(sqlite3_file* file, const void* data, int size, sqlite3_int64 offset)
{
    return diskFull ? SQLITE_FULL : Pass<&sqlite3_io_methods::xWrite>(file, data, size, offset);
}

const sqlite3_io_methods faultyMethods = {
    2,
    &Pass<&sqlite3_io_methods::xClose>,
    &Pass<&sqlite3_io_methods::xRead, void*, int, sqlite3_int64>,
    &Write,
    &Pass<&sqlite3_io_methods::xTruncate, sqlite3_int64>,
    &Pass<&sqlite3_io_methods::xSync, int>,
    &Pass<&sqlite3_io_methods::xFileSize, sqlite3_int64*>,
    &Pass<&sqlite3_io_methods::xLock, int>,
    &Pass<&sqlite3_io_methods::xUnlock, int>,
    &Pass<&sqlite3_io_methods::xCheckReservedLock, int*>,
    &Pass<&sqlite3_io_methods::xFileControl, int, void*>,
    &Pass<&sqlite3_io_methods::xSectorSize>,
    &Pass<&sqlite3_io_methods::xDeviceCharacteristics>,
    &Pass<&sqlite3_io_methods::xShmMap, int, int, int, void volatile**>,
    &Pass<&sqlite3_io_methods::xShmLock, int, int, int>,
    &Pass<&sqlite3_io_methods::xShmBarrier>,
    &Pass<&sqlite3_io_methods::xShmUnmap, int>,
    nullptr,
    nullptr,
};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const int opened = realVfs->xOpen(realVfs, name, faulty(file)->real(), flags, outFlags);
    file->pMethods = opened == SQLITE_OK ? &faultyMethods : nullptr;
    return opened;
}

// The engine's own layer with writes that can fail, made the default while the test runs, under
// the session on a fresh worklist.
class FullDisk : public WorklistSession {
protected:
    void SetUp() override
    {
        realVfs = sqlite3_vfs_find(nullptr);
        faultyVfs = *realVfs;
        faultyVfs.zName = "serion-full-disk";
        faultyVfs.szOsFile = static_cast<int>(sizeof(FaultyFile)) + realVfs->szOsFile;
        faultyVfs.xOpen = &Open;
        ASSERT_EQ(sqlite3_vfs_register(&faultyVfs, 1), SQLITE_OK);
        WorklistSession::SetUp();
    }
    void TearDown() override
    {
        // The files close while the layer is still there.
        diskFull = false;
        groups.Close();
        session.Close();
        sqlite3_vfs_unregister(&faultyVfs);
        sqlite3_vfs_register(realVfs, 1);
    }
};

TEST_F(FullDisk, AWriteOnAFullDiskFailsNamingTheFileAndLeavesTheRowsAsTheyWere)
{
    groups.Set(2, L"Morning");
    ASSERT_EQ(groups.Insert(), S_OK);

    diskFull = true;
    groups.Set(3, L"Evening");
    EXPECT_TRUE(FAILED(groups.Insert()));
    EXPECT_EQ(ErrorDescriptions(), std::vector<std::wstring>{L"Not enough space on disk. '" +
                                                             std::wstring(WorklistRoot::databasePath) +
                                                             L"' stays as it was; free space on its drive, then "
                                                             L"try again."});
    diskFull = false;
    EXPECT_EQ(DirectLook(root.databaseFile()).Value("SELECT group_concat(GroupName) FROM group_tbl"), "Morning");
    groups.Set(3, L"Evening");
    EXPECT_EQ(groups.Insert(), S_OK) << "once there is space again";
}

} // namespace
