// The host's MenuState command with the host's own names of the menu and of the module's entry.
#include "MenuState.h"

#include "ModuleSettings.h"

#include "kernel/WinFormat.h"
#include "orvane/CpApi.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"

void MenuState(BOOL enable)
{
    WCHAR menuName[45] = {};
    WCHAR itemName[90] = {};
    NlsLoadString(ModuleResourceHandle(), NLS_HOST_MENU_NAME, menuName, 45);
    NlsLoadString(ModuleResourceHandle(), NLS_HOST_MODULE_ITEM, itemName, 90);
    const std::wstring line = FormatWin(L"MenuState \"%s\", \"%s\", \"%s\"", menuName, itemName,
                                        enable ? L"Sensitive/Unchecked" : L"Insensitive/Checked");
    CpExecCommand(ModuleSettings.hCpContext, line.c_str(), 0, 0, 0);
}
