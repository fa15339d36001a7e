// Accounts as the logon, account and lock dialogs use them: found by exact name, added with the
// last row's id plus one, changed and removed, by several table objects at once.
#include "WorklistTestRoot.h"

#include "worklist/AuditTrail.h"
#include "worklist/CUserTable.h"
#include "worklist/RecordText.h"

#include <gtest/gtest.h>

namespace {

// Inserts an account row with the given id.
void insertAccount(CUserTable& users, LONG id, const std::wstring& name, const std::wstring& password = L"",
                   LONG role = USERROLE_USER)
{
    users.ClearRecord();
    users.UserID = id;
    SetRecordText(users.UserName, name);
    SetRecordText(users.Password, password);
    users.Role = role;
    EXPECT_EQ(users.Insert(), S_OK);
}

// Adds an account as the account dialog does: the last row's id plus one.
LONG addAccount(CUserTable& users, const std::wstring& name, const std::wstring& password, LONG role)
{
    users.MoveLast();
    const LONG id = users.UserID + 1;
    insertAccount(users, id, name, password, role);
    return id;
}

// A new root with its user table open.
class UserTable : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(users.Open(), S_OK); }

    WorklistTestRoot root;
    CUserTable users{ModuleSettings};
};

TEST_F(UserTable, NamesAreFoundExactlyNewIdsFollowTheLastRowChangesAreSeenByTablesOpenedLaterAndTextsAreCut)
{
    EXPECT_FALSE(users.FindByName(L"Admin"));
    EXPECT_FALSE(users.FindByName(L""));

    EXPECT_EQ(addAccount(users, L"Admin", L"", USERROLE_ADMINISTRATOR), 1);
    EXPECT_EQ(addAccount(users, L"ada", L"secret ", USERROLE_USER), 2);
    EXPECT_EQ(addAccount(users, L"Ada", L"other", USERROLE_POWER_USER), 3);
    EXPECT_EQ(addAccount(users, L"Ada", L"second", USERROLE_USER), 4);

    ASSERT_TRUE(users.FindByName(L"Ada"));
    EXPECT_EQ(users.UserID, 3);
    EXPECT_EQ(std::wstring(users.Password), L"other");
    ASSERT_TRUE(users.FindByName(L"ada"));
    EXPECT_EQ(users.Role, USERROLE_USER);
    EXPECT_EQ(std::wstring(users.Password), L"secret ") << "a trailing blank is kept";
    EXPECT_FALSE(users.FindByName(L"ADA"));
    ASSERT_TRUE(users.FindByName(L"Admin"));
    EXPECT_EQ(std::wstring(users.Password), L"");

    // The new id follows the last row, whatever the others hold.
    for (LONG id : {0, 5, 2, 7})
        insertAccount(users, id, L"user" + std::to_wstring(id));
    EXPECT_EQ(addAccount(users, L"eve", L"pw", USERROLE_USER), 8);

    // The lock dialog keeps its table open while the logon dialog opens another.
    CUserTable locker(ModuleSettings);
    ASSERT_EQ(locker.Open(), S_OK);
    ASSERT_TRUE(locker.FindByName(L"eve"));
    SetRecordText(locker.LockMessage, L"Back at three; do not stop the run.");
    SetRecordText(locker.Description, L"night shift");
    ASSERT_EQ(locker.SetData(), S_OK);

    CUserTable logon(ModuleSettings);
    ASSERT_EQ(logon.Open(), S_OK);
    ASSERT_TRUE(logon.FindByName(L"eve"));
    EXPECT_EQ(std::wstring(logon.LockMessage), L"Back at three; do not stop the run.");
    EXPECT_EQ(std::wstring(logon.Description), L"night shift");
    ASSERT_TRUE(logon.FindByName(L"user2"));
    ASSERT_EQ(logon.Delete(), S_OK);

    CUserTable list(ModuleSettings);
    ASSERT_EQ(list.Open(), S_OK);
    EXPECT_FALSE(list.FindByName(L"user2"));
    int count = 0;
    for (list.MoveFirst(); list.HasCurrentRow(); list.MoveNext())
        ++count;
    EXPECT_EQ(count, 8);

    // The longest texts are cut to their columns, and an unterminated one is refused.
    users.ClearRecord();
    SetRecordText(users.UserName, std::wstring(60, L'n'));
    SetRecordText(users.Address, std::wstring(300, L'a'));
    ASSERT_EQ(users.Insert(), S_OK);
    ASSERT_TRUE(users.FindByName(std::wstring(50, L'n')));
    EXPECT_EQ(std::wstring(users.Address), std::wstring(254, L'a'));

    // A buffer filled to its end has no terminator: the provider refuses a text its column cannot hold.
    std::fill_n(users.Phone, 51, L'9');
    EXPECT_EQ(users.SetData(), DB_E_ERRORSOCCURRED);
}

TEST_F(UserTable, PasswordsThatAnOlderWorklistKeepsAsTypedAreAllHashedWhenTheTableIsFirstOpened)
{
    insertAccount(users, 1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    insertAccount(users, 2, L"Ada", L"Sodium 11");
    insertAccount(users, 3, L"Guest");

    CUserTable opened(ModuleSettings);
    ASSERT_EQ(opened.Open(), S_OK);
    const std::pair<const wchar_t*, const wchar_t*> accounts[] = {{L"Admin", L"root"}, {L"Ada", L"Sodium 11"}, {L"Guest", L""}};
    for (const auto& [name, password] : accounts) {
        ASSERT_TRUE(opened.FindByName(name));
        EXPECT_STREQ(opened.Password, L"") << "no password stays readable: " << WideToUtf8(name);
        EXPECT_TRUE(opened.PasswordMatches(password)) << WideToUtf8(name);
        EXPECT_FALSE(opened.PasswordMatches(L"wrong")) << WideToUtf8(name);
    }
    ASSERT_TRUE(opened.FindByName(L"Guest"));
    EXPECT_FALSE(opened.HasPassword()) << "an account without a password gets no hash";

    CUserTable again(ModuleSettings);
    ASSERT_EQ(again.Open(), S_OK);
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    ASSERT_EQ(records.size(), 1u) << "recorded once, by the open that hashed";
    EXPECT_STREQ(records[0].Event, L"Passwords hashed");
    EXPECT_STREQ(records[0].NewValue, L"accounts Admin, Ada");
}

} // namespace
