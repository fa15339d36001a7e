// Moving over rows and changing them: row handles, the end of the rows, writes that take effect
// at once, texts wider than their columns, and commands the provider cannot run.
#include "OleDbTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Descriptions = std::vector<std::wstring>;

using Rowset = WorklistSession;

TEST_F(Rowset, MovesInsertsChangesAndDeletesAsTheTablesUseThem)
{
    EXPECT_FALSE(groups.HasCurrentRow());
    EXPECT_EQ(groups.MoveFirst(), DB_S_ENDOFROWSET) << "an empty table";
    EXPECT_EQ(groups.MoveLast(), DB_S_ENDOFROWSET);

    for (LONG id = 2; id <= 6; ++id) {
        groups.Set(id, L"G" + std::to_wstring(id));
        ASSERT_EQ(groups.Insert(), S_OK);
    }
    EXPECT_FALSE(groups.HasCurrentRow()) << "an insert does not move the cursor";
    EXPECT_EQ(GroupNames(groups), (Descriptions{L"G2", L"G3", L"G4", L"G5", L"G6"}));

    // The end leaves no current row and the record as it was.
    EXPECT_EQ(groups.MoveNext(), DB_S_ENDOFROWSET);
    EXPECT_FALSE(groups.HasCurrentRow());
    EXPECT_EQ(groups.GroupID, 6);
    EXPECT_EQ(groups.SetData(), DB_E_BADROWHANDLE);
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"There is no current row to change."});

    // Place n of the natural order: MoveFirst, then MoveNext(n - 1).
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    ASSERT_EQ(groups.MoveNext(2), S_OK);
    EXPECT_EQ(groups.GroupID, 5);
    EXPECT_EQ(groups.MoveNext(5), DB_S_ENDOFROWSET);
    ASSERT_EQ(groups.MoveLast(), S_OK);
    EXPECT_EQ(groups.GroupID, 6);

    // A change is in the file at once, seen by a rowset opened afterwards.
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    ASSERT_EQ(groups.MoveNext(), S_OK);
    wcscpy(groups.ShutDownOption, L"LAMPALL OFF");
    ASSERT_EQ(groups.SetData(), S_OK);
    DirectLook file(root.databaseFile());
    EXPECT_EQ(file.Value("SELECT ShutDownOption FROM group_tbl WHERE GroupID = 3"), "LAMPALL OFF");

    // Deleting the current row: the next move reads the row that followed it.
    ASSERT_EQ(groups.Delete(), S_OK);
    EXPECT_FALSE(groups.HasCurrentRow());
    EXPECT_EQ(groups.Delete(), DB_E_BADROWHANDLE);
    ASSERT_EQ(groups.MoveNext(), S_OK);
    EXPECT_EQ(groups.GroupID, 4);
    EXPECT_EQ(file.Value("SELECT count(*) FROM group_tbl"), "4");

    GroupRows reopened;
    ASSERT_EQ(reopened.Open(session), S_OK);
    EXPECT_EQ(GroupNames(reopened), (Descriptions{L"G2", L"G4", L"G5", L"G6"}));
}

TEST_F(Rowset, TextsOfAnyCharactersAreKeptThoseWiderThanTheirColumnRefusedAndLongerOnesCutToTheBuffer)
{
    const std::wstring name = L"Caf\u00e9 \u00f1 \U0001F600";
    groups.Set(2, name);
    ASSERT_EQ(groups.Insert(), S_OK);
    groups.Set(3, std::wstring(50, L'\u00e9'));
    ASSERT_EQ(groups.Insert(), S_OK) << "exactly the column's width fits";

    // The record's buffer holds 51 characters; the column holds 50.
    groups.Set(4, L"ok");
    std::fill_n(groups.ShutDownOption, 50, L'y');
    groups.ShutDownOption[50] = L'z';
    EXPECT_EQ(groups.Insert(), DB_E_ERRORSOCCURRED);
    const auto descriptions = ErrorDescriptions();
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_TRUE(descriptions[0].starts_with(L"The field 'group_tbl.ShutDownOption' is too small")) << descriptions[0];
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    EXPECT_EQ(std::wstring(groups.GroupName), name);
    std::fill_n(groups.GroupName, 51, L'w');
    EXPECT_EQ(groups.SetData(), DB_E_ERRORSOCCURRED);
    DirectLook file(root.databaseFile());
    EXPECT_EQ(file.Value("SELECT count(*) FROM group_tbl"), "2");
    EXPECT_EQ(file.Value("SELECT GroupName FROM group_tbl"), "Caf\xC3\xA9 \xC3\xB1 \xF0\x9F\x98\x80");

    // A stored text longer than the record's buffer is cut to the buffer, by characters, when it is read.
    struct NarrowName {
        WCHAR GroupName[4];
        BEGIN_COLUMN_MAP(NarrowName)
            COLUMN_ENTRY(2, GroupName)
        END_COLUMN_MAP()
    };
    CCommand<CAccessor<NarrowName>> narrow;
    ASSERT_EQ(narrow.Open(session, L"SELECT * FROM group_tbl"), S_OK);
    ASSERT_EQ(narrow.MoveFirst(), S_OK);
    EXPECT_EQ(std::wstring(narrow.GroupName), L"Caf");
    ASSERT_EQ(narrow.MoveNext(), S_OK);
    EXPECT_EQ(std::wstring(narrow.GroupName), L"\u00e9\u00e9\u00e9");
}

TEST_F(Rowset, CommandsThatCannotRunSayWhy)
{
    const CDBPropSet changeable = ChangeableRowset();
    CCommand<CAccessor<GroupRow>> rows;

    EXPECT_EQ(rows.Open(session, L" SELECT * FROM [Night Shift] ORDER BY aaaID ", &changeable), DB_E_NOTABLE);
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"The database engine cannot find the input table or query "
                                                L"'Night Shift'. Make sure it exists and that its name is "
                                                L"spelled correctly."});
    EXPECT_EQ(rows.Open(session, L"SELECT * FROM group_tbl ORDER", &changeable), DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(ErrorDescriptions().size(), 1u);
    EXPECT_EQ(rows.Open(session, L"DELETE FROM group_tbl", &changeable), DB_E_ERRORSINCOMMAND);
    EXPECT_EQ(rows.Open(session, L"", &changeable), DB_E_NOCOMMAND);
    EXPECT_EQ(rows.MoveFirst(), E_UNEXPECTED) << "a failed open leaves no rowset";

    CDBPropSet unknown(DBPROPSET_ROWSET);
    unknown.AddProperty(0xEE, true);
    EXPECT_EQ(rows.Open(session, L"SELECT * FROM group_tbl", &unknown), DB_E_ERRORSOCCURRED);
    CDBPropSet optional(DBPROPSET_ROWSET);
    optional.AddProperty(0xEE, true, DBPROPOPTIONS_OPTIONAL);
    EXPECT_EQ(rows.Open(session, L"SELECT * FROM group_tbl", &optional), S_OK);

    // Without the change properties the rowset is read-only.
    ASSERT_EQ(rows.Open(session, L"SELECT * FROM group_tbl"), S_OK);
    EXPECT_EQ(rows.Insert(), E_NOINTERFACE);
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"The rowset was opened for reading only."});

    // A record that binds more columns than the command returns cannot be bound.
    EXPECT_EQ(rows.Open(session, L"SELECT GroupID, GroupName FROM group_tbl", &changeable), DB_E_BADBINDINFO);
}

} // namespace
