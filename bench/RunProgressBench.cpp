// The run's progress at each method's end in a 10,000-row group of 20 methods: the ended row and
// the next row's start counted and the progress text made anew, as the window does at every end.
#include "BenchRoot.h"

#include "viewer/RunProgress.h"
#include "worklist/MethodRecord.h"

#include <benchmark/benchmark.h>

namespace {

constexpr LONG kRows = 10000;

std::wstring MethodOf(LONG row) { return L"METHOD" + std::to_wstring(row % 20) + L".M"; }

void ProgressAtMethodEnd(benchmark::State& state)
{
    Root();
    std::vector<RunProgress::Row> rows;
    for (LONG row = 0; row < kRows; ++row)
        rows.push_back({row, MethodOf(row), RUNSTATE_CHECKED, 0, 0});
    // A worklist whose methods have each run 50 times before.
    MethodDurations durations;
    for (LONG run = 0; run < 20 * 50; ++run)
        durations.Add(MethodOf(run), 60 + run % 7);
    RunProgress progress;
    progress.UseDurations(durations);
    progress.Begin(rows);
    LONG now = 1773480413;
    LONG row = 0;
    progress.RowChanged({row, MethodOf(row), RUNSTATE_RUNNING, now, 0});
    for (auto _ : state) {
        const LONG end = now + 60;
        progress.RowChanged({row, MethodOf(row), RUNSTATE_DONE, now, end});
        row = (row + 1) % kRows;
        progress.RowChanged({row, MethodOf(row), RUNSTATE_RUNNING, end, 0});
        benchmark::DoNotOptimize(progress.Text(end));
        now = end;
    }
}
BENCHMARK(ProgressAtMethodEnd)->Iterations(kRows);

} // namespace
