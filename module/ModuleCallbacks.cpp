// Module start, task bookkeeping and shut-down, as the host framework calls them.
#include "ModuleCallbacks.h"

#include "MainViewer.h"
#include "core/ModuleSettings.h"

#include "kernel/Library.h"
#include "kernel/UserName.h"
#include "orvane/CXRCpDlcApp.h"
#include "orvane/CXRCpDlcWnd.h"
#include "orvane/HostHandles.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "win/WinUser.h"

int OnModuleInit(CXRCpDlcApp* app)
{
    CmdAttachApp(app);

    ModuleSettings.nUserId = -1;
    ModuleSettings.nUserRole = -1;
    ModuleSettings.bOnline = FALSE;
    ModuleSettings.bControl = FALSE;
    ModuleSettings.strProvider = kFileProvider;

    UTHOSTHANDLE handles[] = {
        {UT_HOST_HANDLE_A, &ModuleSettings.hHostA},  {UT_HOST_HANDLE_B, &ModuleSettings.hHostB},
        {UT_HOST_HANDLE_C, &ModuleSettings.hHostC},  {UT_HOST_CP_CONTEXT, &ModuleSettings.hCpContext},
        {UT_HOST_WINDOW, &ModuleSettings.hHostWnd}, {UT_HOST_HANDLE_D, &ModuleSettings.hHostD},
    };
    UtGetHostHandles(0, handles, 6);

    ModuleSettings.nLogbookId = static_cast<DWORD>(::SendMessageW(
        ModuleSettings.hHostWnd, WM_HOST_LOGBOOK_REGISTER, 0, reinterpret_cast<LPARAM>(kLogbookSourceName)));

    WCHAR userName[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ::GetUserNameW(userName, &size);
    ModuleSettings.strUserName = userName;

    NlsAddModule(ModuleResourceHandle());
    return 0;
}

int OnTaskCreate(CXRCpDlcWnd* task, void*)
{
    task->SetTaskSpecific(new TaskRecord);
    return 0;
}

int OnTaskClose(CXRCpDlcWnd* task, void*)
{
    if (auto* record = static_cast<TaskRecord*>(task->GetTaskSpecific()))
        record->bClosed = TRUE;
    return 0;
}

int OnTaskDestroy(CXRCpDlcWnd* task, void*)
{
    delete static_cast<TaskRecord*>(task->GetTaskSpecific());
    task->SetTaskSpecific(nullptr);
    CloseMainViewer();
    ::SendMessageW(ModuleSettings.hHostWnd, WM_HOST_LOGBOOK_UNREGISTER, ModuleSettings.nLogbookId, 0);
    return 0;
}

int OnModuleExit(CXRCpDlcApp*)
{
    // The host may have unloaded its language library before the module.
    if (::GetModuleHandleW(L"langkit"))
        NlsRemoveModule(ModuleResourceHandle());
    return 0;
}
