// The logon of FIACONTROL and FIARUNNER: the first account of an empty table, the password check,
// the logged-on user and what a cancelled or failed logon leaves.
#include "UserTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"

#include "kernel/Clock.h"
#include "kernel/HashApi.h"
#include "kernel/Text.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Logon = UserTest;

std::wstring TextOf(HWND dialog, int id) { return Automation::describe(GetDlgItem(dialog, id)).text; }

// The user types name into the logon and presses Edit This Account ....
void EditAccountNamed(ScriptedInput& user, const std::wstring& name)
{
    user.then([name] {
        const HWND logon = Automation::findWindow(L"Logon");
        EXPECT_TRUE(Done(Automation::setText(logon, IDC_USER_NAME, name)));
        EXPECT_TRUE(Done(Automation::click(logon, IDC_EDIT_ACCOUNT)));
    });
}

// UTC seconds in strftime's format; the tests' local time is UTC.
std::wstring UtcText(std::int64_t seconds, const char* format)
{
    const std::time_t time = seconds;
    char text[32];
    std::strftime(text, sizeof text, format, std::gmtime(&time));
    return Utf8ToWide(text);
}

TEST_F(Logon, FirstLogonCreatesTheAdministratorWhoGivesItAPasswordAndLogsOnWithIt)
{
    std::vector<std::wstring> messages;
    InWindow(L"Change User Name and/or Password", [this](HWND account) {
        // The new account is opened at once.
        EXPECT_EQ(TextOf(account, IDC_USER_NAME), L"Administrator");
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_ROLE_ADMINISTRATOR)).checkState, BST_CHECKED);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(account, IDC_ROLE_USER))) << "an administrator may change the role";
        for (int id : {IDC_OLD_PASSWORD, IDC_CONFIRM_PASSWORD, IDC_OLD_PASSWORD_LABEL, IDC_CONFIRM_PASSWORD_LABEL})
            EXPECT_TRUE(IsWindowVisible(GetDlgItem(account, id))) << "control " << id;
        EXPECT_TRUE(Done(Automation::setText(account, IDC_OLD_PASSWORD, L"guess")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_NEW_PASSWORD, L"Sodium 11")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_CONFIRM_PASSWORD, L"Sodium 11")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(L"Change User Name and/or Password", [this](HWND account) {
        // A wrong old password keeps the dialog open.
        EXPECT_TRUE(Automation::describe(GetDlgItem(account, IDC_OLD_PASSWORD)).focused);
        EXPECT_EQ(TextOf(account, IDC_NEW_PASSWORD), L"*********") << "a password edit shows only its mask";
        EXPECT_TRUE(Done(Automation::setText(account, IDC_OLD_PASSWORD, L"")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_CONFIRM_PASSWORD, L"Sodium 12")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(L"Change User Name and/or Password", [this](HWND account) {
        EXPECT_TRUE(Automation::describe(GetDlgItem(account, IDC_NEW_PASSWORD)).focused);
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"Ada")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_CONFIRM_PASSWORD, L"Sodium 11")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    InWindow(L"Logon", [this](HWND logon) {
        EXPECT_EQ(TextOf(logon, IDC_USER_NAME), L"Ada") << "the logon offers the account's new name";
        EXPECT_EQ(TextOf(logon, IDC_PASSWORD), L"");
        EXPECT_TRUE(Done(Automation::setText(logon, IDC_PASSWORD, L"")));
        EXPECT_TRUE(Done(Automation::click(logon, IDOK)));
    });
    AnswerMessage(messages);
    InWindow(L"Logon", [this](HWND logon) {
        // The old empty password no longer opens the account.
        EXPECT_EQ(TextOf(logon, IDC_USER_NAME), L"Ada");
    });
    LogOnAs(L"Ada", L"Sodium 11");

    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"The old password did not match, please try again.",
                                                   L"The new password did not match, please try again.",
                                                   L"Wrong user name or password, please try again."}));
    EXPECT_TRUE(ModuleSettings.bControl);
    EXPECT_EQ(ModuleSettings.nUserId, 0);
    EXPECT_EQ(ModuleSettings.nUserRole, USERROLE_ADMINISTRATOR);
    EXPECT_EQ(ModuleSettings.strUserName, L"Ada");
    const auto accounts = StoredAccounts();
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0].UserID, 0);
    EXPECT_STREQ(accounts[0].UserName, L"Ada");
    EXPECT_STREQ(accounts[0].Password, L"") << "the password is kept only as its hash";
    EXPECT_TRUE(VerifyPassword(accounts[0].PasswordHash, L"Sodium 11"));
    EXPECT_EQ(accounts[0].Role, USERROLE_ADMINISTRATOR);
    EXPECT_EQ(Viewer(), nullptr) << "FIACONTROL opens no window";
}

