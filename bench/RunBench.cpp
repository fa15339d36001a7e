// A group's run on the simulated instrument, timed on the wall clock while the host's time is
// virtual: a whole group of 1,000, 10,000 and 100,000 rows from Run to its shut-down command, and the
// module's own handling of a method's end, from the host's notification reaching the main window
// to what the module queues next (the next row's start, or after the last row the group's
// shut-down), at rows 1, 10,000 and 100,000 of a group of 100,000 rows. A group of 1,000 rows runs
// from a lab's server beside the same from the file, the server a throwaway cluster of its own
// (skipped when PostgreSQL is not installed). Each repetition starts a fresh host; compare the
// medians. MethodEndCommits is the floor of a method's end: the two commits it cannot do without
// (the ended row's result, the next row's start), each durable on its own, by plain sqlite3 on the
// same file with the layer's settings. MonitorUnderLoad times the web monitor's answers to 50 clients asking at once while a
// group of 1,000 rows runs.
#include "support/ModuleHost.h"

#include "hotlink/CBspDataHotlink.h"
#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"
#include "worklist/MethodRows.h"

#include "host/ServerWorklist.h"
#include "support/PgServer.h"

#include "host/InstrumentSimulation.h"
#include "host/RunMonitor.h"
#include "kernel/DriveMap.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "win/Automation.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <sqlite3.h>

#include <algorithm>
#include <barrier>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

constexpr int kLongGroupRows = 100000;
// Virtual seconds the host runs between two looks at whether the group still runs.
constexpr double kHostStep = 10;

using WallClock = std::chrono::steady_clock;

double SecondsSince(WallClock::time_point start)
{
    return std::chrono::duration<double>(WallClock::now() - start).count();
}

// The host with group Nitrates of ten-second methods open in the main window, the shut-down
// option STANDBY chosen, and the instrument that runs them.
class GroupOnInstrument : public ModuleHost {
public:
    // With a first row, the rows before it are unchecked, so that the run starts there.
    explicit GroupOnInstrument(int rows, int firstRow = 1, bool onServer = false)
    {
        m_failure = startFailure();
        if (m_failure.empty() && onServer)
            m_failure = UseNewServerWorklist();
        AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
        if (m_failure.empty())
            m_failure = AddRunGroup(std::vector<std::wstring>(rows, L"DONE.M"));
        if (m_failure.empty() && firstRow > 1)
            UncheckRowsBefore(firstRow);
        int result = 0;
        if (m_failure.empty() && (RunCommand(ID_CMD_FIARUNNER, {}, result) != OOCP_OK || result != 0 || !Viewer()))
            m_failure = "FIARUNNER did not open the main window";
        if (m_failure.empty())
            m_failure = WideToUtf8(Automation::chooseEntry(Viewer(), IDC_SHUTDOWN, L"STANDBY").message);
    }

    // Empty when the group is ready to run; otherwise what went wrong.
    const std::string& failure() const { return m_failure; }

    bool PressRun()
    {
        const ActionResult pressed = Automation::click(Viewer(), IDC_RUN);
        if (!pressed)
            m_failure = "Run: " + WideToUtf8(pressed.message);
        return pressed.ok;
    }

    // Runs the host until the group has ended or stop answers true.
    template <class Stop>
    void RunHostUntil(Stop stop)
    {
        while (MainViewer()->GetRun().IsRunning() && !stop())
            RunHost(kHostStep);
    }

    // The web monitor of this host on a free port of the loopback address; none when it cannot start.
    std::unique_ptr<RunMonitor> StartMonitor()
    {
        auto monitor = std::make_unique<RunMonitor>(m_logbook, [](const std::wstring&) {}, m_root.path() / "monitor.token");
        std::string error;
        if (!monitor->start("127.0.0.1", 0, error)) {
            m_failure = "the monitor did not start: " + error;
            monitor.reset();
        }
        return monitor;
    }

    // The instrument's last report: "Instrument: Standby." once the shut-down command ran.
    const std::wstring& lastReport() const { return m_lastReport; }

private:
    // The worklist on a new database of the benchmarks' cluster, as the host setting names it.
    static std::string UseNewServerWorklist()
    {
        std::string error;
        try {
            ModuleSettings.strDatabasePath = PgServer::NewDatabase();
        } catch (const std::runtime_error& failure) {
            return failure.what();
        }
        ModuleSettings.strProvider = kServerProvider;
        CpVariables::instance().set("_SERIONDB$", ModuleSettings.strDatabasePath);
        return InitServerWorklist(ModuleSettings.strDatabasePath, error) ? "" : error;
    }

    static void UncheckRowsBefore(int row)
    {
        MethodRows rows(ModuleSettings);
        if (FAILED(rows.LoadGroup(L"Nitrates")))
            return;
        rows.SetAllRunStates(FALSE);
        for (LONG id : {row - 1, row})
            if (MethodRecord* pRow = rows.FindRowById(id, FALSE))
                rows.ChangeRunState(pRow, RUNSTATE_CHECKED, nullptr);
    }

