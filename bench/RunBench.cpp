// A group's run on the simulated instrument, timed on the wall clock while the host's time is
// virtual: a whole group of 1,000, 10,000 and 100,000 rows from Run to its shut-down command, and the
// module's own handling of a method's end, from the host's notification reaching the main window
// to what the module queues next (the next row's start, or after the last row the group's
// shut-down), at rows 1, 10,000 and 100,000 of a group of 100,000 rows. A group of 1,000 rows runs
// from a lab's server beside the same from the file, the server a throwaway cluster of its own
// (skipped when PostgreSQL is not installed). Each repetition starts a fresh host; compare the
// medians.
#include "support/ModuleHost.h"

#include "hotlink/CBspDataHotlink.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "viewer/CDialogMainViewer.h"
#include "worklist/MethodRows.h"

#include "host/ServerWorklist.h"
#include "support/PgServer.h"

#include "host/InstrumentSimulation.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "win/Automation.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>

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
        while (ModuleSettings.pMainViewer->GetRun().IsRunning() && !stop())
            RunHost(kHostStep);
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
        MethodRows rows;
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

// One run a repetition: a fresh host whose timing is the only iteration.
BENCHMARK_CAPTURE(RunWholeGroup, File, false)->Arg(1000)->Arg(10000)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
    benchmark::kMillisecond);
// A group of 100,000 rows takes minutes: run once, it shows the cost per row staying flat.
BENCHMARK_CAPTURE(RunWholeGroup, File, false)->Arg(kLongGroupRows)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunWholeGroup, Server, true)->Arg(1000)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunMethodEndToNextQueued, File, false)
    ->Args({1, kLongGroupRows})
    ->Args({10000, kLongGroupRows})
    ->Args({kLongGroupRows, kLongGroupRows})
    ->Args({500, 1000})
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunMethodEndToNextQueued, Server, true)
    ->Args({500, 1000})
    ->Args({1000, 1000})
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