TEST_F(Logon, OnlyTheExactNameAndPasswordLogOnAndARefusalKeepsTheNameAndEmptiesThePassword)
{
    StoreAccount(4, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(5, L"Ada", L"Sodium", USERROLE_POWER_USER);
    ModuleSettings.bControl = TRUE;

    std::vector<std::wstring> messages;
    InWindow(L"Logon", [](HWND logon) {
        // Nobody had logged on: the first account counts as logged on once the dialog is open.
        EXPECT_EQ(TextOf(logon, IDC_USER_NAME), L"Admin");
        EXPECT_EQ(ModuleSettings.nUserId, 4);
    });
    LogOnAs(L"ada", L"Sodium");
    AnswerMessage(messages);
    InWindow(L"Logon", [](HWND logon) {
        EXPECT_EQ(TextOf(logon, IDC_USER_NAME), L"ada");
        EXPECT_EQ(TextOf(logon, IDC_PASSWORD), L"");
    });
    LogOnAs(L"Ada", L"Sodium ");
    AnswerMessage(messages);
    LogOnAs(L"Ada", L"Sodium");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"off"}), OOCP_OK);

    EXPECT_EQ(messages, std::vector<std::wstring>(2, L"Wrong user name or password, please try again."));
    EXPECT_FALSE(ModuleSettings.bControl);
    EXPECT_EQ(ModuleSettings.nUserId, 5);
    EXPECT_EQ(ModuleSettings.nUserRole, USERROLE_POWER_USER);
    EXPECT_EQ(ModuleSettings.strUserName, L"Ada");

    // A cancelled logon changes neither the access control nor the user.
    InWindow(L"Logon", [](HWND logon) {
        EXPECT_EQ(TextOf(logon, IDC_USER_NAME), L"Ada") << "the logon offers the logged-on user";
        EXPECT_TRUE(Done(Automation::setText(logon, IDC_USER_NAME, L"Admin")));
        EXPECT_TRUE(Done(Automation::click(logon, IDCANCEL)));
    });
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"on"}), OOCP_OK);
    EXPECT_FALSE(ModuleSettings.bControl);
    EXPECT_EQ(ModuleSettings.strUserName, L"Ada");
}

// Whether the file at path holds text in UTF-8 or in UTF-16.
bool FileHolds(const std::filesystem::path& path, const std::wstring& text)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const std::u16string wide = WideToUtf16(text);
    const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(char16_t));
    return bytes.find(WideToUtf8(text)) != std::string::npos || bytes.find(utf16) != std::string::npos;
}

