// The account list: who may open it, and adding, editing and removing accounts as an
// administrator does, with what the database then holds.
#include "UserTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"

#include "kernel/HashApi.h"
#include "win/ListViewAutomation.h"
#include "win/ListViewSnapshot.h"
#include "win/CommCtrl.h"
#include "win/afx/CWnd.h"

namespace {

using UserAccounts = UserTest;

constexpr const wchar_t* kAccountList = L"User Account";
constexpr const wchar_t* kAccount = L"Change User Name and/or Password";

ListViewInfo Accounts()
{
    ListViewInfo list;
    EXPECT_TRUE(Done(ListViewAutomation::inspect(Automation::findWindow(kAccountList), IDC_ACCOUNT_LIST, list)));
    return list;
}

// Each item as "picture name | masked password | description".
std::vector<std::wstring> ListedAccounts()
{
    const ListViewInfo list = Accounts();
    std::vector<std::wstring> shown;
    for (const ListItemInfo& item : list.items)
        shown.push_back(list.smallImages.at(static_cast<std::size_t>(item.image)).glyph + L" " + ListItemText(item));
    return shown;
}

TEST_F(UserAccounts, AnAdministratorAddsEditsAndRemovesAccountsAndEachChangeIsStoredAtOnce)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(7, L"Ada", L"Sodium", USERROLE_POWER_USER);
    OpenWithAccessControlAs(L"Admin", L"root");
    const HWND viewer = Viewer();
    ASSERT_TRUE(CommandEnabled(viewer, ID_USER_ACCOUNTS));