    std::string m_failure;
    std::wstring m_lastReport;
    InstrumentSimulation m_instrument{[this](const std::wstring& line) { m_lastReport = line; }};
};

void RunWholeGroup(benchmark::State& state, bool onServer)
{
    for (auto _ : state) {
        GroupOnInstrument host(static_cast<int>(state.range(0)), 1, onServer);
        const WallClock::time_point start = WallClock::now();
        if (!host.failure().empty() || !host.PressRun()) {
            state.SkipWithError(host.failure().c_str());
            break;
        }
        host.RunHostUntil([] { return false; });
        state.SetIterationTime(SecondsSince(start));
        if (host.lastReport() != L"Instrument: Standby.") {
            state.SkipWithError("the group ended without its shut-down command");
            break;
        }
    }
}

// The main window's procedure wrapped, so that its handling of the first method's end is timed alone.
struct MethodEndTiming {
    WNDPROC viewerProcedure = nullptr;
    int endsSeen = 0;
    double seconds = 0;
    // The line the module queued last, once the timed end has been handled.
    std::wstring lastQueued;
};
MethodEndTiming timing;

bool IsMethodEnd(UINT message, LPARAM lParam)
{
    if (message != WM_HOTLINK_VARIABLE || !EqualsNoCase(reinterpret_cast<LPCWSTR>(lParam), L"_METHODON"))
        return false;
    double methodOn = 0;
    CpGetNumVar(ModuleSettings.hCpContext, "_METHODON", &methodOn);
    return methodOn < 1e-6;
}

LRESULT CALLBACK TimedViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsMethodEnd(message, lParam) || ++timing.endsSeen != 1)
        return CallWindowProcW(timing.viewerProcedure, window, message, wParam, lParam);
    const WallClock::time_point start = WallClock::now();
    const LRESULT result = CallWindowProcW(timing.viewerProcedure, window, message, wParam, lParam);
    timing.seconds = SecondsSince(start);
    const auto& queued = CpCommandQueue::instance().pending();
    timing.lastQueued = queued.empty() ? L"" : queued.back().line;
    return result;
}

// Row range(0)'s end in a group of range(1) rows.
void RunMethodEndToNextQueued(benchmark::State& state, bool onServer)
{
    const int row = static_cast<int>(state.range(0));
    const int rows = static_cast<int>(state.range(1));
    for (auto _ : state) {
        GroupOnInstrument host(rows, row, onServer);
        if (!host.failure().empty()) {
            state.SkipWithError(host.failure().c_str());
            break;
        }
        timing = MethodEndTiming{};
        timing.viewerProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            host.Viewer(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedViewerProcedure)));
        if (!host.PressRun()) {
            state.SkipWithError(host.failure().c_str());
            break;
        }
        host.RunHostUntil([] { return !timing.lastQueued.empty(); });
        state.SetIterationTime(timing.seconds);
        const std::wstring expected = row < rows ? L"print \"Running the method... \"" : L" FIALOADHOOK ";
        if (timing.lastQueued != expected) {
            state.SkipWithError(("the end of the row queued \"" + WideToUtf8(timing.lastQueued) + "\"").c_str());
            break;
        }
    }
}