// That every account's password becomes its hash and what else the first open does is
// UserTable's; here the file of a worklist an earlier version left holds no typed password after it.
TEST_F(Logon, PlainPasswordsBecomeTheirHashesWhenTheTableIsFirstOpenedAndTheFileHoldsThemNoMore)
{
    StoreAccount(1, L"Admin", L"Kalium 19", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Natrium 23", USERROLE_USER);
    LogOnAs(L"Admin", L"Kalium 19");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    EXPECT_EQ(ModuleSettings.strUserName, L"Admin");
    const std::filesystem::path file = m_root.onDriveC("Orvane/Auto/database/worklist.mdb");
    for (const wchar_t* password : {L"Kalium 19", L"Natrium 23"})
        EXPECT_FALSE(FileHolds(file, password) || FileHolds(file.string() + "-wal", password));
}

TEST_F(Logon, EditThisAccountActsOnTheNameTypedAndSavingNeedsTheOldPassword)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_USER);
    std::vector<std::wstring> messages;
    EditAccountNamed(m_user, L"Nobody");
    AnswerMessage(messages);
    EditAccountNamed(m_user, L"Ada");
    InWindow(L"Change User Name and/or Password", [](HWND account) {
        EXPECT_EQ(TextOf(account, IDC_USER_NAME), L"Ada");
        EXPECT_EQ(TextOf(account, IDC_OLD_PASSWORD), L"") << "passwords are never filled in";
        EXPECT_EQ(Automation::describe(GetDlgItem(account, IDC_ROLE_USER)).checkState, BST_CHECKED);
        for (int id : {IDC_ROLE_ADMINISTRATOR, IDC_ROLE_POWER_USER, IDC_ROLE_USER})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(account, id))) << "a user cannot change their own role";
        EXPECT_TRUE(Done(Automation::setText(account, IDC_USER_NAME, L"Ada Byron")));
        EXPECT_TRUE(Done(Automation::setText(account, IDC_OLD_PASSWORD, L"Sodium")));
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    // No new password: asked, and the first No goes back to the field.
    AnswerMessage(messages, IDNO);
    InWindow(L"Change User Name and/or Password", [](HWND account) {
        EXPECT_TRUE(Automation::describe(GetDlgItem(account, IDC_NEW_PASSWORD)).focused);
        EXPECT_TRUE(Done(Automation::click(account, IDOK)));
    });
    AnswerMessage(messages, IDYES);
    m_user.then([] { EXPECT_EQ(TextOf(Automation::findWindow(L"Logon"), IDC_USER_NAME), L"Ada Byron"); });
    LogOnAs(L"Ada Byron", L"");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);

    const std::wstring noPassword = L"You do not specify a password.\n\nAre you sure you don't want password for this account?";
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Wrong user name or password, please try again.", noPassword, noPassword}));
    const auto accounts = StoredAccounts();
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_STREQ(accounts[1].UserName, L"Ada Byron");
    EXPECT_STREQ(accounts[1].Password, L"") << "the stored password is replaced by the empty new one";
    EXPECT_EQ(accounts[1].Role, USERROLE_USER);
    EXPECT_EQ(ModuleSettings.nUserId, 2);
}

// The events the audit trail holds from the first-th record on, each with its new value.
std::vector<std::wstring> EventsFrom(std::size_t first)
{
    std::vector<AuditRecord> records;
    EXPECT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    std::vector<std::wstring> events;
    for (std::size_t i = first; i < records.size(); ++i)
        events.push_back(std::wstring(records[i].Event) + L": " + records[i].NewValue);
    return events;
}

