// Opening the worklist: the provider by its identifier, an existing file only, and the error
// records of every way the open can fail.
#include "OleDbTestSupport.h"

#include "oledb/Com.h"
#include "kernel/FileApi.h"

#include <gtest/gtest.h>

namespace {

using Descriptions = std::vector<std::wstring>;

TEST(DataSource, PathsThatReachNoDatabaseFailWithOneRecordAndCreateNothing)
{
    WorklistRoot root;
    CSession session;
    EXPECT_EQ(OpenSession(session, L"C:\\Nowhere\\worklist.mdb"), E_FAIL);
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"Could not find file 'C:\\Nowhere\\worklist.mdb'."});
    EXPECT_FALSE(session.m_spOpenRowset);
    EXPECT_FALSE(std::filesystem::exists(root.onDriveC("Nowhere")));
    EXPECT_EQ(OpenSession(session, L"C:\\bad|name.mdb"), E_FAIL);
    EXPECT_EQ(ErrorDescriptions().size(), 1u);

    // A worklist cut to nothing is not taken for an empty database.
    WriteFileBytes(root.databaseFile(), "");
    EXPECT_EQ(OpenSession(session), E_FAIL);
    EXPECT_EQ(ErrorDescriptions(),
              Descriptions{L"Unrecognized database format '" + std::wstring(WorklistRoot::databasePath) +
                           L"'. The file is damaged or is not a worklist; put back a copy from a backup, or the "
                           L"delivered worklist."});
    EXPECT_EQ(ReadFileBytes(root.databaseFile()), "") << "the file is left as it was";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.databaseFile().parent_path()), {}), 1)
        << "nothing was created beside it";
}

TEST(DataSource, ReadOnlyFileIsReadButNotWritten)
{
    WorklistRoot root;
    {
        CSession session;
        ASSERT_EQ(OpenSession(session), S_OK);
        GroupRows groups;
        ASSERT_EQ(groups.Open(session), S_OK);
        groups.Set(2, L"Morning");
        ASSERT_EQ(groups.Insert(), S_OK);
    }
    ASSERT_TRUE(SetFileAttributesW(WorklistRoot::databasePath, FILE_ATTRIBUTE_READONLY));
    const std::string before = ReadFileBytes(root.databaseFile());

    CSession session;
    ASSERT_EQ(OpenSession(session), S_OK);
    GroupRows groups;
    ASSERT_EQ(groups.Open(session), S_OK);
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    EXPECT_EQ(std::wstring(groups.GroupName), L"Morning");

    wcscpy(groups.ShutDownOption, L"STANDBY");
    EXPECT_EQ(groups.SetData(), DB_SEC_E_PERMISSIONDENIED);
    const auto descriptions = ErrorDescriptions();
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_EQ(descriptions[0], L"Cannot update. Database or object is read-only: '" +
                                   std::wstring(WorklistRoot::databasePath) +
                                   L"'. Clear the file's read-only attribute and give your account write access to "
                                   L"it and to its folder, then try again.");
    groups.Set(3, L"Evening");
    EXPECT_EQ(groups.Insert(), DB_SEC_E_PERMISSIONDENIED);
    EXPECT_EQ(ReadFileBytes(root.databaseFile()), before);
}

} // namespace
