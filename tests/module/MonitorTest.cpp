// The web monitor as a lab uses it while a group runs: its JSON and pages follow the run, from the
// worklist file or a lab's server with every instrument that uses it, the live part changes
// without a reload, it refuses what it does not serve, and neither bad nor stalled clients stop it
// or hold up the run.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"

#include "host/InstrumentSimulation.h"
#include "host/RunEventRecord.h"
#include "host/RunMonitor.h"
#include "host/ServerWorklist.h"
#include "oledb/PgDatabase.h"
#include "orvane/CpVariables.h"
#include "support/PgServer.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "resources/ResourceIds.h"
#include "win/Automation.h"

#include <gmock/gmock.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <regex>
#include <thread>

using namespace std::chrono_literals;
using testing::HasSubstr;

namespace {

// Short limits, so that a request the server has to end is ended within the test's time.
MonitorServer::Limits testLimits()
{
    MonitorServer::Limits limits;
    limits.readTimeout = 300ms;
    limits.writeTimeout = 300ms;
    limits.keepAlive = 1s;
    limits.heartbeat = 200ms;
    return limits;
}

// A raw connection to the monitor, for requests no well-behaved client sends.
class RawClient {
public:
    explicit RawClient(int port)
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_connected = ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        const timeval wait{2, 0};
        ::setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    }
    ~RawClient() { ::close(m_socket); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool connected() const { return m_connected; }
    int socket() const { return m_socket; }
    void send(const std::string& bytes) { (void)::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // What the server sends until it closes the connection, or until two seconds pass.
    std::string readToEnd()
    {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = ::recv(m_socket, buffer, sizeof buffer, 0)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

    // The first line the server sends, within two seconds.
    std::string readLine()
    {
        std::string line;
        for (char c; line.find('\n') == std::string::npos && ::recv(m_socket, &c, 1, 0) == 1;)
            line += c;
        return line;
    }

private:
    int m_socket = -1;
    bool m_connected = false;
};

class Monitor : public ModuleTest {
protected:
    Monitor()
    {
        AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
        AddMethod("LEAK.M", "RunTime=20\nOutcome=failed\nMessage=Pump pressure above limit.\n");
    }

    void StartMonitor(MonitorServer::Limits limits = testLimits())
    {
        m_monitor = std::make_unique<RunMonitor>(
            m_logbook, [this](const std::wstring& line) { m_shown.push_back(line); }, m_root.path() / "monitor.token",
            limits);
        std::string error;
        ASSERT_TRUE(m_monitor->start("127.0.0.1", 0, error)) << error;
    }
    void Run() { ASSERT_TRUE(Automation::click(Viewer(), IDC_RUN).ok); }
    // An FIA table of the given number of locations, one injection each, for the method.
    void AddFiaTable(const std::string& method, int locations)
    {
        std::string table = "ORVANE REGISTER 1\nObject \"FIA\"\nTable FIATable\nHeader FIAEnabled = 1\n"
                            "Column VIALNUMBER Long\nColumn INJPERVIAL Long\nColumn SAMPLENAME String\n";
        for (int i = 1; i <= locations; ++i)
            table += "Row " + std::to_string(i) + ", 1, \"Sample " + std::to_string(i) + "\"\n";
        WriteFileBytes(m_root.onDriveC("Orvane/Methods/" + method + "/FIA.REG"), table + "EndTable\nEndObject\n");
    }
    // Changes the worklist as another program could.
    void Sql(const std::string& statements) const
    {
        sqlite3* worklist = nullptr;
        ASSERT_EQ(sqlite3_open(m_root.onDriveC("Orvane/Auto/database/worklist.mdb").c_str(), &worklist), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(worklist, statements.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << statements;
        sqlite3_close(worklist);
    }

    httplib::Client Client() const
    {
        httplib::Client client("127.0.0.1", m_monitor->port());
        client.set_connection_timeout(1s);
        client.set_read_timeout(2s);
        return client;
    }
    std::string WithToken(const std::string& path) const
    {
        return path + (path.find('?') == std::string::npos ? "?" : "&") + "token=" + m_monitor->token();
    }
    // The JSON at the path, which must answer 200.
    nlohmann::json Json(const std::string& path) const
    {
        const auto result = Client().Get(WithToken(path));
        if (!result || result->status != 200) {
            ADD_FAILURE() << path << " answered " << (result ? result->status : -1);
            return {};
        }
        return nlohmann::json::parse(result->body);
    }
    static std::vector<std::string> States(const nlohmann::json& rows)
    {
        std::vector<std::string> states;
        for (const auto& row : rows)
            states.push_back(row["state"]);
        return states;
    }

    InstrumentSimulation m_instrument{[](const std::wstring&) {}};
    // What the host shows in its terminal.
    std::vector<std::wstring> m_shown;
    std::unique_ptr<RunMonitor> m_monitor;
};

TEST_F(Monitor, TheJsonFollowsARunInProgressAndAfterIt)
{
    StartMonitor();
    AddFiaTable("LEAK.M", 4);
    AddFiaTable("DONE.M", 2);
    OpenWithGroup({L"DONE.M", L"LEAK.M", L"DONE.M"});
    EXPECT_EQ(Json("/api/status")["run"], "idle");
    Run();
    RunHost(15);

    nlohmann::json status = Json("/api/status");
    EXPECT_EQ(status["run"], "running");
    EXPECT_EQ(status["group"], "Nitrates");
    EXPECT_EQ(status["acquisition"], "RUN");
    EXPECT_EQ(status["instrumentState"], "running") << "the instrument as the module sees it, in words";
    EXPECT_THAT(States(status["rows"]), testing::ElementsAre("done", "running", "waiting"));
    // LEAK.M, never run, counts as DONE.M's 10 s: the run ends 20 s after its start.
    const std::string expectedEnd = IsoTime(::StoredRows(L"Nitrates")[1].StartTime + 20);
    EXPECT_EQ(status["progress"], nlohmann::json({{"ended", 1},
                                                  {"rows", 3},
                                                  {"failed", 0},
                                                  {"runningRow", 2},
                                                  {"expectedEnd", expectedEnd}}));
    EXPECT_EQ(status["rows"][1]["start"], status["rows"][0]["end"]);
    EXPECT_EQ(status["rows"][1]["end"], "");

    RunHost(40);
    status = Json("/api/status");
    EXPECT_EQ(status["run"], "ended");
    EXPECT_EQ(status["event"], "group-ended");
    EXPECT_THAT(States(status["rows"]), testing::ElementsAre("done", "failed", "done"));
    EXPECT_THAT(status["rows"][1]["message"].get<std::string>(), testing::StartsWith("Pump pressure above limit."));
    EXPECT_EQ(status["progress"]["ended"], 3);
    EXPECT_EQ(status["progress"]["failed"], 1);
    EXPECT_EQ(status["instrumentState"], "idle");
    // Each row's signal and peaks, read from its data folder.
    const nlohmann::json signal = Json("/api/signal?group=Nitrates&row=2");
    EXPECT_EQ(signal["signal"].size(), 20 * 10 + 1u);
    ASSERT_EQ(signal["peaks"].size(), 4u);
    EXPECT_EQ(signal["peaks"][3]["sample"], "Sample 4");
    EXPECT_EQ(status["progress"]["expectedEnd"], "") << "an ended run expects nothing";

    // Any group, through the server's own connection, whatever characters its name holds.
    // The window refuses a "/" in a name, but a worklist made elsewhere may hold one.
    const std::string odd = "Night/run 50% #1 & Ö+;";
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Night"), "");
    Sql("UPDATE group_tbl SET GroupName = '" + odd + "' WHERE GroupName = 'Night'; ALTER TABLE Night RENAME TO \"" +
        odd + "\"");
    EXPECT_EQ(Json("/api/groups"), nlohmann::json({"Nitrates", odd}));
    EXPECT_EQ(Json("/api/groups/Nitrates")["rows"], status["rows"]);
    // A row's QC is its worst result's: row 1's results suspect, one of row 3's failed.
    Sql("UPDATE result_tbl SET QC = 'suspect' WHERE DataFile = 'Nitrates0000000000.d';"
        "UPDATE result_tbl SET QC = 'failed' WHERE rowid = (SELECT max(rowid) FROM result_tbl)");
    const nlohmann::json rows = Json("/api/groups/Nitrates")["rows"];
    EXPECT_EQ(rows[0]["qc"], "suspect");
    EXPECT_EQ(rows[1]["qc"], "");
    EXPECT_EQ(rows[2]["qc"], "failed");
    const nlohmann::json night = Json("/api/groups/Night%2Frun%2050%25%20%231%20%26%20%C3%96%2B%3B");
    EXPECT_EQ(night["group"], odd);
    EXPECT_THAT(States(night["rows"]), testing::ElementsAre("waiting"));
    // The groups page links to it, and the link leads to its rows.
    const auto groups = Client().Get(WithToken("/groups"));
    ASSERT_TRUE(groups);
    std::smatch link;
    ASSERT_TRUE(std::regex_search(groups->body, link, std::regex("href=\"(/groups/Night[^\"]*)\"")));
    const auto page = Client().Get(std::regex_replace(link[1].str(), std::regex("&amp;"), "&"));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_THAT(page->body, HasSubstr("<svg id=\"timeline\""));
    EXPECT_THAT(page->body, HasSubstr("\"state\": \"waiting\""));
}

TEST_F(Monitor, ARowAStoppedHostLeftRunningShowsInterruptedFromTheStart)
{
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M"}), "");
    Sql("UPDATE Nitrates SET \"Run State\" = 2 WHERE aaaID = 1");
    StartMonitor();
    const nlohmann::json status = Json("/api/status");
    EXPECT_EQ(status["run"], "interrupted");
    EXPECT_EQ(status["group"], "Nitrates");
    EXPECT_THAT(States(status["rows"]), testing::ElementsAre("waiting", "interrupted"));
    EXPECT_THAT(States(Json("/api/groups/Nitrates")["rows"]), testing::ElementsAre("waiting", "interrupted"));
}

TEST_F(Monitor, OnALabsServerItShowsTheRunFromTheServerAndEveryInstrumentThatUsesIt)
{
    // This test process is FIA 1; FIA 2 runs group Weekend from a session of its own; FIA 3 ran once.
    const std::wstring server = PgServer::NewDatabase();
    std::string error;
    ASSERT_TRUE(InitServerWorklist(server, error)) << error;
    ModuleSettings.strProvider = kServerProvider;
    ModuleSettings.strDatabasePath = server;
    CpVariables::instance().set("_SERIONDB$", server);
    CpVariables::instance().set("_INSTNAME$", std::wstring(L"FIA 1"));
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M"}), "");
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Weekend"), "");
    std::shared_ptr<provider::Database> fia2;
    ASSERT_EQ(provider::PgDatabase::Open(server, L"Admin", L"", &fia2), S_OK);
    std::unique_ptr<provider::Statement> night;
    ASSERT_EQ(fia2->Prepare("SELECT \"GroupID\" FROM \"group_tbl\" WHERE \"GroupName\" = 'Weekend'", IID_ICommand, L"", &night),
              S_OK);
    ASSERT_EQ(night->step(), provider::Statement::Row);
    const auto nightId = static_cast<LONG>(night->columnInt(0));
    bool taken = false;
    ASSERT_EQ(fia2->TryLock(nightId, L"FIA 2", &taken), S_OK);
    ASSERT_TRUE(taken);
    ASSERT_EQ(fia2->Execute("UPDATE \"Weekend\" SET \"Run State\" = 2", IID_ICommand, L""), S_OK);
    StartMonitor();
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    Run();
    RunHost(15);
    ASSERT_EQ(fia2->Execute("INSERT INTO \"audit_tbl\" (\"Sequence\", \"UtcTime\", \"Instrument\", \"GroupName\", "
                            "\"Event\") VALUES (1000, 1765000000, 'FIA 2', 'Weekend', 'Run started'), (1001, 1765000100, "
                            "'FIA 3', 'Nitrates', 'Run ended')",
                            IID_ICommand, L""),
              S_OK);

    const nlohmann::json status = Json("/api/status");
    EXPECT_EQ(status["run"], "running");
    EXPECT_THAT(States(status["rows"]), testing::ElementsAre("done", "running"));
    EXPECT_THAT(States(Json("/api/groups/Weekend")["rows"]), testing::ElementsAre("running")) << "FIA 2 runs it";
    const auto lab = [this] {
        std::map<std::string, std::string> states;
        const nlohmann::json lab = Json("/api/lab");
        for (const nlohmann::json& instrument : lab["instruments"])
            states[instrument["instrument"]] = instrument["state"].get<std::string>() + " " + instrument["group"].get<std::string>();
        return states;
    };
    EXPECT_THAT(lab(), testing::ElementsAre(testing::Pair("FIA 1", "running Nitrates"), testing::Pair("FIA 2", "running Weekend"),
                                            testing::Pair("FIA 3", "away ")));
    const nlohmann::json fia1 = Json("/api/lab")["instruments"][0];
    EXPECT_EQ(fia1["progress"], nlohmann::json({{"ended", 1}, {"rows", 2}, {"failed", 0}, {"runningRow", 2}}));
    EXPECT_EQ(Json("/api/lab")["instruments"][2]["lastRun"],
              nlohmann::json({{"group", "Nitrates"}, {"event", "Run ended"}, {"time", IsoTime(1765000100)}}));
    const auto page = Client().Get(WithToken("/lab"));
    ASSERT_TRUE(page);
    EXPECT_THAT(page->body, HasSubstr("<td>FIA 3</td><td><span class=\"pill away\">away</span>"));

    // FIA 2 lets go of Weekend without ending its row: the row was interrupted, and FIA 2, still
    // connected, is idle.
    ASSERT_EQ(fia2->Unlock(nightId), S_OK);
    EXPECT_THAT(States(Json("/api/groups/Weekend")["rows"]), testing::ElementsAre("interrupted"));
    EXPECT_EQ(lab()["FIA 2"], "idle ");
}

TEST_F(Monitor, ItsTokenIsMadeOnceKeptPrivateAndShownOnlyInTheTerminalAndItRefusesRequestsWithoutIt)
{
    const std::filesystem::path file = m_root.path() / "monitor.token";
    const auto mode = [&] { return std::filesystem::status(file).permissions() & std::filesystem::perms::all; };
    StartMonitor();
    const std::string token = m_monitor->token();
    EXPECT_THAT(token, testing::MatchesRegex("[0-9a-f]{32}"));
    EXPECT_EQ(mode(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::string page = "http://127.0.0.1:" + std::to_string(m_monitor->port()) + "/";
    EXPECT_THAT(m_shown, testing::ElementsAre(Utf8ToWide("Open the monitor at " + page + "?token=" + token)));
    EXPECT_THAT(LogbookTexts(), testing::Contains(HasSubstr(Utf8ToWide("The monitor serves " + page + " (its token"))));
    EXPECT_THAT(ReadFileBytes(m_root.path() / "logbook.txt"), testing::Not(HasSubstr(token)));

    // A second monitor on the same port is refused: no two hosts share it.
    RunMonitor second(m_logbook, [](const std::wstring&) {}, file, testLimits());
    std::string error;
    EXPECT_FALSE(second.start("127.0.0.1", m_monitor->port(), error));
    EXPECT_THAT(error, HasSubstr("another program listens on that port"));

    m_monitor.reset();
    std::filesystem::permissions(file, std::filesystem::perms::group_read | std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    StartMonitor();
    EXPECT_EQ(m_monitor->token(), token) << "a bookmark goes on working after a restart";
    EXPECT_EQ(mode(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write) << "made private again";

    struct Case {
        const char* method;
        std::string path;
        int status;
    };
    const std::vector<Case> cases = {
        {"GET", "/", 401},
        {"GET", "/api/status?token=" + token.substr(1), 401},
        {"GET", "/nothing?token=" + token, 404},
        {"GET", "/api/groups/Nobody?token=" + token, 404},
        {"POST", "/api/status?token=" + token, 405},
        {"DELETE", "/groups?token=" + token, 405},
        {"PUT", "/groups/Nitrates?token=" + token, 405},
        {"PATCH", "/nothing?token=" + token, 404},
        {"GET", "/?token=" + token, 200},
    };
    httplib::Client client = Client();
    for (const Case& c : cases) {
        httplib::Request request;
        request.method = c.method;
        request.path = c.path;
        const auto result = client.send(request);
        ASSERT_TRUE(result) << c.method << " " << c.path;
        EXPECT_EQ(result->status, c.status) << c.method << " " << c.path;
    }
    const auto bearer = client.Get("/api/status", {{"Authorization", "Bearer " + token}});
    ASSERT_TRUE(bearer);
    EXPECT_EQ(bearer->status, 200) << "the token may come as a header";
    const auto large = client.Post(WithToken("/api/status"), std::string(4096, 'x'), "text/plain");
    ASSERT_TRUE(large);
    EXPECT_EQ(large->status, 413);
}

TEST_F(Monitor, TheLivePartChangesAtEachRunEventWithoutAReload)
{
    StartMonitor();
    OpenWithGroup({L"DONE.M", L"DONE.M"});
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::string> events;
    bool enough = false;
    std::thread reader([&] {
        httplib::Client client = Client();
        client.Get(WithToken("/events"), [&](const char* data, std::size_t length) {
            const std::lock_guard lock(mutex);
            if (std::string(data, length).starts_with("data:"))
                events.emplace_back(data, length);
            arrived.notify_all();
            return !enough;
        });
    });
    const auto waitFor = [&](std::size_t count) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, 5s, [&] { return events.size() >= count; });
    };
    ASSERT_TRUE(waitFor(1));
    EXPECT_THAT(events.back(), HasSubstr("\"run\":\"idle\""));
    Run();
    RunHost(25);
    ASSERT_TRUE(waitFor(2));
    {
        const std::lock_guard lock(mutex);
        enough = true;
        EXPECT_THAT(events.back(), HasSubstr("\"group\":\"Nitrates\""));
    }
    reader.join();
}

TEST_F(Monitor, BadRequestsAndManyClientsAtOnceLeaveTheMonitorServing)
{
    StartMonitor();
    const int port = m_monitor->port();
    const std::string token = m_monitor->token();
    const std::vector<std::string> bad = {
        "GET / HTTP/1.1\r\nHost: x\r\n\r\n",
        "GET /api/status?token=wrong HTTP/1.1\r\nHost: x\r\n\r\n",
        "POST /api/status?token=" + token + " HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n",
        "BREW /pot HTTP/1.1\r\n\r\n",
        "\x16\x03\x01 not a request at all\r\n\r\n",
        "GET /" + std::string(10000, 'a') + " HTTP/1.1\r\n\r\n",
        "GET / HTTP/1.1\r\nX: " + std::string(10000, 'b') + "\r\n\r\n",
        "GET /groups/%2e%2e%2fuser_tbl?token=" + token + " HTTP/1.1\r\n\r\n",
    };
    for (int i = 0; i < 1000; ++i) {
        RawClient client(port);
        ASSERT_TRUE(client.connected()) << "request " << i;
        client.send(bad[static_cast<std::size_t>(i) % bad.size()]);
    }
    // A request that never finishes is ended by the server.
    RawClient slow(port);
    slow.send("GET /api/status?tok");
    EXPECT_EQ(slow.readToEnd(), "");

    std::atomic<int> served{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 100; ++i)
        clients.emplace_back([&] {
            httplib::Client client = Client();
            client.set_read_timeout(5s);
            const auto result = client.Get(WithToken("/api/status"));
            if (result && result->status == 200)
                ++served;
        });
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(served, 100);
    EXPECT_EQ(Json("/api/status")["run"], "idle");
}

TEST_F(Monitor, SlowClientsAndTooManyLivePagesDuringARunDelayNeitherTheRunNorOrdinaryRequests)
{
    const MonitorServer::Limits limits = testLimits();
    StartMonitor(limits);
    OpenWithGroup({L"DONE.M", L"DONE.M", L"DONE.M"});
    const std::string events = "GET /events?token=" + m_monitor->token() + " HTTP/1.1\r\nHost: x\r\n\r\n";
    // 50 clients that send their request a byte at a time, every 100 ms, until the server cuts them.
    std::vector<std::unique_ptr<RawClient>> slow;
    for (int i = 0; i < 50; ++i)
        slow.push_back(std::make_unique<RawClient>(m_monitor->port()));
    std::atomic<int> cut{0};
    std::thread trickle([&] {
        std::vector<pollfd> sockets;
        for (const auto& client : slow)
            sockets.push_back({client->socket(), POLLIN, 0});
        for (std::size_t sent = 0; sent < events.size() && cut < 50; ++sent) {
            for (std::size_t i = 0; i < slow.size(); ++i)
                if (sockets[i].fd >= 0)
                    slow[i]->send(events.substr(sent, 1));
            // The wait paces the bytes; a closed connection reads as ready.
            ::poll(sockets.data(), sockets.size(), 100);
            for (pollfd& socket : sockets)
                if (socket.fd >= 0 && socket.revents) {
                    socket.fd = -1;
                    ++cut;
                }
        }
    });
    // 100 live pages: as many as the monitor serves get their stream, the others 503 at once.
    std::vector<std::unique_ptr<RawClient>> live;
    int refused = 0;
    for (int i = 0; i < 100; ++i) {
        live.push_back(std::make_unique<RawClient>(m_monitor->port()));
        live.back()->send(events);
    }
    for (const auto& client : live)
        refused += client->readLine().starts_with("HTTP/1.1 503") ? 1 : 0;
    EXPECT_EQ(refused, 100 - limits.liveParts);

    const auto started = std::chrono::steady_clock::now();
    Run();
    RunHost(40);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s) << "the run never waited for a client";
    for (int i = 0; i < 20; ++i) {
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_EQ(Json("/api/status")["run"], "ended");
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s) << "request " << i;
    }
    const std::vector<MethodRecord> rows = StoredRows(L"Nitrates");
    ASSERT_EQ(rows.size(), 3u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].RunState, RUNSTATE_DONE);
        EXPECT_EQ(rows[i].StartTime, rows[i - 1].EndTime) << "row " << i + 1 << " started on time";
    }
    trickle.join();
    EXPECT_EQ(cut, 50) << "every slow client was cut before its request was whole";
}

TEST_F(Monitor, ABrowserShowsTheInstrumentsStateTheRowsTheTimelineAndTheRunningMethodsSignal)
{
    const std::filesystem::path chromium = "/usr/bin/chromium";
    if (!std::filesystem::exists(chromium))
        GTEST_SKIP() << "Chromium is not installed (Debian package chromium): the page is not loaded in a browser";
    StartMonitor();
    AddFiaTable("LEAK.M", 4);
    OpenWithGroup({L"DONE.M", L"LEAK.M", L"DONE.M"});
    Run();
    RunHost(15);
    // The screenshot stays in the build folder for a person to look at.
    const std::filesystem::path artefacts = SERION_TEST_ARTEFACTS;
    std::filesystem::create_directories(artefacts);
    const std::filesystem::path screenshot = artefacts / "monitor-run.png";
    const std::filesystem::path dom = m_root.path() / "dom.html";
    std::filesystem::remove(screenshot);
    const std::string url = "http://127.0.0.1:" + std::to_string(m_monitor->port()) + WithToken("/");
    // The page is whole once loaded: its script draws it from what the page brought.
    const std::string command =
        "timeout 60 " + chromium.string() +
        " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking"
        " --disable-component-update --disable-sync --user-data-dir='" +
        (m_root.path() / "chromium").string() + "' --window-size=1280,1400 --screenshot='" +
        screenshot.string() + "' --dump-dom '" + url + "' > '" + dom.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const std::string page = ReadFileBytes(dom);
    EXPECT_THAT(page, HasSubstr("<section id=\"banner\" class=\"card running\"><div class=\"state\" id=\"instrument-state\">running</div>"));
    EXPECT_THAT(page, HasSubstr("<b>row 2 of 3</b><span>running row 2</span>"));
    EXPECT_THAT(page, testing::ContainsRegex("<tr class=\"done clickable\"><td>1</td><td>DONE.M</td>.*<span class=\"pill done\">done</span>"));
    EXPECT_THAT(page, testing::ContainsRegex("<tr class=\"running clickable shown\"><td>2</td><td>LEAK.M</td>.*<span class=\"pill running\">running</span>"));
    EXPECT_THAT(page, testing::ContainsRegex("<tr class=\"waiting\"><td>3</td>"));
    EXPECT_THAT(page, testing::ContainsRegex("<rect class=\"running\"[^>]*width=\"[0-9.]+\""));
    EXPECT_THAT(page, HasSubstr("<line class=\"now\""));
    EXPECT_THAT(page, HasSubstr("Signal of row 2 LEAK.M (acquiring)"));
    EXPECT_THAT(page, HasSubstr("<polyline class=\"signal\""));
    EXPECT_TRUE(std::filesystem::exists(screenshot));
}

} // namespace
