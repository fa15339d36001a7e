// The lock: what it shows and stores, that only its unlock button ends it, with a logon while
// access control is on, and that the hidden main viewer goes on hearing from the host meanwhile.
#include "UserTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "host/InstrumentSimulation.h"
#include "worklist/AuditTrail.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"

namespace {

using Lock = UserTest;

constexpr const wchar_t* kLock = L"Serion: Lock Orvane";

WindowInfo Control(int id) { return Automation::describe(GetDlgItem(Automation::findWindow(kLock), id)); }

TEST_F(Lock, ALockKeepsTheMessageCutForItsUserAndOnlyALogonLiftsIt)
{
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_USER);
    OpenWithAccessControlAs(L"Ada", L"Sodium");
    const HWND viewer = Viewer();
    const std::wstring message = L"Nitrate run until 18:00, please do not touch. " + std::wstring(300, L'!');

    m_user.then([this, &message] {
        ASSERT_NE(Automation::findWindow(kLock), nullptr);
        EXPECT_EQ(Viewer(), nullptr) << "the viewer is hidden behind the lock";
        EXPECT_FALSE(IsWindowEnabled(m_hostWindow.handle())) << "the host cannot be used";
        EXPECT_EQ(Control(IDC_LOCK_PROMPT).text, L"Orvane will be locked, please leave warning message.");
        EXPECT_EQ(Control(IDC_LOCK_MESSAGE).text, L"");
        EXPECT_TRUE(Control(IDC_LOCK_MESSAGE).hasColors);
        EXPECT_EQ(Control(IDC_LOCK_MESSAGE).textColor, 0x0000FFu) << "the message is red";
        EXPECT_FALSE(Control(IDC_PHONE).hasColors) << "other controls keep their colours";
        const HWND lock = Automation::findWindow(kLock);
        EXPECT_TRUE(Done(Automation::setText(lock, IDC_LOCK_MESSAGE, message)));
        EXPECT_TRUE(Done(Automation::setText(lock, IDC_PHONE, L"0123 456")));
        EXPECT_TRUE(Done(Automation::click(lock, IDOK)));
    });
    m_user.then([] {
        const HWND lock = Automation::findWindow(kLock);
        ASSERT_NE(lock, nullptr);
        EXPECT_EQ(Control(IDC_LOCK_PROMPT).text,
                  L"Orvane is in use and has been locked by user [Ada] and left following message.");
        EXPECT_EQ(Control(IDOK).text, L"&Unlock Orvane");
        EXPECT_FALSE(Control(IDCANCEL).enabled);
        for (int id : {IDC_LOCK_MESSAGE, IDC_PHONE, IDC_EMAIL, IDC_ADDRESS})
            EXPECT_TRUE(Control(id).readOnly) << "control " << id;
        EXPECT_EQ(Control(IDC_LOCK_MESSAGE).textColor, 0x0000FFu);
        EXPECT_TRUE(Done(Automation::pressKey(lock, VK_ESCAPE)));
    });
    m_user.then([] {
        const HWND lock = Automation::findWindow(kLock);
        ASSERT_NE(lock, nullptr) << "Escape does not lift a lock";
        EXPECT_TRUE(Done(Automation::click(lock, IDOK)));
    });
    m_user.then([] {
        const HWND logon = Automation::findWindow(L"Logon");
        ASSERT_NE(logon, nullptr) << "unlocking asks for a logon";
        EXPECT_FALSE(IsWindowEnabled(Automation::findWindow(kLock))) << "the logon covers the lock";
        EXPECT_TRUE(Done(Automation::click(logon, IDCANCEL)));
    });
    m_user.then([this] {
        const HWND lock = Automation::findWindow(kLock);
        ASSERT_NE(lock, nullptr) << "a cancelled logon leaves the lock in force";
        // The host goes on meanwhile, and the hidden viewer hears of it.
        CpSetStrVar(m_context, "GUISYSTEMSTATUS$", L"FIA 1|Online|ST:B|Run NITRATE.M");
        EXPECT_TRUE(Done(Automation::click(lock, IDOK)));
    });
    LogOnAs(L"Admin", L"root");
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_LOCK)));

    EXPECT_EQ(Viewer(), viewer) << "the viewer is shown again";
    EXPECT_TRUE(IsWindowEnabled(m_hostWindow.handle()));
    EXPECT_NE(Automation::snapshot(viewer).find(L"Run NITRATE.M"), std::wstring::npos) << WideToUtf8(Automation::snapshot(viewer));
    EXPECT_EQ(ModuleSettings.strUserName, L"Admin") << "whoever unlocked is logged on";
    EXPECT_TRUE(CommandEnabled(viewer, ID_USER_ACCOUNTS)) << "the commands follow the administrator who unlocked";
    const auto accounts = StoredAccounts();
    EXPECT_EQ(std::wstring(accounts[1].LockMessage), message.substr(0, 254));
    EXPECT_STREQ(accounts[1].Phone, L"") << "contact details changed in the lock are not stored";
    EXPECT_STREQ(accounts[0].LockMessage, L"");

    // Each user is offered their own last message.
    m_user.then([] {
        EXPECT_EQ(Control(IDC_LOCK_MESSAGE).text, L"");
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kLock), IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_LOCK)));
    LogOnAs(L"Ada", L"Sodium");
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL), OOCP_OK);
    m_user.then([&message] {
        EXPECT_EQ(Control(IDC_LOCK_MESSAGE).text, message.substr(0, 254));
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kLock), IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_LOCK)));
    EXPECT_EQ(std::wstring(StoredAccounts()[1].LockMessage), message.substr(0, 254)) << "Cancel stores nothing";
}

