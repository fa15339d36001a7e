// Creating and dropping tables: any name the user types becomes a table that works, or is refused
// with a message; no name ever reaches the engine unquoted.
#include "OleDbTestSupport.h"

#include "oledb/CTableDefinition.h"

#include <gtest/gtest.h>

namespace {

using Descriptions = std::vector<std::wstring>;

HRESULT createTable(CTableDefinition& definition, const std::wstring& name)
{
    const DBCOLUMNDESC columns[] = {
        {L"", {DBKIND_NAME, L"aaaID"}, DBTYPE_I4, 0},
        {L"", {DBKIND_NAME, L"Method Name"}, DBTYPE_WSTR, 255},
    };
    return definition.CreateTable({DBKIND_NAME, name}, 2, columns);
}

class TableDefinition : public WorklistSession {
protected:
    void SetUp() override
    {
        WorklistSession::SetUp();
        ASSERT_EQ(definition.Open(session), S_OK);
    }
    CTableDefinition definition;
};

TEST_F(TableDefinition, NamesWithBlanksQuotesAndReservedWordsMakeWorkingTables)
{
    const CDBPropSet changeable = ChangeableRowset();

    const std::vector<std::wstring> names = {
        L"Night Shift", L"SELECT", L"order", L"group_tbl2", L"it's \"quoted\"", L"a]b[c", L"x; DROP TABLE group_tbl; --",
        L"Ölprobe µg/l", L"G.1", L"50% + 1",
    };
    for (const std::wstring& name : names) {
        ASSERT_EQ(createTable(definition, name), S_OK) << WideToUtf8(name);
        CCommand<CAccessor<NamedRow>> rows;
        ASSERT_EQ(rows.Open(session, (L" SELECT * FROM " + QuotedName(name) + L" ORDER BY aaaID ").c_str(), &changeable),
                  S_OK)
            << WideToUtf8(name);
        rows.aaaID = 0;
        wcscpy(rows.Name, name.c_str());
        ASSERT_EQ(rows.Insert(), S_OK);
        ASSERT_EQ(rows.MoveFirst(), S_OK);
        EXPECT_EQ(std::wstring(rows.Name), name);
    }
    DirectLook file(root.databaseFile());
    EXPECT_EQ(file.Value("SELECT count(*) FROM sqlite_master WHERE type = 'table'"), std::to_string(names.size() + 2));
    EXPECT_EQ(file.Value("PRAGMA integrity_check"), "ok");

    for (const std::wstring& name : names)
        EXPECT_EQ(definition.DropTable({DBKIND_NAME, name}), S_OK) << WideToUtf8(name);
    EXPECT_EQ(file.Value("SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'"), "group_tbl,user_tbl");
}

TEST_F(TableDefinition, RefusesNamesItCannotTakeAndTablesThatExistOrDoNot)
{

    ASSERT_EQ(createTable(definition, L"Morning"), S_OK);
    EXPECT_EQ(createTable(definition, L"MORNING"), DB_E_DUPLICATETABLEID) << "names are matched without case";
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"Table 'MORNING' already exists."});
    EXPECT_EQ(createTable(definition, L"user_tbl"), DB_E_DUPLICATETABLEID);

    for (const std::wstring& bad : {std::wstring(), std::wstring(L" leading"), std::wstring(L"tab\there"),
                                    std::wstring(65, L'n')}) {
        EXPECT_EQ(createTable(definition, bad), DB_E_BADTABLEID) << WideToUtf8(bad);
        const auto descriptions = ErrorDescriptions();
        ASSERT_EQ(descriptions.size(), 1u);
        EXPECT_TRUE(descriptions[0].starts_with(L"'" + bad + L"' is not a valid table name")) << descriptions[0];
    }
    EXPECT_EQ(createTable(definition, L"sqlite_master2"), DB_E_BADTABLEID) << "the engine keeps such names";
    EXPECT_EQ(createTable(definition, std::wstring(64, L'n')), S_OK);

    EXPECT_EQ(definition.DropTable({DBKIND_NAME, L"Evening"}), DB_E_NOTABLE);
    EXPECT_EQ(ErrorDescriptions(), Descriptions{L"The database engine cannot find the input table or query "
                                                L"'Evening'. Make sure it exists and that its name is spelled "
                                                L"correctly."});
    EXPECT_EQ(definition.DropTable({DBKIND_NAME, L"morning"}), S_OK);

    const DBCOLUMNDESC badType[] = {{L"", {DBKIND_NAME, L"When"}, 7, 0}};
    EXPECT_EQ(definition.CreateTable({DBKIND_NAME, L"Dates"}, 1, badType), DB_E_BADTYPE);

    CTableDefinition closed;
    CSession none;
    EXPECT_EQ(closed.Open(none), E_NOINTERFACE);
}

} // namespace