// Row range(0)'s end in a group of range(1) rows done as plain sqlite3 does it at best: its result
// and the next row's start (none after the last row), each committed on its own with synchronous
// FULL, by row id.
void MethodEndCommits(benchmark::State& state)
{
    for (auto _ : state) {
        GroupOnInstrument host(static_cast<int>(state.range(1)), static_cast<int>(state.range(0)));
        const auto file = DriveMap::toHost(ModuleSettings.strDatabasePath);
        sqlite3* db = nullptr;
        if (!host.failure().empty() || !file || sqlite3_open(file->c_str(), &db) != SQLITE_OK) {
            sqlite3_close(db);
            state.SkipWithError("the worklist file did not open");
            break;
        }
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        sqlite3_stmt* find = nullptr;
        // The row the run starts with: the first one checked.
        sqlite3_prepare_v2(db, "SELECT rowid FROM Nitrates WHERE \"Run State\" = 1 ORDER BY aaaID LIMIT 1", -1, &find,
                           nullptr);
        const sqlite3_int64 ended = sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
        sqlite3_finalize(find);
        const std::string result = "UPDATE Nitrates SET \"Run State\" = 3, EndTime = 20, ErrMessage = '' WHERE rowid = " +
                                   std::to_string(ended);
        const std::string start = "UPDATE Nitrates SET \"Run State\" = 2, StartTime = 20 WHERE rowid = " +
                                  std::to_string(ended + 1);
        const WallClock::time_point begin = WallClock::now();
        const bool written = sqlite3_exec(db, result.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
                             sqlite3_exec(db, start.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        state.SetIterationTime(SecondsSince(begin));
        const std::string failure = !ended ? "no row checked" : written ? "" : sqlite3_errmsg(db);
        sqlite3_close(db);
        if (!failure.empty()) {
            state.SkipWithError(failure.c_str());
            break;
        }
    }
}

// Each of 50 clients, on a connection of its own, asks for /api/status and then the page, all at
// once every half second of the wall clock, 20 times, while the host runs a group of range(0)
// ten-second methods ten times faster than real time (a method ends every second, changing the
// status several times). Each answer's time is a sample; the counters give the median and the 99th
// percentile of each path in milliseconds. The iteration time is the whole measurement.
void MonitorUnderLoad(benchmark::State& state)
{
    constexpr int kClients = 50;
    constexpr int kRounds = 20;
    for (auto _ : state) {
        GroupOnInstrument host(static_cast<int>(state.range(0)));
        const std::unique_ptr<RunMonitor> monitor = host.failure().empty() ? host.StartMonitor() : nullptr;
        if (!monitor || !host.PressRun()) {
            state.SkipWithError(host.failure().c_str());
            break;
        }
        std::mutex mutex;
        std::vector<double> status;
        std::vector<double> page;
        int failed = 0;
        std::atomic<int> clientsDone{0};
        std::barrier together(kClients);
        const auto client = [&] {
            httplib::Client connection("127.0.0.1", monitor->port());
            connection.set_keep_alive(true);
            const httplib::Headers token = {{"Authorization", "Bearer " + monitor->token()}};
            for (int round = 0; round < kRounds; ++round) {
                together.arrive_and_wait();
                const WallClock::time_point roundStart = WallClock::now();
                for (auto [path, samples] : {std::pair{"/api/status", &status}, std::pair{"/", &page}}) {
                    const WallClock::time_point asked = WallClock::now();
                    const auto answer = connection.Get(path, token);
                    const double ms = SecondsSince(asked) * 1000;
                    const std::lock_guard lock(mutex);
                    samples->push_back(ms);
                    failed += answer && answer->status == 200 ? 0 : 1;
                }
                std::this_thread::sleep_until(roundStart + std::chrono::milliseconds(500));
            }
            ++clientsDone;
        };
        const WallClock::time_point start = WallClock::now();
        std::vector<std::thread> clients;
        for (int i = 0; i < kClients; ++i)
            clients.emplace_back(client);
        // The host runs on the user-interface thread meanwhile, a virtual second every 100 ms.
        while (clientsDone < kClients && MainViewer()->GetRun().IsRunning()) {
            host.RunHost(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        for (std::thread& thread : clients)
            thread.join();
        state.SetIterationTime(SecondsSince(start));
        Automation::click(host.Viewer(), IDC_STOP);
        host.RunHostUntil([] { return false; });
        if (failed || status.size() != static_cast<std::size_t>(kClients * kRounds)) {
            state.SkipWithError("a client was not answered, or the group ended before the clients did");
            break;
        }
        const auto percentile = [](std::vector<double>& samples, double share) {
            std::ranges::sort(samples);
            return samples[static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1))];
        };
        state.counters["status_median_ms"] = percentile(status, 0.5);
        state.counters["status_p99_ms"] = percentile(status, 0.99);
        state.counters["page_median_ms"] = percentile(page, 0.5);
        state.counters["page_p99_ms"] = percentile(page, 0.99);
    }
}

// One run a repetition: a fresh host whose timing is the only iteration.
BENCHMARK_CAPTURE(RunWholeGroup, File, false)->Arg(1000)->Arg(10000)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
    benchmark::kMillisecond);
// A group of 100,000 rows takes minutes: run once, it shows the cost per row staying flat.
BENCHMARK_CAPTURE(RunWholeGroup, File, false)->Arg(kLongGroupRows)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunWholeGroup, Server, true)->Arg(1000)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(MonitorUnderLoad)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
// One method's end a repetition, at rows 1, 10,000 and 100,000 of 100,000 and at row 500 of 1,000.
void MethodEndRuns(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(benchmark::kMicrosecond);
}
void EndedRows(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Args({1, kLongGroupRows})->Args({10000, kLongGroupRows})->Args({kLongGroupRows, kLongGroupRows});
    benchmark->Args({500, 1000})->Apply(MethodEndRuns);
}
BENCHMARK_CAPTURE(RunMethodEndToNextQueued, File, false)->Apply(EndedRows);
BENCHMARK(MethodEndCommits)->Apply(EndedRows);
BENCHMARK_CAPTURE(RunMethodEndToNextQueued, Server, true)->Args({500, 1000})->Args({1000, 1000})->Apply(MethodEndRuns);

} // namespace

BENCHMARK_MAIN();