    std::vector<std::wstring> messages;
    InWindow(kAccountList, [viewer](HWND list) {
        EXPECT_FALSE(IsWindowEnabled(viewer)) << "the list is modal over the viewer";
        const ListViewInfo accounts = Accounts();
        ASSERT_EQ(accounts.columns.size(), 3u);
        EXPECT_EQ(accounts.columns[0].text, L"User Name");
        EXPECT_EQ(accounts.columns[1].text, L"Password");
        EXPECT_EQ(accounts.columns[2].text, L"Description");
        EXPECT_EQ(ListedAccounts(), (std::vector<std::wstring>{L"(A) Admin | ******** | ", L"(P) Ada | ******** | "}));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(list, IDC_EDIT_LISTED_ACCOUNT)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(list, IDC_REMOVE_ACCOUNT)));
        EXPECT_TRUE(Done(Automation::click(list, IDC_ADD_ACCOUNT)));
    });
    InWindow(kAccount, [](HWND account) {
        for (int id : {IDC_OLD_PASSWORD, IDC_CONFIRM_PASSWORD, IDC_OLD_PASSWORD_LABEL, IDC_CONFIRM_PASSWORD_LABEL})
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(account, id))) << "control " << id;
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_ROLE_USER)).checkState, BST_CHECKED);
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"Bo")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(kAccount, [](HWND account) {
        EXPECT_TRUE(Automation::describe(GetDlgItem(account, IDC_USER_NAME)).focused);
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"Bob")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_NEW_PASSWORD, L"pw")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_DESCRIPTION, L"night shift")));
        // A new account needs no confirmation and may do without a password: no question.
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    m_user.then([] {
        EXPECT_EQ(ListedAccounts(), (std::vector<std::wstring>{L"(A) Admin | ******** | ", L"(P) Ada | ******** | ",
                                                               L"(U) Bob | ******** | night shift"}));
        const HWND list = Automation::findWindow(kAccountList);
        EXPECT_TRUE(Done(ListViewAutomation::selectItems(list, IDC_ACCOUNT_LIST, {2})));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(list, IDC_REMOVE_ACCOUNT)));
        EXPECT_TRUE(Done(Automation::click(list, IDC_EDIT_LISTED_ACCOUNT)));
    });
    InWindow(kAccount, [](HWND account) {
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_USER_NAME)).text, L"Bob");
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_DESCRIPTION)).text, L"night shift");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(account, IDC_ROLE_ADMINISTRATOR))) << "a user's role stays";
        EXPECT_TRUE(Done(Automation::setText(account, IDC_ADDRESS, std::wstring(256, L'a'))));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_PHONE, L"0123 456")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(kAccount, [](HWND account) {
        // An address too long for its column is refused, not cut.
        EXPECT_TRUE(Automation::describe(GetDlgItem(account, IDC_ADDRESS)).focused);
        EXPECT_TRUE(Done(Automation::setText(account, IDC_ADDRESS, std::wstring(255, L'a'))));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages, IDYES);
    m_user.then([] {
        EXPECT_EQ(ListedAccounts().back(), L"(U) Bob |  | night shift") << "Yes removed the password: no mask";
        const HWND list = Automation::findWindow(kAccountList);
        EXPECT_TRUE(Done(ListViewAutomation::selectItems(list, IDC_ACCOUNT_LIST, {1})));
        EXPECT_TRUE(Done(Automation::click(list, IDC_REMOVE_ACCOUNT)));
        // Removed at once, without a question, and the list rebuilt.
        EXPECT_EQ(Automation::findWindow(L"Serion"), nullptr);
        EXPECT_EQ(ListedAccounts(), (std::vector<std::wstring>{L"(A) Admin | ******** | ", L"(U) Bob |  | night shift"}));
        EXPECT_TRUE(Done(Automation::click(list, IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_USER_ACCOUNTS)));

    EXPECT_EQ(messages, (std::vector<std::wstring>{
                            L"The user name too short, please try again.", L"Enter no more than 255 characters.",
                            L"You do not specify a password.\n\nAre you sure you don't want password for this account?"}));
    const auto accounts = StoredAccounts();
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_STREQ(accounts[1].UserName, L"Bob");
    EXPECT_EQ(accounts[1].UserID, 8) << "the last row's id plus one";
    EXPECT_EQ(accounts[1].Role, USERROLE_USER);
    EXPECT_STREQ(accounts[1].Password, L"");
    EXPECT_STREQ(accounts[1].PasswordHash, L"") << "no password, no hash";
    EXPECT_EQ(std::wstring(accounts[1].Address), std::wstring(255, L'a'));
    EXPECT_STREQ(accounts[1].Phone, L"0123 456");
    EXPECT_STREQ(accounts[1].LockMessage, L"");
    EXPECT_EQ(ModuleSettings.strUserName, L"Admin");
    EXPECT_TRUE(IsWindowEnabled(viewer));
}

TEST_F(UserAccounts, TheLastAdministratorStaysAndANameThatExistsIsRefused)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_POWER_USER);
    OpenWithAccessControlAs(L"Admin", L"root");
    const auto selectItem = [](int item) {
        EXPECT_TRUE(Done(ListViewAutomation::selectItems(Automation::findWindow(kAccountList), IDC_ACCOUNT_LIST, {item})));
    };
    std::vector<std::wstring> messages;
    m_user.then([&] {
        selectItem(0);
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDC_REMOVE_ACCOUNT)));
    });
    AnswerMessage(messages);
    // Nor does it lose its role.
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDC_EDIT_LISTED_ACCOUNT))); });
    InWindow(kAccount, [](HWND account) {
        EXPECT_TRUE(Done(Automation::click(account, IDC_ROLE_POWER_USER)));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccount), IDCANCEL))); });
    // An account's own name is its own; another's, exactly as written, is refused.
    m_user.then([&] {
        selectItem(1);
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDC_EDIT_LISTED_ACCOUNT)));
    });
    InWindow(kAccount, [](HWND account) {
        EXPECT_TRUE(Done(Automation::setText(account, IDC_NEW_PASSWORD, L"Natrium")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDC_ADD_ACCOUNT))); });
    InWindow(kAccount, [](HWND account) {
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"Admin")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(kAccount, [](HWND account) {
        // Still open after the refusal.
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"admin")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDOK))); });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_USER_ACCOUNTS)));

    EXPECT_EQ(messages, (std::vector<std::wstring>{
                            L"The account \"Admin\" is the last administrator and cannot be removed while access "
                            L"control is on: nobody could manage the accounts any more. Give another account the role "
                            L"Administrator first.",
                            L"The account \"Admin\" is the last administrator and keeps that role while access control "
                            L"is on: nobody could manage the accounts any more. Give another account the role "
                            L"Administrator first.",
                            L"An account named \"Admin\" exists already. Choose another user name."}));
    const auto accounts = StoredAccounts();
    ASSERT_EQ(accounts.size(), 3u);
    EXPECT_EQ(accounts[0].Role, USERROLE_ADMINISTRATOR);
    EXPECT_STREQ(accounts[1].UserName, L"Ada");
    EXPECT_TRUE(VerifyPassword(accounts[1].PasswordHash, L"Natrium")) << "the edited account is the one written";
    EXPECT_STREQ(accounts[2].UserName, L"admin");
}

