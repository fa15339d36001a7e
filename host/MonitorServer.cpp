// Serving the web monitor with cpp-httplib: the token checked before any route, GET alone allowed,
// and the library's limits and timeouts set so that a slow or hostile client is cut off.
#include "MonitorServer.h"

#include "MonitorPage.h"
#include "MonitorWorklist.h"

#include <httplib.h>

#include <sys/socket.h>

#include <csignal>
#include <optional>
#include <regex>

namespace {

// The paths the monitor serves; any other method on them is refused with 405.
const std::regex kKnownPath("^/(events|groups(/[^/]+)?|api/(status|groups(/[^/]+)?))?$");

void reply(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

void replyJson(httplib::Response& response, const nlohmann::json& json)
{
    // A text the worklist holds in a broken encoding is shown with replacement characters.
    response.set_content(json.dump(1, '\t', false, nlohmann::json::error_handler_t::replace) + "\n",
                         "application/json");
}

// The token compared in time that does not tell how much of it matched.
bool sameToken(const std::string& given, const std::string& token)
{
    if (given.size() != token.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ token[i]);
    return difference == 0;
}

// The library listens with a backlog of five connections: a burst of clients would have their
// connections dropped and retried a second later. Listening again only widens the backlog.
class WideBacklogServer : public httplib::Server {
public:
    void widenBacklog() { ::listen(svr_sock_, SOMAXCONN); }
};

} // namespace

MonitorServer::MonitorServer(SnapshotBoard& board, std::filesystem::path worklist, std::string token, Limits limits)
    : m_board(board), m_worklist(std::move(worklist)), m_token(std::move(token)), m_limits(limits),
      m_server(std::make_unique<WideBacklogServer>())
{
    const int threads = m_limits.threads;
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
    m_server->set_read_timeout(m_limits.readTimeout);
    m_server->set_write_timeout(m_limits.writeTimeout);
    m_server->set_keep_alive_timeout(m_limits.keepAlive.count());
    m_server->set_payload_max_length(m_limits.payload);
    addRoutes();
}

MonitorServer::~MonitorServer() { stop(); }

bool MonitorServer::start(const std::string& address, int port, std::string& error)
{
    m_port = port ? (m_server->bind_to_port(address, port) ? port : -1) : m_server->bind_to_any_port(address);
    if (m_port <= 0) {
        error = "the monitor cannot listen on " + address + ":" + std::to_string(port);
        return false;
    }
    static_cast<WideBacklogServer&>(*m_server).widenBacklog();
    m_listener = std::thread([this] {
        // The serving threads start from this one and share its mask: a write to a client that
        // has gone fails instead of ending the host.
        sigset_t brokenPipe;
        sigemptyset(&brokenPipe);
        sigaddset(&brokenPipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
        m_server->listen_after_bind();
        m_listening = false;
    });
    // A stop before the library runs its loop would be missed, and the loop would never end.
    while (m_listening && !m_server->is_running())
        std::this_thread::yield();
    return true;
}

void MonitorServer::stop()
{
    if (!m_listener.joinable())
        return;
    m_board.close();
    m_server->stop();
    m_listener.join();
}

bool MonitorServer::authorised(const httplib::Request& request) const
{
    const std::string bearer = "Bearer ";
    const std::string header = request.get_header_value("Authorization");
    if (header.starts_with(bearer))
        return sameToken(header.substr(bearer.size()), m_token);
    return sameToken(request.get_param_value("token"), m_token);
}

void MonitorServer::addRoutes()
{
    httplib::Server& server = *m_server;
    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (authorised(request))
            return httplib::Server::HandlerResponse::Unhandled;
        response.set_header("WWW-Authenticate", "Bearer");
        reply(response, 401, "The monitor needs its token: add ?token=TOKEN or send Authorization: Bearer TOKEN.");
        return httplib::Server::HandlerResponse::Handled;
    });
    const auto refuse = [](const httplib::Request& request, httplib::Response& response) {
        if (!std::regex_match(request.path, kKnownPath))
            return reply(response, 404, "Not found.");
        response.set_header("Allow", "GET, HEAD");
        reply(response, 405, "The monitor only shows: use GET.");
    };
    server.Post(".*", refuse).Put(".*", refuse).Patch(".*", refuse).Delete(".*", refuse).Options(".*", refuse);

    server.Get("/", [this](const httplib::Request& request, httplib::Response& response) {
        response.set_content(MonitorPage::run(*m_board.latest(), request.get_param_value("token")), "text/html; charset=utf-8");
    });
    server.Get("/events", [this](const httplib::Request&, httplib::Response& response) { serveLivePart(response); });
    server.Get("/api/status", [this](const httplib::Request&, httplib::Response& response) {
        replyJson(response, m_board.latest()->json());
    });
    server.Get("/(api/)?groups", [this](const httplib::Request& request, httplib::Response& response) {
        const auto names = MonitorWorklist(m_worklist).groups();
        if (!names)
            return reply(response, 503, "The worklist cannot be read now.");
        if (request.matches[1].matched)
            return replyJson(response, *names);
        response.set_content(MonitorPage::groups(*names, request.get_param_value("token")), "text/html; charset=utf-8");
    });
    server.Get("/(api/)?groups/([^/]+)", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[2];
        const auto rows = MonitorWorklist(m_worklist).rows(name);
        if (!rows)
            return reply(response, 404, "No group is named " + name + ".");
        if (request.matches[1].matched)
            return replyJson(response, {{"group", name}, {"rows", MonitorRow::json(*rows)}});
        response.set_content(MonitorPage::group(name, *rows, m_board.latest()->time, request.get_param_value("token")),
                             "text/html; charset=utf-8");
    });
}

void MonitorServer::serveLivePart(httplib::Response& response)
{
    // Each live page holds a thread while it is open: two are kept for everything else.
    if (m_livePages.fetch_add(1) >= m_limits.threads - 2) {
        --m_livePages;
        response.set_header("Retry-After", "10");
        return reply(response, 503, "Too many live pages are open.");
    }
    response.set_header("Cache-Control", "no-store");
    auto sent = std::make_shared<std::optional<std::uint64_t>>();
    response.set_chunked_content_provider(
        "text/event-stream",
        [this, sent](std::size_t, httplib::DataSink& sink) {
            const auto snapshot = *sent ? m_board.waitForNewer(**sent, m_limits.heartbeat) : m_board.latest();
            if (m_board.closed())
                return false;
            std::string message = ": the run is as it was\n\n";
            if (!*sent || snapshot->version > **sent) {
                // An event's data is one "data:" line for each line of the part.
                std::string part = MonitorPage::runPart(*snapshot);
                message.clear();
                for (std::size_t start = 0; start < part.size();) {
                    const std::size_t end = std::min(part.find('\n', start), part.size());
                    message += "data: " + part.substr(start, end - start) + "\n";
                    start = end + 1;
                }
                message += "\n";
            }
            *sent = snapshot->version;
            return sink.write(message.data(), message.size());
        },
        [this](bool) { --m_livePages; });
}