TEST_F(Lock, WithoutAccessControlTheUnlockButtonReleasesAtOnceAndTheHostNeverLocksWhenIdleNorWithTheSettingZero)
{
    // Nobody has logged on: the login name has no account, so nothing is filled in or stored.
    ModuleSettings.strUserName = L"labtech";
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    ModuleSettings.strUserName = L"labtech";
    const HWND viewer = Viewer();
    m_user.then([] {
        const HWND lock = Automation::findWindow(kLock);
        EXPECT_TRUE(Done(Automation::setText(lock, IDC_LOCK_MESSAGE, L"back soon")));
        EXPECT_TRUE(Done(Automation::click(lock, IDOK)));
    });
    m_user.then([] {
        EXPECT_EQ(Control(IDC_LOCK_PROMPT).text,
                  L"Orvane is in use and has been locked by user [labtech] and left following message.");
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kLock), IDOK)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_LOCK)));
    EXPECT_EQ(Viewer(), viewer);
    EXPECT_EQ(ModuleSettings.nUserId, -1) << "no logon happened";
    ASSERT_EQ(StoredAccounts().size(), 1u);
    EXPECT_STREQ(StoredAccounts()[0].LockMessage, L"");

    RunHost(3600);
    EXPECT_NE(Viewer(), nullptr) << "access control is off";
    CpSetNumVar(m_context, "_SERIONIDLELOCK", 0);
    OpenWithAccessControlAs(L"Admin", L"root");
    RunHost(24 * 3600);
    EXPECT_NE(Viewer(), nullptr) << "0 is never";
}

// The lock of an idle host, with the simulated instrument for a run behind it.
class IdleHost : public UserTest {
protected:
    InstrumentSimulation m_instrument{[](const std::wstring&) {}};
};

TEST_F(IdleHost, LocksAfterFifteenMinutesWithoutInputWhileTheRunGoesOnBehindTheLock)
{
    StoreAccount(2, L"Ada", L"Sodium", USERROLE_USER);
    AddMethod("SLOW.M", "RunTime=600\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"SLOW.M", L"SLOW.M", L"SLOW.M"}), "");
    OpenWithAccessControlAs(L"Ada", L"Sodium");
    ASSERT_TRUE(Done(Automation::click(Viewer(), IDC_RUN)));
    RunHost(250);
    // A key pressed puts the lock off: it comes 15 minutes after the last input.
    const std::int64_t keyAt = Clock::nowMs();
    Automation::injectKey(VK_SHIFT, true);
    Automation::injectKey(VK_SHIFT, false);
    RunHost(899);
    ASSERT_NE(Viewer(), nullptr) << "not locked yet";

    std::int64_t lockedAt = 0;
    m_user.then([this, &lockedAt] {
        lockedAt = Clock::nowMs();
        ASSERT_NE(Automation::findWindow(kLock), nullptr);
        EXPECT_EQ(Viewer(), nullptr) << "the viewer is hidden behind the lock";
        EXPECT_EQ(Control(IDC_LOCK_PROMPT).text,
                  L"Orvane is in use and has been locked by user [Ada] and left following message.");
        EXPECT_EQ(Control(IDOK).text, L"&Unlock Orvane");
        EXPECT_EQ(StoredStates(), (std::vector<LONG>{RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED}));
        RunHost(1200);
        EXPECT_EQ(StoredStates(), std::vector<LONG>(3, RUNSTATE_DONE)) << "the run went on behind the lock";
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(kLock), IDOK)));
    });
    LogOnAs(L"Ada", L"Sodium");
    RunHost(2);
    EXPECT_EQ(lockedAt - keyAt, 15 * 60 * 1000);
    EXPECT_NE(Viewer(), nullptr) << "unlocked";
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    std::vector<std::wstring> locks;
    for (const AuditRecord& record : records)
        if (std::wstring_view(record.Event).starts_with(L"Orvane "))
            locks.push_back(record.Event);
    EXPECT_EQ(locks, (std::vector<std::wstring>{L"Orvane locked when idle", L"Orvane unlocked"}));
}

} // namespace
