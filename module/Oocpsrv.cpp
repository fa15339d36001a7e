// The module's one exported entry and the static objects the host framework finds when the
// library is loaded, built in this order: the settings record (ModuleSettings.cpp, constant-
// initialised before all of these), the application object, the help administrator, the two
// registered commands and the module's framework state.
#include "ModuleCallbacks.h"
#include "ModuleCommands.h"

#include "orvane/CXRCpDlcApp.h"
#include "orvane/CXRHelpAdmin.h"
#include "orvane/CXRRegCommand.h"
#include "orvane/ViewHelp.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

#include <cstdint>

namespace {

CXRCpDlcApp theApp(1, IDR_COMMAND_TABLE, OnModuleInit, OnTaskCreate, OnTaskClose, OnTaskDestroy, OnModuleExit);
CXRHelpAdmin theHelpAdmin(ViewShowHelp, 101, L"SERION", 2);
CXRRegCommand theFiaRunnerCommand(ID_CMD_FIARUNNER, FiaRunnerExecute, DefineCommandParams, CreateCommandFrame);
CXRRegCommand theFiaControlCommand(ID_CMD_FIACONTROL, FiaControlExecute, DefineCommandParams, CreateCommandFrame);
AFX_MODULE_STATE theModuleState(ModuleResourceHandle(), L"Serion");

} // namespace

extern "C" __attribute__((visibility("default"))) std::int16_t OOCPSRV(void* data, std::uint16_t event,
                                                                        std::int32_t first, std::int32_t second)
{
    AFX_MANAGE_STATE(&theModuleState);
    return theApp.OOCPSRV(data, event, first, second);
}
