// Serving the monitor's connections: the library parses and routes each request, this class reads
// them with their deadline and owns the sockets.
#include "MonitorHttpServer.h"

#include "MonitorConnection.h"
#include "MonitorThreads.h"

#include <sys/socket.h>
#include <unistd.h>

MonitorHttpServer::MonitorHttpServer(Timeouts timeouts, std::size_t threads) : m_timeouts(timeouts)
{
    new_task_queue = [threads] { return new MonitorThreads(threads); };
    set_write_timeout(m_timeouts.write);
    // The library's default also sets SO_REUSEPORT, with which a second host would listen on
    // the same port beside the first, each answering some of the requests.
    set_socket_options([](int socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

void MonitorHttpServer::widenBacklog() { ::listen(svr_sock_, SOMAXCONN); }

void MonitorHttpServer::closeConnections()
{
    const std::lock_guard lock(m_mutex);
    m_closing = true;
    for (int socket : m_connections)
        ::shutdown(socket, SHUT_RDWR);
}

bool MonitorHttpServer::track(int socket)
{
    const std::lock_guard lock(m_mutex);
    if (!m_closing)
        m_connections.insert(socket);
    return !m_closing;
}

void MonitorHttpServer::untrack(int socket)
{
    const std::lock_guard lock(m_mutex);
    m_connections.erase(socket);
}

bool MonitorHttpServer::process_and_close_socket(int socket)
{
    if (track(socket)) {
        MonitorConnection connection(socket, m_timeouts.write);
        bool closed = false;
        auto wait = m_timeouts.read;
        for (std::size_t left = keep_alive_max_count_; left > 0 && !closed && connection.waitForRequest(wait); --left) {
            connection.startRequest(m_timeouts.read);
            if (!process_request(connection, left == 1, closed, nullptr))
                break;
            wait = m_timeouts.keepAlive;
        }
        untrack(socket);
    }
    ::shutdown(socket, SHUT_RDWR);
    ::close(socket);
    return true;
}
