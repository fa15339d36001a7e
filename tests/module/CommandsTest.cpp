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
