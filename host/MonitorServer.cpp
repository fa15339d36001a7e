// Serving the web monitor with cpp-httplib: the token checked before any route, GET alone allowed,
// and the library's limits and timeouts set so that a slow or hostile client is cut off.
#include "MonitorServer.h"

#include "MonitorHttpServer.h"
#include "MonitorAssets.h"
#include "MonitorPage.h"
#include "MonitorSignal.h"
#include "RunEventRecord.h"
#include "MonitorWorklist.h"

#include "kernel/DriveMap.h"
#include "kernel/Text.h"

#include <httplib.h>

#include <csignal>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <optional>
#include <regex>

namespace {

// The paths the monitor serves; any other method on them is refused with 405.
// A group's name is one path segment as the client sent it, but a "/" in it arrives decoded.
const std::regex kKnownPath("^/(events|monitor\\.js|monitor\\.css|lab|groups(/.+)?|api/(status|signal|lab|groups(/.+)?))?$");

void reply(httplib::Response& response, int status, const std::string& text)
{
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

std::string jsonText(const nlohmann::json& json)
{
    // A text the worklist holds in a broken encoding is shown with replacement characters.
    return json.dump(1, '\t', false, nlohmann::json::error_handler_t::replace) + "\n";
}

void replyJson(httplib::Response& response, const nlohmann::json& json)
{
    response.set_content(jsonText(json), "application/json");
}

// The status as one server-sent event: its JSON on one line.
std::string liveEvent(const MonitorSnapshot& snapshot)
{
    return "data: " + snapshot.json().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n\n";
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

} // namespace

MonitorServer::MonitorServer(SnapshotBoard& board, MonitorWorklist::Place worklist, std::wstring dataPath,
                             std::string token, Limits limits)
    : m_board(board), m_worklist(std::move(worklist)), m_dataPath(std::move(dataPath)), m_token(std::move(token)),
      m_limits(limits), m_statusJson([](const MonitorSnapshot& snapshot) { return jsonText(snapshot.json()); }),
      m_runPage([this](const MonitorSnapshot& snapshot) {
          return MonitorPage::run(snapshot, *m_statusJson.of(snapshot), m_token, onServer());
      }),
      m_liveEvent([](const MonitorSnapshot& snapshot) { return liveEvent(snapshot); }),
      m_server(std::make_unique<MonitorHttpServer>(
          MonitorHttpServer::Timeouts{m_limits.readTimeout, m_limits.writeTimeout, m_limits.keepAlive},
          static_cast<std::size_t>(m_limits.threads)))
{
    m_server->set_payload_max_length(m_limits.payload);
    addRoutes();
}

MonitorServer::~MonitorServer() { stop(); }

bool MonitorServer::start(const std::string& address, int port, std::string& error)
{
    errno = 0;
    m_port = port ? (m_server->bind_to_port(address, port) ? port : -1) : m_server->bind_to_any_port(address);
    if (m_port <= 0) {
        const int reason = errno;
        error = "the monitor cannot listen on " + address + ":" + std::to_string(port) +
                (reason == EADDRINUSE ? ": another program listens on that port"
                                      : reason ? ": " + std::string(std::strerror(reason)) : "");
        return false;
    }
    m_server->widenBacklog();
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
    m_server->closeConnections();
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
    MonitorHttpServer& server = *m_server;
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

    server.Get("/", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(*m_runPage.of(*m_board.latest()), "text/html; charset=utf-8");
    });
    server.Get("/monitor.js", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(MonitorAssets::script), "text/javascript; charset=utf-8");
    });
    server.Get("/monitor.css", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(MonitorAssets::style), "text/css; charset=utf-8");
    });
    server.Get("/api/signal", [this](const httplib::Request& request, httplib::Response& response) {
        serveSignal(request, response);
    });
    server.Get("/events", [this](const httplib::Request&, httplib::Response& response) { serveLivePart(response); });
    server.Get("/api/status", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(*m_statusJson.of(*m_board.latest()), "application/json");
    });
    server.Get("/(api/)?groups", [this](const httplib::Request& request, httplib::Response& response) {
        const auto names = MonitorWorklist(m_worklist).groups();
        if (!names)
            return reply(response, 503, "The worklist cannot be read now.");
        if (request.matches[1].matched)
            return replyJson(response, *names);
        response.set_content(MonitorPage::groups(*names, m_token, onServer()), "text/html; charset=utf-8");
    });
    server.Get("/(api/)?groups/(.+)", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string name = request.matches[2];
        const auto latest = m_board.latest();
        const auto rows = MonitorWorklist(m_worklist).rows(name, latest->run == "running" && latest->group == name);
        if (!rows)
            return reply(response, 404, "No group is named " + name + ".");
        const nlohmann::json group = {{"time", IsoTime(latest->time)}, {"group", name}, {"rows", MonitorRow::json(*rows)}};
        if (request.matches[1].matched)
            return replyJson(response, group);
        response.set_content(MonitorPage::group(name, jsonText(group), m_token, onServer()), "text/html; charset=utf-8");
    });
    server.Get("/(api/)?lab", [this](const httplib::Request& request, httplib::Response& response) {
        if (!onServer())
            return reply(response, 404, "This instrument keeps its worklist in a file: no other instrument shares it.");
        const auto instruments = MonitorWorklist(m_worklist).lab();
        if (!instruments)
            return reply(response, 503, "The lab's server cannot be read now.");
        const nlohmann::json lab = {{"time", IsoTime(m_board.latest()->time)}, {"instruments", *instruments}};
        if (request.matches[1].matched)
            return replyJson(response, lab);
        response.set_content(MonitorPage::lab(lab, m_token), "text/html; charset=utf-8");
    });
}

void MonitorServer::serveSignal(const httplib::Request& request, httplib::Response& response)
{
    const std::string name = request.get_param_value("group");
    const auto rows = MonitorWorklist(m_worklist).rows(name, true);
    const long number = std::atol(request.get_param_value("row").c_str());
    if (!rows || number < 1 || number > static_cast<long>(rows->size()))
        return reply(response, 404, "No such row.");
    const MonitorRow& row = (*rows)[static_cast<std::size_t>(number - 1)];
    // The folder comes from the worklist: it is read only when it lies below the data folder.
    const std::wstring folder = Utf8ToWide(row.subFolder + "\\" + row.dataFile);
    const auto path = folder.find(L"..") == std::wstring::npos ? DriveMap::toHost(m_dataPath + L"\\" + folder) : std::nullopt;
    if (row.dataFile.empty() || !path)
        return reply(response, 404, "The row has no data folder.");
    nlohmann::json signal = MonitorSignal::read(*path);
    signal["group"] = name;
    signal["row"] = number;
    // As a script, the signal comes with the page that names it.
    if (request.has_param("script"))
        return response.set_content("const initialSignal = " + jsonText(signal) + ";\n", "text/javascript; charset=utf-8");
    replyJson(response, signal);
}

void MonitorServer::serveLivePart(httplib::Response& response)
{
    // Each live page holds a thread while it is open.
    if (m_livePages.fetch_add(1) >= m_limits.liveParts) {
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
            const bool changed = !*sent || snapshot->version > **sent;
            *sent = snapshot->version;
            if (!changed) {
                const std::string heartbeat = ": the run is as it was\n\n";
                return sink.write(heartbeat.data(), heartbeat.size());
            }
            const auto event = m_liveEvent.of(*snapshot);
            return sink.write(event->data(), event->size());
        },
        [this](bool) { --m_livePages; });
}