TEST_F(UserAccounts, OnlyAnAdministratorWithAccessControlOnReachesTheList)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_POWER_USER);
    OpenWithAccessControlAs(L"Ada", L"Sodium");
    const HWND viewer = Viewer();
    EXPECT_FALSE(CommandEnabled(viewer, ID_USER_ACCOUNTS));
    EXPECT_FALSE(Automation::chooseMenuCommand(viewer, ID_USER_ACCOUNTS).ok);
    // The command itself refuses too: a list that opened would wait for input the test never gives.
    SendMessageW(viewer, WM_COMMAND, ID_USER_ACCOUNTS, 0);
    EXPECT_EQ(Automation::findWindow(kAccountList), nullptr);

    // The status bar says who is logged on while access control is on.
    const auto loggedOnShown = [viewer] {
        wchar_t text[64]{};
        SendMessageW(GetDlgItem(viewer, AFX_IDW_STATUS_BAR), SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(loggedOnShown(), L"Logged on: Ada");
    LogOnAs(L"Admin", L"root");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"OFF"}), OOCP_OK);
    EXPECT_EQ(ModuleSettings.nUserRole, USERROLE_ADMINISTRATOR);
    EXPECT_FALSE(CommandEnabled(viewer, ID_USER_ACCOUNTS)) << "an administrator without access control";
    EXPECT_EQ(loggedOnShown(), L"");
    SendMessageW(viewer, WM_COMMAND, ID_USER_ACCOUNTS, 0);

    LogOnAs(L"Admin", L"root");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    EXPECT_TRUE(CommandEnabled(viewer, ID_USER_ACCOUNTS));
    EXPECT_EQ(loggedOnShown(), L"Logged on: Admin");
    LogOnAs(L"Admin", L"root");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"OFF"}), OOCP_OK);
    EXPECT_FALSE(CommandEnabled(viewer, ID_USER_ACCOUNTS)) << "the open window follows the switch both ways";

    // Every switch is in the audit trail, FIARUNNER CONTROL's too.
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    std::vector<std::wstring> switches;
    for (const AuditRecord& record : records)
        if (std::wstring(record.Event) == L"Access control switched")
            switches.push_back(std::wstring(record.OldValue) + L" -> " + record.NewValue);
    EXPECT_EQ(switches, (std::vector<std::wstring>{L"off -> on", L"on -> off", L"off -> on", L"on -> off"}));
}

TEST_F(UserAccounts, AnAdministratorsRoleCanBeLoweredAndADoubleClickEditsToo)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Chief", L"", USERROLE_ADMINISTRATOR);
    OpenWithAccessControlAs(L"Admin", L"root");
    m_user.then([] {
        EXPECT_EQ(ListedAccounts(), (std::vector<std::wstring>{L"(A) Admin | ******** | ", L"(A) Chief |  | "}))
            << "an account without a password shows no mask";
        EXPECT_TRUE(Done(ListViewAutomation::doubleClickItem(Automation::findWindow(kAccountList), IDC_ACCOUNT_LIST, 1)));
    });
    InWindow(kAccount, [](HWND account) {
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_USER_NAME)).text, L"Chief");
        EXPECT_TRUE(Done(Automation::click(account, IDC_ROLE_POWER_USER)));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_NEW_PASSWORD, L"boss")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    m_user.then([] {
        EXPECT_EQ(ListedAccounts().back(), L"(P) Chief | ******** | ");
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kAccountList), IDOK)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_USER_ACCOUNTS)));
    EXPECT_EQ(StoredAccounts()[1].Role, USERROLE_POWER_USER);
    EXPECT_TRUE(VerifyPassword(StoredAccounts()[1].PasswordHash, L"boss"));
}

} // namespace
