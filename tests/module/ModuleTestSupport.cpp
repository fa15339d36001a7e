// The module's test host: the real host window and logbook, host handles and host variables as an
// Orvane installation supplies them, and the module's callbacks and commands behind OOCPSRV.
#include "ModuleTestSupport.h"

#include "module/ModuleCallbacks.h"
#include "module/ModuleCommands.h"
#include "module/ModuleSettings.h"
#include "module/MainViewer.h"

#include "host/DeliveredDatabase.h"
#include "host/HostInstaller.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "orvane/HostHandles.h"
#include "orvane/HostState.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

FreshOrvane::FreshOrvane()
{
    ResetOrvaneState();
    ModuleSettings = CModuleSettings{};
}

ModuleTest::ModuleTest()
    : m_logbook(m_root.path() / "logbook.txt", nullptr), m_context(CpCreateContext()),
      m_hostWindow(m_logbook, m_context), m_moduleState(ModuleResourceHandle(), L"Serion"),
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
    EXPECT_TRUE(CreateDeliveredDatabase(m_root.onDriveC("Orvane/Auto/database/worklist.mdb"), error)) << error;

    EXPECT_EQ(Send(OOCP_INIT), OOCP_OK);
    EXPECT_EQ(Send(OOCP_TASK_CREATE, kTaskId), OOCP_OK);
}

ModuleTest::~ModuleTest()
{
    AFX_MANAGE_STATE(&m_moduleState);
    // As the host ends a task, so that the task's record is freed; a test that destroyed the task
    // itself is answered with a status and nothing more.
    m_app.OOCPSRV(nullptr, OOCP_TASK_DESTROY, kTaskId, 0);
    CloseMainViewer();
    NlsRemoveModule(ModuleResourceHandle());
}

SHORT ModuleTest::Send(WORD event, LONG first, LONG second, void* data)
{
    AFX_MANAGE_STATE(&m_moduleState);
    return m_app.OOCPSRV(data, event, first, second);
}

SHORT ModuleTest::Execute(int commandId, std::vector<std::wstring> arguments)
{
    OocpExecute request;
    request.context = m_context;
    request.arguments = std::move(arguments);
    const SHORT status = Send(OOCP_EXECUTE, commandId, kTaskId, &request);
    EXPECT_EQ(request.result, 0);
    return status;
}

std::vector<std::wstring> ModuleTest::QueuedLines() const
{
    std::vector<std::wstring> lines;
    for (const auto& entry : CpCommandQueue::instance().pending())
        lines.push_back(entry.line);
    return lines;
}

std::vector<std::wstring> ModuleTest::LogbookTexts() const
{
    std::vector<std::wstring> texts;
    // Each line is "date time source: text".
    for (const std::string& line : m_logbook.lines()) {
        const std::size_t colon = line.find(": ");
        texts.push_back(Utf8ToWide(colon == std::string::npos ? line : line.substr(colon + 2)));
    }
    return texts;
}

std::wstring MenuStateLine(const std::wstring& state)
{
    auto hostString = [](UINT id) {
        WCHAR buffer[128] = {};
        NlsLoadString(nullptr, id, buffer, 128);
        return std::wstring(buffer);
    };
    return L"MenuState \"" + hostString(NLS_HOST_MENU_NAME) + L"\", \"" + hostString(NLS_HOST_MODULE_ITEM) + L"\", \"" +
           state + L"\"";
}
