// Reading and writing a monitor client's socket with a deadline for each request.
#include "MonitorConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

void addressOf(const sockaddr_storage& address, std::string& ip, int& port)
{
    char text[INET6_ADDRSTRLEN] = "";
    if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    } else {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    }
    ip = text;
}

} // namespace

MonitorConnection::MonitorConnection(int socket, std::chrono::milliseconds writeTimeout)
    : m_socket(socket), m_writeTimeout(writeTimeout), m_readDeadline(std::chrono::steady_clock::now())
{
}

bool MonitorConnection::waitForRequest(std::chrono::milliseconds wait) const
{
    return m_begin < m_end || waitFor(POLLIN, std::chrono::steady_clock::now() + wait);
}

void MonitorConnection::startRequest(std::chrono::milliseconds readTimeout)
{
    m_readDeadline = std::chrono::steady_clock::now() + readTimeout;
}

bool MonitorConnection::waitFor(short event, std::chrono::steady_clock::time_point until) const
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watched{m_socket, event, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return (watched.revents & (event | POLLHUP | POLLERR)) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool MonitorConnection::is_readable() const { return m_begin < m_end || waitFor(POLLIN, m_readDeadline); }

bool MonitorConnection::is_writable() const
{
    return waitFor(POLLOUT, std::chrono::steady_clock::now() + m_writeTimeout);
}

ssize_t MonitorConnection::read(char* data, std::size_t size)
{
    if (m_begin == m_end) {
        if (!is_readable())
            return -1;
        const ssize_t received = ::recv(m_socket, m_buffer, sizeof m_buffer, 0);
        if (received <= 0)
            return received;
        m_begin = 0;
        m_end = static_cast<std::size_t>(received);
    }
    const std::size_t count = std::min(size, m_end - m_begin);
    std::memcpy(data, m_buffer + m_begin, count);
    m_begin += count;
    return static_cast<ssize_t>(count);
}

ssize_t MonitorConnection::write(const char* data, std::size_t size)
{
    if (!is_writable())
        return -1;
    return ::send(m_socket, data, size, MSG_NOSIGNAL);
}

void MonitorConnection::get_remote_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    ::getpeername(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    addressOf(address, ip, port);
}

void MonitorConnection::get_local_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    addressOf(address, ip, port);
}
