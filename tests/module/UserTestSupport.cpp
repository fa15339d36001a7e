// Accounts in the database and a user at the logon dialog and message boxes.
#include "UserTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "worklist/CUserTable.h"
#include "worklist/RecordText.h"
#include "resources/ResourceIds.h"

#include "kernel/Text.h"


UserTest::UserTest() { UseDeliveredWorklist(); }

std::vector<UserRecord> UserTest::StoredAccounts() const
{
    CUserTable users(ModuleSettings);
    EXPECT_EQ(users.Open(), S_OK);
    std::vector<UserRecord> accounts;
    for (users.MoveFirst(); users.HasCurrentRow(); users.MoveNext())
        accounts.push_back(static_cast<const UserRecord&>(users));
    return accounts;
}

void UserTest::StoreAccount(LONG id, const std::wstring& name, const std::wstring& password, LONG role)
{
    CUserTable users(ModuleSettings);
    ASSERT_EQ(users.Open(), S_OK);
    users.UserID = id;
    SetRecordText(users.UserName, name);
    SetRecordText(users.Password, password);
    users.Role = role;
    ASSERT_EQ(users.Insert(), S_OK);
}

void UserTest::InWindow(const std::wstring& title, std::function<void(HWND)> action)
{
    m_user.then([title, action = std::move(action)] {
        const HWND window = Automation::findWindow(title);
        ASSERT_NE(window, nullptr) << "no window \"" << WideToUtf8(title) << "\"";
        action(window);
    });
}

void UserTest::LogOnAs(const std::wstring& name, const std::wstring& password)
{
    InWindow(L"Logon", [name, password](HWND logon) {
        EXPECT_TRUE(Done(Automation::setText(logon, IDC_USER_NAME, name)));
        EXPECT_TRUE(Done(Automation::setText(logon, IDC_PASSWORD, password)));
        EXPECT_TRUE(Done(Automation::click(logon, IDOK)));
    });
}

void UserTest::OpenWithAccessControlAs(const std::wstring& name, const std::wstring& password)
{
    LogOnAs(name, password);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"CONTROL"}), OOCP_OK);
    ASSERT_NE(Viewer(), nullptr);
}
