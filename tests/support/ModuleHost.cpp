// The host that the module's tests and benchmarks start, and the groups they run in it.
#include "ModuleHost.h"

#include "module/MainViewer.h"
#include "module/ModuleCallbacks.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"

#include "host/DeliveredDatabase.h"
#include "host/HostInstaller.h"
#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "orvane/HostHandles.h"
#include "orvane/HostState.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "win/Automation.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

#include <fstream>

FreshOrvane::FreshOrvane()
{
    ResetOrvaneState();
    ModuleSettings = CModuleSettings{};
}

ModuleHost::ModuleHost()
    : m_logbook(m_root.path() / "logbook.txt", nullptr), m_context(CpCreateContext()),
      m_hostWindow(m_logbook, m_context, nullptr), m_moduleState(ModuleResourceHandle(), L"Serion"),
      m_app(1, 101, OnModuleInit, OnTaskCreate, OnTaskClose, OnTaskDestroy, OnModuleExit),
      m_fiaRunner(ID_CMD_FIARUNNER, FiaRunnerExecute, DefineCommandParams, CreateCommandFrame),
      m_fiaControl(ID_CMD_FIACONTROL, FiaControlExecute, DefineCommandParams, CreateCommandFrame)
{
    UtSetHostHandle(UT_HOST_HANDLE_A, 0xA0);
    UtSetHostHandle(UT_HOST_HANDLE_B, 0xB0);
    UtSetHostHandle(UT_HOST_CP_CONTEXT, m_context);
    UtSetHostHandle(UT_HOST_WINDOW, reinterpret_cast<UINT_PTR>(m_hostWindow.handle()));
    UtSetHostHandle(UT_HOST_HANDLE_D, 0xD0);
    UtSetHostHandle(UT_HOST_HANDLE_C, 0xC0);

    // The variables of an installed host, which the module subscribes to; the paths as tests want them.
    for (const auto& variable : HostInstaller::defaultVariables()) {
        if (const auto* number = std::get_if<double>(&variable.value))
            CpVariables::instance().set(variable.name, *number);
        else
            CpVariables::instance().set(variable.name, std::get<std::wstring>(variable.value));
    }
    CpSetStrVar(m_context, "_AUTOMSPATH$", L"C:\\Orvane\\Auto\\");
    CpSetStrVar(m_context, "_METHPATH$", L"C:\\Orvane\\Methods\\");
    CpSetStrVar(m_context, "_AUTOPATH$", L"C:\\Orvane\\Auto");
    CpSetStrVar(m_context, "_INSTNAME$", L"FIA 1");
    CpSetNumVar(m_context, "_OFFLINE", 0);
    // The worklist an installation delivers, below _AUTOMSPATH$.
    std::string error;
    if (!CreateDeliveredDatabase(m_root.onDriveC("Orvane/Auto/database/worklist.mdb"), error))
        m_startFailure = "the worklist was not installed: " + error;
    else if (Send(OOCP_INIT) != OOCP_OK)
        m_startFailure = "the module did not start";
    else if (Send(OOCP_TASK_CREATE, kTaskId) != OOCP_OK)
        m_startFailure = "the module's task was not created";
}

ModuleHost::~ModuleHost()
{
    AFX_MANAGE_STATE(&m_moduleState);
    // As the host ends a task, so that the task's record is freed; a test that destroyed the task
    // itself is answered with a status and nothing more.
    m_app.OOCPSRV(nullptr, OOCP_TASK_DESTROY, kTaskId, 0);
    CloseMainViewer();
    NlsRemoveModule(ModuleResourceHandle());
}

SHORT ModuleHost::Send(WORD event, LONG first, LONG second, void* data)
{
    AFX_MANAGE_STATE(&m_moduleState);
    return m_app.OOCPSRV(data, event, first, second);
}

SHORT ModuleHost::RunCommand(int commandId, std::vector<std::wstring> arguments, int& result)
{
    OocpExecute request;
    request.context = m_context;
    request.arguments = std::move(arguments);
    const SHORT status = Send(OOCP_EXECUTE, commandId, kTaskId, &request);
    result = request.result;
    return status;
}

std::vector<std::wstring> ModuleHost::QueuedLines() const
{
    std::vector<std::wstring> lines;
    for (const auto& entry : CpCommandQueue::instance().pending())
        lines.push_back(entry.line);
    return lines;
}

std::vector<std::wstring> ModuleHost::LogbookTexts() const
{
    std::vector<std::wstring> texts;
    // Each line is "date time source: text".
    for (const std::string& line : m_logbook.lines()) {
        const std::size_t colon = line.find(": ");
        texts.push_back(Utf8ToWide(colon == std::string::npos ? line : line.substr(colon + 2)));
    }
    return texts;
}

HWND ModuleHost::Viewer() const { return Automation::findWindow(kViewerTitle); }

void ModuleHost::RunHost(double seconds)
{
    const std::int64_t end = Clock::nowMs() + static_cast<std::int64_t>(seconds * 1000);
    for (;;) {
        Automation::deliverPending();
        if (!CpCommandQueue::instance().empty())
            continue;
        if (!Clock::nextDueMs() || *Clock::nextDueMs() > end)
            break;
        Clock::advanceToNextTimer();
    }
    Clock::advance(end - Clock::nowMs());
}

void ModuleHost::UseDeliveredWorklist()
{
    // A test that put the worklist on a server keeps it there.
    if (ModuleSettings.strProvider != kServerProvider)
        ModuleSettings.strDatabasePath = L"C:\\Orvane\\Auto\\database\\worklist.mdb";
}

void ModuleHost::AddMethod(const std::string& name, const std::string& simulation)
{
    const auto folder = m_root.onDriveC("Orvane/Methods/" + name);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "SIMULATE.INI") << simulation;
}

std::string ModuleHost::AddRunGroup(const std::vector<std::wstring>& methods, const std::wstring& group)
{
    UseDeliveredWorklist();
    std::filesystem::create_directories(m_root.onDriveC("Orvane/Data"));
    CGroupTable groups(ModuleSettings);
    if (FAILED(groups.Open()))
        return "the group table did not open";
    LONG id = 0;
    GroupRows groupRows(groups);
    if (FAILED(groupRows.Add(group, groupRows.List().empty(), &id)))
        return "the group was not added";
    MethodRows rows(ModuleSettings);
    if (FAILED(rows.LoadGroup(group)))
        return "the group did not load";
    rows.InsertMethods(methods, 1, L"C:\\Orvane\\Methods\\", 0);
    rows.AutoName(L"Run1", group.c_str(), 0, L"Ann");
    return "";
}
