// FIARUNNER and FIACONTROL as the host's macro language runs them.
#include "ModuleCommands.h"

#include "MainViewer.h"
#include "core/ModuleSettings.h"
#include "core/ReadStrVar.h"

#include "worklist/AuditTrail.h"

#include "dialogs/ShowOleDbErrors.h"
#include "kernel/Text.h"
#include "orvane/CXRCpDlcWnd.h"
#include "orvane/CXRRegCmdExecFrame.h"
#include "orvane/CXRRegCommand.h"
#include "orvane/CpApi.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "users/CDialogLogon.h"
#include "viewer/CDialogMainViewer.h"


namespace {

std::wstring UpperParameter(CXRCmdExecFrame* frame) { return ToUpperWide(frame->GetStringParam(1)); }

std::wstring HostText(HCPCONTEXT context, LPCSTR name)
{
    WCHAR buffer[259] = {};
    CpGetStrVar(context, name, buffer, 259);
    return buffer;
}

// Without a parent: the dialog is owned by the application's main window.
int RunLogon()
{
    CDialogLogon logon;
    return logon.RunModal(IDD_LOGON);
}

void ReadHostSettings(HCPCONTEXT context)
{
    // A lab's shared worklist on a server is named by its connection; otherwise it is the file
    // below the installation, whose folder name is expected to end in a backslash.
    const std::wstring strServer = HostText(context, "_SERIONDB$");
    const std::wstring strDatabaseFolder = HostText(context, "_AUTOMSPATH$") + L"database\\";
    ModuleSettings.strProvider = strServer.empty() ? kFileProvider : kServerProvider;
    ModuleSettings.strDatabasePath = strServer.empty() ? strDatabaseFolder + L"worklist.mdb" : strServer;
    // The trail's head stays on this instrument, out of the worklist's reach, also when the
    // worklist is on a server.
    ModuleSettings.strAuditHeadPath = strDatabaseFolder + (strServer.empty() ? L"worklist.head" : L"server.head");
    ModuleSettings.strMethodPath = HostText(context, "_METHPATH$");
    WCHAR helpFile[260] = {};
    NlsLoadString(ModuleResourceHandle(), IDS_HELP_FILE, helpFile, 260);
    ModuleSettings.strHelpPath = HostText(context, "_AUTOPATH$") + helpFile;
    ModuleSettings.strInstName = HostText(context, "_INSTNAME$");
    double dRecovery = 0;
    ModuleSettings.nRecoverySeconds =
        CpGetNumVar(context, "_SERIONRECOVERY", &dRecovery) == 0 ? static_cast<LONG>(dRecovery) : kRecoverySeconds;

    ModuleSettings.bOnline = HostIsOnline(context);
}

// Whichever command switches access control, the trail tells it.
void SwitchAccessControl(BOOL bOn)
{
    const BOOL bWasOn = ModuleSettings.bControl;
    ModuleSettings.bControl = bOn;
    if (bOn != bWasOn)
        ShowOleDbErrors(AuditTrail::Record(
            ModuleSettings, L"", {L"Access control switched", bWasOn ? L"on" : L"off", bOn ? L"on" : L"off"}));
}

CWnd* ApplicationWindow(CXRCpDlcWnd* task)
{
    return task ? task->GetCAppWnd() : CWnd::FromHandle(ModuleSettings.hHostWnd);
}

} // namespace

int FiaRunnerExecute(CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd* task)
{
    if (RaiseBusyMainViewer())
        return 0;
    const std::wstring parameter = UpperParameter(frame);
    // The switch's audit record needs the worklist's path.
    ReadHostSettings(context);
    if (parameter == L"CONTROL")
        SwitchAccessControl(TRUE);
    CloseMainViewer();
    if (ModuleSettings.bControl && RunLogon() != IDOK)
        return 0;
    if (OpenMainViewer(ApplicationWindow(task)) && parameter == L"CONTINUE")
        MainViewer()->ContinueInterruptedRun();
    return 0;
}

int FiaControlExecute(CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd*)
{
    const std::wstring parameter = UpperParameter(frame);
    // The logon needs the user table, whose path is not known yet when FIACONTROL comes first.
    ReadHostSettings(context);
    if (RunLogon() != IDOK)
        return 0;
    SwitchAccessControl(parameter.empty() || parameter == L"ON");
    CDialogMainViewer* viewer = MainViewer();
    if (viewer && ::IsWindow(viewer->GetSafeHwnd()))
        viewer->UpdateCommandState();
    return 0;
}

int DefineCommandParams(CXRRegCommand* command)
{
    command->AddParam(new CXRStringParam(0, L""));
    return 0;
}

CXRCmdExecFrame* CreateCommandFrame() { return new CXRRegCmdExecFrame; }
