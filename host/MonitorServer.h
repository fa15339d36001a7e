// The web monitor's HTTP server: read-only pages and JSON of the run and the worklist, for clients
// that give the token. It serves on threads of its own, from the snapshots on the board and its
// own read-only connections to the worklist, so no client ever waits on the user-interface thread
// nor it on a client.
#pragma once

#include "MonitorWorklist.h"
#include "SnapshotBoard.h"
#include "SnapshotText.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

class MonitorHttpServer;

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

class MonitorServer {
public:
    // How long a client may take and how much it may send before the server ends its request.
    struct Limits {
        std::chrono::milliseconds readTimeout{2000};
        std::chrono::milliseconds writeTimeout{2000};
        std::chrono::seconds keepAlive{2};
        std::size_t payload = 1024;
        // Each connection is served on a thread of its own, up to this many at once.
        int threads = 128;
        // Live pages open at once; one more is answered 503 at once.
        int liveParts = 32;
        // An idle live page hears a comment this often, so that a gone client is found.
        std::chrono::milliseconds heartbeat{15000};
    };

    // dataPath is the host's _DATAPATH$, below which each row has its data folder.
    MonitorServer(SnapshotBoard& board, MonitorWorklist::Place worklist, std::wstring dataPath, std::string token,
                  Limits limits);
    // Stops the server.
    ~MonitorServer();
    MonitorServer(const MonitorServer&) = delete;
    MonitorServer& operator=(const MonitorServer&) = delete;

    // Listens on the address and port (0: any free port) and serves in the background; false
    // with the reason when the address cannot be taken, a port that another program listens on
    // included.
    bool start(const std::string& address, int port, std::string& error);
    int port() const { return m_port; }
    void stop();

private:
    void addRoutes();
    bool authorised(const httplib::Request& request) const;
    bool onServer() const { return !m_worklist.server.empty(); }
    void serveLivePart(httplib::Response& response);
    void serveSignal(const httplib::Request& request, httplib::Response& response);

    SnapshotBoard& m_board;
    MonitorWorklist::Place m_worklist;
    std::wstring m_dataPath;
    std::string m_token;
    Limits m_limits;
    SnapshotText m_statusJson;
    SnapshotText m_runPage;
    SnapshotText m_liveEvent;
    std::unique_ptr<MonitorHttpServer> m_server;
    std::thread m_listener;
    int m_port = 0;
    std::atomic<int> m_livePages{0};
    std::atomic<bool> m_listening{true};
};