TEST_F(Logon, FiveFailuresInARowRefuseTheAccountForFifteenMinutesAndAGoodLogonResetsTheCount)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_USER);
    const std::wstring wrong = L"Wrong user name or password, please try again.";
    std::vector<std::wstring> messages;

    // Four failures, then the right password: the count starts again from nothing.
    for (int i = 0; i < 4; ++i) {
        LogOnAs(L"Ada", L"Kalium");
        AnswerMessage(messages);
    }
    LogOnAs(L"Ada", L"Sodium");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    EXPECT_EQ(StoredAccounts()[1].FailedLogons, 0);
    const std::size_t first = EventsFrom(0).size();

    // Four more are not yet five in a row, nor is a failure of another account; the fifth refuses.
    std::int64_t failedAt = 0;
    for (int i = 0; i < 4; ++i) {
        LogOnAs(L"Ada", L"Kalium");
        AnswerMessage(messages);
    }
    LogOnAs(L"Admin", L"Kalium");
    AnswerMessage(messages);
    m_user.then([&failedAt] { failedAt = Clock::nowMs() / 1000; });
    LogOnAs(L"Ada", L"Kalium");
    AnswerMessage(messages);
    // Even the right password and Edit This Account are refused now.
    LogOnAs(L"Ada", L"Sodium");
    AnswerMessage(messages);
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(L"Logon"), IDC_EDIT_ACCOUNT))); });
    AnswerMessage(messages);
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(L"Logon"), IDCANCEL))); });
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);

    const std::wstring refusal = L"Five logons in a row failed for the account \"Ada\": it is refused until " +
                                 UtcText(failedAt + 15 * 60, "%H:%M:%S") + L". Try again then.";
    ASSERT_EQ(messages.size(), 12u);
    EXPECT_EQ(std::vector<std::wstring>(messages.begin() + 4, messages.begin() + 9), std::vector<std::wstring>(5, wrong));
    EXPECT_EQ(std::vector<std::wstring>(messages.begin() + 9, messages.end()), std::vector<std::wstring>(3, refusal));
    EXPECT_EQ(StoredAccounts()[1].RefusedUntil, failedAt + 15 * 60);
    EXPECT_EQ(ModuleSettings.strUserName, L"Ada") << "the refused logon changed nobody";
    std::vector<std::wstring> events(4, L"Logon failed: Ada");
    events.insert(events.end(), {L"Logon failed: Admin", L"Logon failed: Ada",
                                 L"Account refused: " + UtcText(failedAt + 15 * 60, "%F %T") + L" UTC", L"Logon refused: Ada"});
    EXPECT_EQ(EventsFrom(first), events);

    // A second before the end still refuses; at the end the right password logs on.
    Clock::advance((15 * 60 - 1) * 1000 - (Clock::nowMs() - failedAt * 1000));
    messages.clear();
    LogOnAs(L"Ada", L"Sodium");
    AnswerMessage(messages);
    m_user.then([] { Clock::advance(1000); });
    LogOnAs(L"Ada", L"Sodium");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    EXPECT_EQ(messages, std::vector<std::wstring>{refusal});
    EXPECT_EQ(EventsFrom(first + events.size()), (std::vector<std::wstring>{L"Logon refused: Ada", L"Logon succeeded: Ada"}));
    EXPECT_EQ(StoredAccounts()[1].RefusedUntil, 0);
}

TEST_F(Logon, WrongOldPasswordsInEditThisAccountCountAsFailedLogons)
{
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_USER);
    std::vector<std::wstring> messages;
    EditAccountNamed(m_user, L"Ada");
    for (int i = 0; i < 5; ++i) {
        InWindow(L"Change User Name and/or Password", [](HWND account) {
            EXPECT_TRUE(Done(Automation::setText(account, IDC_OLD_PASSWORD, L"Kalium")));
            EXPECT_TRUE(Done(Automation::click(account, IDOK)));
        });
        AnswerMessage(messages);
    }
    m_user.then([] {
        EXPECT_EQ(Automation::findWindow(L"Change User Name and/or Password"), nullptr) << "the refusal ends the dialog";
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(L"Logon"), IDCANCEL)));
    });
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(messages.begin(), messages.begin() + 4),
              std::vector<std::wstring>(4, L"The old password did not match, please try again."));
    EXPECT_TRUE(messages[4].starts_with(L"Five logons in a row failed for the account \"Ada\"")) << WideToUtf8(messages[4]);
    EXPECT_GT(StoredAccounts()[0].RefusedUntil, 0);
}

TEST_F(Logon, AUserTableThatCannotBeOpenedShowsTheErrorAndCountsAsACancelledLogon)
{
    std::filesystem::remove(m_root.onDriveC("Orvane/Auto/database/worklist.mdb"));
    std::vector<std::wstring> messages;
    AnswerMessage(messages);
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"worklist.mdb"), std::wstring::npos) << WideToUtf8(messages[0]);
    EXPECT_FALSE(ModuleSettings.bControl);
    EXPECT_EQ(ModuleSettings.nUserId, -1) << "nobody is logged on by a failure";

    // The switch is on all the same, and its record could not be written either: that is told too.
    AnswerMessage(messages);
    AnswerMessage(messages);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"CONTROL"}), OOCP_OK);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1], messages[0]);
    EXPECT_TRUE(ModuleSettings.bControl);
    EXPECT_EQ(Viewer(), nullptr);
}

} // namespace
