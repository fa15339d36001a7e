// The running host: its variables from the root, the host window and logbook, the instrument
// simulation and the loaded module, and the command line that reaches them all.
#pragma once

#include "CommandModule.h"
#include "HostCommandLine.h"
#include "HostRoot.h"
#include "HostWindow.h"
#include "InstrumentSimulation.h"
#include "Logbook.h"
#include "RunMonitor.h"
#include "RunNotifier.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Host {
public:
    using Output = std::function<void(const std::wstring& line)>;

    // Everything the host shows goes to output: Print, errors, logbook entries, the instrument.
    Host(HostRoot root, Output output);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Sets the installation's variables, starts the module found among the candidates and queues
    // the start-up macro when the installation has one. False,
    // with the reason, only when the variables cannot be read; a module that is missing, cannot
    // be loaded or offers no commands is reported through the output and the host runs on.
    bool start(const std::vector<std::filesystem::path>& moduleCandidates, std::string& error);

    // Serves the web monitor (orvane --monitor) once the host has started; false with the reason.
    bool startMonitor(const std::string& address, int port, std::string& error);

    HostCommandLine& commandLine() { return m_commandLine; }
    Logbook& logbook() { return m_logbook; }
    HostWindow& window() { return m_window; }
    InstrumentSimulation& instrument() { return m_instrument; }
    HCPCONTEXT context() const { return m_context; }
    const CommandModule* module() const { return m_module.get(); }

private:
    void startModule(const std::vector<std::filesystem::path>& candidates);
    // An installation that goes on by itself after a power failure says how in its start-up macro
    // file C:\Orvane\STARTUP.MAC: its macro STARTUP runs once the host is up.
    void queueStartupMacro();

    HostRoot m_root;
    Output m_output;
    HCPCONTEXT m_context;
    Logbook m_logbook;
    HostWindow m_window;
    InstrumentSimulation m_instrument;
    HostCommandLine m_commandLine;
    // Destroyed after the module, so that it hears every event the module reports.
    RunNotifier m_notifier;
    std::unique_ptr<RunMonitor> m_monitor;
    std::unique_ptr<CommandModule> m_module;
};
