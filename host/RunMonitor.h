// The web monitor of a running host: at each run event the user-interface thread takes a snapshot
// of the instrument's status and the group's rows and leaves it on the board, where the server's
// threads read it. orvane --monitor starts it.
#pragma once

#include "Logbook.h"
#include "MonitorServer.h"
#include "MonitorWorklist.h"
#include "SnapshotBoard.h"

#include "orvane/CpRunEvent.h"
#include "orvane/CpVariables.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class RunMonitor {
public:
    using Output = std::function<void(const std::wstring& line)>;

    // The page's address with its token goes to the output alone, never to the logbook, which
    // every local user may read.
    RunMonitor(Logbook& logbook, Output output, std::filesystem::path tokenFile, MonitorServer::Limits limits = {});
    ~RunMonitor();
    RunMonitor(const RunMonitor&) = delete;
    RunMonitor& operator=(const RunMonitor&) = delete;

    // Finds the worklist through the host's variables, reads or makes the token, serves on the
    // address and port (0: any free one), writes where to the logbook and the page to open, with
    // its token, to the output.
    // False with the reason when any of that fails.
    bool start(const std::string& address, int port, std::string& error);
    const std::string& token() const { return m_token; }
    int port() const { return m_server ? m_server->port() : 0; }

private:
    void onRunEvent(const CpRunEvent& event);
    // A run that a stopped host left open is shown as interrupted from the start.
    void findInterruptedRun();
    void publish();

    Logbook& m_logbook;
    Output m_output;
    std::int32_t m_source;
    std::filesystem::path m_tokenFile;
    MonitorServer::Limits m_limits;
    std::string m_token;
    SnapshotBoard m_board;
    // The user-interface thread's own connection, for the running group's rows.
    std::unique_ptr<MonitorWorklist> m_worklist;
    std::unique_ptr<MonitorServer> m_server;
    CpRunEventObserverId m_observer{};
    CpVariables::ObserverId m_instrumentObserver = 0;
    bool m_observing = false;
    // What the last run event said.
    std::string m_run = "idle";
    std::string m_event;
    std::string m_message;
    std::int64_t m_expectedEnd = 0;
    std::string m_group;
};
