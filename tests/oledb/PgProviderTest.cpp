// The provider over the tests' PostgreSQL server: names of any shape and length keep tables of
// their own, an edit's writes go ahead unanswered yet fail it whole, and an unreachable server, a
// refused account and a lost connection are error records the user can read, with the lost
// connection taken up again.
#include "OleDbTestSupport.h"

#include "ServerWorklist.h"

#include "oledb/CTableDefinition.h"
#include "oledb/Database.h"
#include "support/PgServer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Descriptions = std::vector<std::wstring>;

class ServerSession : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(InitServerWorklist(connection, error)) << error;
        ASSERT_EQ(OpenSession(session, connection, L"PostgreSQL.1"), S_OK);
        ASSERT_EQ(groups.Open(session), S_OK);
    }

    const std::wstring connection = PgServer::NewDatabase();
    CSession session;
    GroupRows groups;
};

TEST_F(ServerSession, NamesOfAnyShapeAndLengthKeepTablesOfTheirOwn)
{
    CTableDefinition definition;
    ASSERT_EQ(definition.Open(session), S_OK);
    const CDBPropSet changeable = ChangeableRowset();
    const std::wstring sharedStart(60, L'n');
    const std::vector<std::wstring> names = {
        L"Night Shift", L"SELECT", L"it's \"quoted\"", L"x; DROP TABLE group_tbl; --", L"Ölprobe µg/l",
        sharedStart + L"AAAA", sharedStart + L"AAAB", std::wstring(64, L'Ö'), std::wstring(63, L'Ö') + L"Ü",
    };
    const DBCOLUMNDESC columns[] = {{L"", {DBKIND_NAME, L"aaaID"}, DBTYPE_I4, 0},
                                    {L"", {DBKIND_NAME, L"Method Name"}, DBTYPE_WSTR, 255}};
    for (const std::wstring& name : names) {
        ASSERT_EQ(definition.CreateTable({DBKIND_NAME, name}, 2, columns), S_OK) << WideToUtf8(name);
        CCommand<CAccessor<NamedRow>> rows;
        ASSERT_EQ(rows.Open(session, (L"SELECT * FROM " + QuotedName(name) + L" ORDER BY aaaID").c_str(), &changeable), S_OK);
        rows.aaaID = 7;
        wcscpy(rows.Name, name.c_str());
        ASSERT_EQ(rows.Insert(), S_OK);
    }
    // Each table holds its own row only: no two names met on the server.
    for (const std::wstring& name : names) {
        CCommand<CAccessor<NamedRow>> rows;
        ASSERT_EQ(rows.Open(session, (L"SELECT * FROM " + QuotedName(name)).c_str()), S_OK);
        ASSERT_EQ(rows.MoveFirst(), S_OK);
        EXPECT_EQ(std::wstring(rows.Name), name);
        EXPECT_EQ(rows.aaaID, 7);
        EXPECT_EQ(rows.MoveNext(), DB_S_ENDOFROWSET);
    }
    EXPECT_EQ(definition.CreateTable({DBKIND_NAME, L"night shift"}, 2, columns), DB_E_DUPLICATETABLEID);
    EXPECT_EQ(definition.CreateTable({DBKIND_NAME, sharedStart + L"aaaa"}, 2, columns), DB_E_DUPLICATETABLEID);
    for (const std::wstring& name : names)
        EXPECT_EQ(definition.DropTable({DBKIND_NAME, name}), S_OK) << WideToUtf8(name);
    EXPECT_EQ(definition.DropTable({DBKIND_NAME, L"Night Shift"}), DB_E_NOTABLE);
}

