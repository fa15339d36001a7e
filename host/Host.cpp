// Putting the host together and taking it apart in order: the module goes first, the window last.
#include "Host.h"

#include "HostVariableFile.h"

#include "kernel/DriveMap.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/CpVariables.h"
#include "orvane/HostHandles.h"
#include "orvane/MacroInterpreter.h"

#include <cstdlib>

Host::Host(HostRoot root, Output output)
    : m_root(std::move(root)), m_output(std::move(output)), m_context(CpCreateContext()),
      m_logbook(m_root.logbookFile(), [this](const std::string& line) { m_output(Utf8ToWide(line)); }),
      m_window(m_logbook, m_context, m_output), m_instrument(m_output),
      m_commandLine(m_context, m_window, m_output), m_notifier(m_logbook)
{
    DriveMap::setRoot(m_root.path());
    auto& interpreter = MacroInterpreter::instance();
    interpreter.setPrintOutput(m_output);
    interpreter.setErrorOutput([this](const std::wstring& message) { m_output(L"Error: " + message); });
}

Host::~Host()
{
    m_module.reset();
    auto& interpreter = MacroInterpreter::instance();
    interpreter.setPrintOutput(nullptr);
    interpreter.setErrorOutput(nullptr);
    UtClearHostHandles();
    CpDestroyContext(m_context);
}

bool Host::start(const std::vector<std::filesystem::path>& moduleCandidates, std::string& error)
{
    const auto variables = HostVariableFile::load(m_root.variableFile(), error);
    if (!variables)
        return false;
    for (const auto& variable : *variables) {
        const CpValue value = std::holds_alternative<double>(variable.value)
                                  ? CpValue(std::get<double>(variable.value))
                                  : CpValue(std::get<std::wstring>(variable.value));
        if (CpVariables::instance().set(variable.name, value) != CP_OK) {
            error = m_root.variableFile().string() + ": " + variable.name + " is not a valid host variable";
            return false;
        }
    }
    // Every session on a lab's server is named after the instrument, so that the monitors of the
    // other instruments see this one connected.
    const auto instrument = CpVariables::instance().get("_INSTNAME$");
    if (const auto server = CpVariables::instance().get("_SERIONDB$");
        server && server->isText() && !server->text().empty() && instrument && instrument->isText())
        setenv("PGAPPNAME", WideToUtf8(instrument->text()).c_str(), 1);
    // The handles a module asks for but does not use get values of their own, so that its
    // request succeeds as a whole.
    for (WORD id : {UT_HOST_HANDLE_A, UT_HOST_HANDLE_B, UT_HOST_HANDLE_C, UT_HOST_HANDLE_D})
        UtSetHostHandle(id, id);
    UtSetHostHandle(UT_HOST_CP_CONTEXT, m_context);
    UtSetHostHandle(UT_HOST_WINDOW, reinterpret_cast<UINT_PTR>(m_window.handle()));
    startModule(moduleCandidates);
    queueStartupMacro();
    return true;
}

bool Host::startMonitor(const std::string& address, int port, std::string& error)
{
    m_monitor = std::make_unique<RunMonitor>(m_logbook, m_output, m_root.path() / "monitor.token");
    if (m_monitor->start(address, port, error))
        return true;
    m_monitor.reset();
    return false;
}

void Host::queueStartupMacro()
{
    // The lines run as soon as the host's loop runs, before any input is taken.
    constexpr const wchar_t* file = L"C:\\Orvane\\STARTUP.MAC";
    const auto path = DriveMap::toHost(file);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error))
        return;
    CpExecCommand(m_context, (std::wstring(L"Macro \"") + file + L"\"").c_str(), 0, 0, 0);
    CpExecCommand(m_context, L"STARTUP", 0, 0, 0);
}

void Host::startModule(const std::vector<std::filesystem::path>& candidates)
{
    std::string error;
    auto module = CommandModule::load(candidates, error);
    if (!module) {
        m_output(L"The Serion module is not available: " + Utf8ToWide(error) + L".");
        return;
    }
    if (!module->start(error)) {
        m_output(L"The Serion module did not start: " + Utf8ToWide(error) + L".");
        return;
    }
    if (module->commands().empty()) {
        m_output(L"The Serion module is loaded but offers no commands.");
    } else {
        std::wstring names;
        for (const auto& command : module->commands())
            names += (names.empty() ? L"" : L", ") + Utf8ToWide(command.name);
        m_output(L"The Serion module is loaded; its commands: " + names + L".");
    }
    m_module = std::move(module);
}
