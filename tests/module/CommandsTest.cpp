// FIARUNNER and FIACONTROL: their parameter, the host settings they read and the window they open.
#include "UserTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"

namespace {

using Commands = UserTest;

TEST_F(Commands, FiarunnerReadsTheHostPathsAsTheyStandAndASecondOneReplacesTheOpenWindow)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    const HWND first = Viewer();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ModuleSettings.strDatabasePath, L"C:\\Orvane\\Auto\\database\\worklist.mdb");
    EXPECT_EQ(ModuleSettings.strMethodPath, L"C:\\Orvane\\Methods\\");
    EXPECT_EQ(ModuleSettings.strHelpPath, L"C:\\Orvane\\Auto\\helpenu\\Orvane.chm");
    EXPECT_EQ(ModuleSettings.strInstName, L"FIA 1");

    // A folder without its trailing backslash runs into the file name: the window says it finds
    // no database there.
    CpSetStrVar(m_context, "_AUTOMSPATH$", L"C:\\data");
    m_user.then([] { EXPECT_TRUE(Done(Automation::pressKey(Automation::findWindow(L"Serion"), VK_RETURN))); });
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    EXPECT_EQ(ModuleSettings.strDatabasePath, L"C:\\datadatabase\\worklist.mdb");
    EXPECT_FALSE(IsWindow(first)) << "the second FIARUNNER destroyed the open window";
    ASSERT_NE(Viewer(), nullptr);
    EXPECT_EQ(MainViewer()->GetSafeHwnd(), Viewer());
    EXPECT_EQ(LogbookTexts(), (std::vector<std::wstring>{L"Open Serion Window.", L"Open Serion Window."}));
}

TEST_F(Commands, OfflineIsRoundedToTheNearestWholeNumber)
{
    const struct {
        double offline;
        BOOL online;
    } cases[] = {{0, TRUE}, {0.4, TRUE}, {0.5, FALSE}, {1, FALSE}, {-0.4, TRUE}, {2.7, FALSE}};
    for (const auto& c : cases) {
        CpSetNumVar(m_context, "_OFFLINE", c.offline);
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
        EXPECT_EQ(ModuleSettings.bOnline, c.online) << "_OFFLINE = " << c.offline;
    }
    // An offline host leaves only the group list to use.
    for (int id : {IDC_RUN, IDC_PAUSE, IDC_STOP})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Viewer(), id))) << "button " << id;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Viewer(), IDC_GROUP)));
}

TEST_F(Commands, FiacontrolSwitchesAccessControlAndFiarunnerOnlySwitchesItOnWithItsParameter)
{
    const struct {
        int command;
        std::vector<std::wstring> arguments;
        BOOL control;
    } runs[] = {
        {ID_CMD_FIACONTROL, {}, TRUE},           {ID_CMD_FIACONTROL, {L"off"}, FALSE},
        {ID_CMD_FIACONTROL, {L"On"}, TRUE},      {ID_CMD_FIACONTROL, {L"x"}, FALSE},
        {ID_CMD_FIACONTROL, {L""}, TRUE},        {ID_CMD_FIACONTROL, {L"ONE"}, FALSE},
        {ID_CMD_FIARUNNER, {}, FALSE},           {ID_CMD_FIARUNNER, {L"other"}, FALSE},
        {ID_CMD_FIARUNNER, {L"Control"}, TRUE},  {ID_CMD_FIARUNNER, {L"off"}, TRUE},
    };
    StoreAccount(1, L"Admin", L"root", USERROLE_ADMINISTRATOR);
    for (const auto& run : runs) {
        const std::string what = (run.command == ID_CMD_FIARUNNER ? "FIARUNNER " : "FIACONTROL ") +
                                 (run.arguments.empty() ? "without argument" : WideToUtf8(run.arguments[0]));
        // FIACONTROL always asks for a logon, FIARUNNER while access control is on.
        if (run.command == ID_CMD_FIACONTROL || run.control)
            LogOnAs(L"Admin", L"root");
        ASSERT_EQ(Execute(run.command, run.arguments), OOCP_OK) << what;
        EXPECT_EQ(m_user.pendingActions(), 0u) << what;
        EXPECT_EQ(ModuleSettings.bControl, run.control) << what;
        EXPECT_EQ(Viewer() != nullptr, run.command == ID_CMD_FIARUNNER) << what;
    }
    // The host framework refuses more than one argument before the command sees it.
    EXPECT_NE(Execute(ID_CMD_FIACONTROL, {L"ON", L"OFF"}), OOCP_OK);
    EXPECT_TRUE(ModuleSettings.bControl);
}

} // namespace
