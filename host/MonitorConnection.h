// One client's connection to the web monitor, as the HTTP library reads and writes it: a request
// must arrive whole within the read timeout, however slowly its bytes trickle in, so that a slow
// client holds its thread for a bounded time only.
#pragma once

#include <httplib.h>

#include <chrono>
#include <cstddef>
#include <string>

class MonitorConnection : public httplib::Stream {
public:
    MonitorConnection(int socket, std::chrono::milliseconds writeTimeout);

    // Waits until the client sends the next request, at most for the wait; false when it sends
    // nothing, closes the connection or the server stops.
    bool waitForRequest(std::chrono::milliseconds wait) const;
    // From now the request, head and body, has this long to arrive.
    void startRequest(std::chrono::milliseconds readTimeout);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* data, std::size_t size) override;
    ssize_t write(const char* data, std::size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override { return m_socket; }

private:
    bool waitFor(short event, std::chrono::steady_clock::time_point until) const;

    int m_socket;
    std::chrono::milliseconds m_writeTimeout;
    std::chrono::steady_clock::time_point m_readDeadline;
    // The library reads a request's head a byte at a time: the bytes come from the socket in blocks.
    char m_buffer[4096];
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};
