// The HTTP library's server as the monitor runs it: every connection on a thread of its own (up to
// a bound), each request given a deadline to arrive whole, no port shared with another program,
// and every open connection closed at once when the server stops.
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <mutex>
#include <set>

class MonitorHttpServer : public httplib::Server {
public:
    struct Timeouts {
        std::chrono::milliseconds read;
        std::chrono::milliseconds write;
        std::chrono::milliseconds keepAlive;
    };

    MonitorHttpServer(Timeouts timeouts, std::size_t threads);

    // Listens with a backlog wide enough for a burst of clients; the library's own backlog of
    // five would drop their connections to be retried a second later.
    void widenBacklog();
    // Ends every connection's wait for its client: the server is stopping.
    void closeConnections();

private:
    bool process_and_close_socket(int socket) override;
    // Whether the connection may be served: not once the server is stopping.
    bool track(int socket);
    void untrack(int socket);

    Timeouts m_timeouts;
    std::mutex m_mutex;
    std::set<int> m_connections;
    bool m_closing = false;
};
