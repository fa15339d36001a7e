// FIARUNNER and FIACONTROL: their parameter, the host settings they read and the window they open.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/ModuleSettings.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"

namespace {

using Commands = ModuleTest;

TEST_F(Commands, FiarunnerReadsTheHostPathsIntoTheSettings)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    EXPECT_EQ(ModuleSettings.strDatabasePath, L"C:\\Orvane\\Auto\\database\\worklist.mdb");
    EXPECT_EQ(ModuleSettings.strMethodPath, L"C:\\Orvane\\Methods\\");
    EXPECT_EQ(ModuleSettings.strHelpPath, L"C:\\Orvane\\Auto\\helpenu\\Orvane.chm");
    EXPECT_EQ(ModuleSettings.strInstName, L"FIA 1");
    EXPECT_TRUE(ModuleSettings.bOnline);
}

TEST_F(Commands, DatabaseFolderWithoutTrailingBackslashRunsIntoTheFileName)
{
    CpSetStrVar(m_context, "_AUTOMSPATH$", L"C:\\data");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    EXPECT_EQ(ModuleSettings.strDatabasePath, L"C:\\datadatabase\\worklist.mdb");

    CpSetStrVar(m_context, "_AUTOMSPATH$", L"C:\\data\\");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    EXPECT_EQ(ModuleSettings.strDatabasePath, L"C:\\data\\database\\worklist.mdb");
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
}

TEST_F(Commands, FiarunnerParameterControlInAnyCaseSwitchesAccessControlOnAndNothingSwitchesItOff)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    EXPECT_FALSE(ModuleSettings.bControl);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"other"}), OOCP_OK);
    EXPECT_FALSE(ModuleSettings.bControl);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"control"}), OOCP_OK);
    EXPECT_TRUE(ModuleSettings.bControl);
    EXPECT_NE(Viewer(), nullptr) << "every logon succeeds while the module has no logon dialog";
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"off"}), OOCP_OK);
    EXPECT_TRUE(ModuleSettings.bControl);
}

TEST_F(Commands, FiacontrolSwitchesOnForEmptyOrOnAndOffForAnythingElse)
{
    const struct {
        std::vector<std::wstring> arguments;
        BOOL control;
    } cases[] = {{{}, TRUE}, {{L"off"}, FALSE}, {{L"On"}, TRUE}, {{L"x"}, FALSE}, {{L""}, TRUE}, {{L"ONE"}, FALSE}};
    for (const auto& c : cases) {
        ASSERT_EQ(Execute(ID_CMD_FIACONTROL, c.arguments), OOCP_OK);
        EXPECT_EQ(ModuleSettings.bControl, c.control)
            << "argument " << (c.arguments.empty() ? "none" : WideToUtf8(c.arguments[0]));
    }
    EXPECT_EQ(Viewer(), nullptr) << "FIACONTROL opens no window";
}

TEST_F(Commands, MoreThanOneArgumentIsRefusedByTheHostFramework)
{
    EXPECT_NE(Execute(ID_CMD_FIACONTROL, {L"ON", L"OFF"}), OOCP_OK);
    EXPECT_FALSE(ModuleSettings.bControl);
}

TEST_F(Commands, SecondFiarunnerDestroysTheOpenWindowAndOpensANewOne)
{
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND first = Viewer();
    ASSERT_NE(first, nullptr);
    CDialogMainViewer* firstViewer = ModuleSettings.pMainViewer;

    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND second = Viewer();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(second, first);
    EXPECT_NE(ModuleSettings.pMainViewer, firstViewer);
    EXPECT_EQ(ModuleSettings.pMainViewer->GetSafeHwnd(), second);

    int shown = 0;
    for (HWND window : Automation::topLevelWindows())
        shown += Automation::describe(window).text == kViewerTitle;
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(LogbookTexts(), (std::vector<std::wstring>{L"Open Serion Window.", L"Open Serion Window."}));
}

TEST_F(Commands, FiacontrolMakesTheOpenWindowsUserAccountsItemFollowTheAccessFlag)
{
    // An administrator has logged on.
    ModuleSettings.nUserRole = 0;
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HMENU file = GetSubMenu(GetMenu(Viewer()), 0);
    EXPECT_EQ(GetMenuState(file, ID_USER_ACCOUNTS, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);

    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"ON"}), OOCP_OK);
    EXPECT_EQ(GetMenuState(file, ID_USER_ACCOUNTS, MF_BYCOMMAND) & MF_GRAYED, 0u);
    ASSERT_EQ(Execute(ID_CMD_FIACONTROL, {L"OFF"}), OOCP_OK);
    EXPECT_EQ(GetMenuState(file, ID_USER_ACCOUNTS, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_NE(Viewer(), nullptr) << "the open window stays open";
}

} // namespace