TEST_F(ServerSession, AnEditsWritesAreSeenByItsReadsAndOneThatFailsFailsTheEditWhole)
{
    ASSERT_EQ(session.m_spOpenRowset->Execute("CREATE UNIQUE INDEX ON group_tbl (\"GroupName\")", IID_ICommand, L""),
              S_OK);
    groups.Set(1, L"Morning");
    ASSERT_EQ(groups.Insert(), S_OK);

    ASSERT_EQ(session.StartTransaction(), S_OK);
    // The first write of each kind waits for its answer, the next ones go ahead.
    for (const auto& [id, name] : {std::pair{2, L"Evening"}, {3, L"Late"}}) {
        groups.Set(id, name);
        ASSERT_EQ(groups.Insert(), S_OK);
    }
    // Updates of the rows an edit read go to the server as one statement, which a row met again
    // ends, so that the row's last value holds. Texts keep what an array's elements would spell.
    const std::wstring spelled = L"{\"a\\\", b} NULL";
    ASSERT_EQ(groups.Open(session), S_OK);
    for (const std::wstring& name : {std::wstring(L"Noon"), std::wstring(L"Day"), std::wstring(L"Dawn"), std::wstring(L"Dusk"), spelled}) {
        if (groups.MoveNext() != S_OK) {
            ASSERT_EQ(groups.MoveFirst(), S_OK);
        }
        wcscpy(groups.GroupName, name.c_str());
        ASSERT_EQ(groups.SetData(), S_OK);
    }
    GroupRows reread;
    ASSERT_EQ(reread.Open(session), S_OK);
    Descriptions names = GroupNames(reread);
    std::ranges::sort(names);
    EXPECT_EQ(names, (Descriptions{L"Dawn", L"Dusk", spelled}));
    // The server refuses the second "Dawn" only when the next read waits for its answers.
    for (const auto& [id, name] : {std::pair{4, L"Dawn"}, {5, L"Night"}}) {
        groups.Set(id, name);
        EXPECT_EQ(groups.Insert(), S_OK) << "sent ahead";
    }
    EXPECT_EQ(reread.Open(session), E_FAIL);
    const Descriptions descriptions = ErrorDescriptions();
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_TRUE(descriptions[0].starts_with(L"duplicate key value")) << descriptions[0];
    EXPECT_EQ(session.Commit(), XACT_E_COMMITFAILED);

    // An edit's run of updates that finds a row deleted by another session fails the edit whole.
    groups.Set(2, L"Evening");
    ASSERT_EQ(groups.Insert(), S_OK);
    CSession other;
    ASSERT_EQ(OpenSession(other, connection, L"PostgreSQL.1"), S_OK);
    ASSERT_EQ(session.StartTransaction(), S_OK);
    ASSERT_EQ(groups.Open(session), S_OK);
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    wcscpy(groups.GroupName, L"Noon");
    EXPECT_EQ(groups.SetData(), S_OK);
    const std::string others = "DELETE FROM group_tbl WHERE \"GroupID\" <> " + std::to_string(groups.GroupID);
    ASSERT_EQ(other.m_spOpenRowset->Execute(others, IID_ICommand, L""), S_OK);
    ASSERT_EQ(groups.MoveNext(), S_OK);
    wcscpy(groups.GroupName, L"Dusk");
    EXPECT_EQ(groups.SetData(), S_OK) << "sent ahead";
    EXPECT_EQ(session.Commit(), DB_E_DELETEDROW);
    ASSERT_EQ(reread.Open(session), S_OK);
    EXPECT_EQ(GroupNames(reread), Descriptions{L"Morning"});
}

TEST_F(ServerSession, FailuresAreErrorRecordsAndALostConnectionIsTakenUpAgain)
{
    // The messages name the server without its password, however the connection gives it.
    CSession other;
    Descriptions descriptions;
    for (const auto& [given, shown] : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"postgresql://serion:S3cret@/nowhere?host=/nonexistent&password=S3cret",
              L"'postgresql://serion:***@/nowhere?host=/nonexistent'"},
             {L"dbname=nowhere host=/nonexistent password = 'S3 \\'cret' user=serion",
              L"'user=serion password=*** dbname=nowhere host=/nonexistent'"}}) {
        EXPECT_EQ(OpenSession(other, given, L"PostgreSQL.1"), DB_E_CANNOTCONNECT);
        descriptions = ErrorDescriptions();
        ASSERT_EQ(descriptions.size(), 1u);
        EXPECT_TRUE(descriptions[0].starts_with(L"Could not reach the worklist server " + shown)) << descriptions[0];
        EXPECT_EQ(descriptions[0].find(L"S3"), std::wstring::npos) << descriptions[0];
    }
    EXPECT_EQ(OpenSession(other, connection + L"x", L"PostgreSQL.1"), DB_E_CANNOTCONNECT) << "a database the server lacks";

    groups.Set(2, L"Morning");
    ASSERT_EQ(groups.Insert(), S_OK);
    // Outside a transaction the next call connects again and is sent once more.
    PgServer::EndSessions(connection);
    groups.Set(3, L"Evening");
    EXPECT_EQ(groups.Insert(), S_OK);

    // Inside one the edit fails whole, and the session works again after it.
    ASSERT_EQ(session.StartTransaction(), S_OK);
    groups.Set(4, L"Night");
    ASSERT_EQ(groups.Insert(), S_OK);
    PgServer::EndSessions(connection);
    groups.Set(5, L"Late");
    EXPECT_EQ(groups.Insert(), S_OK) << "sent ahead";
    EXPECT_EQ(session.Commit(), DB_E_CANNOTCONNECT);
    descriptions = ErrorDescriptions();
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_TRUE(descriptions[0].starts_with(L"Lost the connection to the worklist server")) << descriptions[0];

    GroupRows reread;
    ASSERT_EQ(reread.Open(session), S_OK);
    EXPECT_EQ(GroupNames(reread), (Descriptions{L"Morning", L"Evening"}));

    // Within an edit, a command on a table that is not there says so.
    ASSERT_EQ(session.StartTransaction(), S_OK);
    CCommand<CAccessor<NamedRow>> missing;
    EXPECT_EQ(missing.Open(session, L"SELECT * FROM \"Night Shift\""), DB_E_NOTABLE);
    descriptions = ErrorDescriptions();
    ASSERT_EQ(descriptions.size(), 1u);
    EXPECT_NE(descriptions[0].find(L"'Night Shift'"), std::wstring::npos) << descriptions[0];
    EXPECT_EQ(session.Abort(), S_OK);
}

} // namespace
