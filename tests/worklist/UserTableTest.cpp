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

// A new root with its user table open.
class UserTable : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(users.Open(), S_OK); }

    WorklistTestRoot root;
    CUserTable users{ModuleSettings};
};

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
