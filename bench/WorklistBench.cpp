// The method table's row algorithms through the OLE DB classes, as the module runs them, against
// the same row-by-row work done with plain sqlite3 (each write committed on its own, and the whole
// edit in one transaction) and against set-based SQL, on the same file with the same settings, for
// groups of 1,000 and 10,000 rows. Each benchmark is repeated; compare the medians.
#include "BenchRoot.h"

#include "PlainRows.h"

#include "module/core/ModuleSettings.h"
#include "worklist/MethodRows.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

const std::string group = "Bench Group";

// The group with rows rows, loaded as the method list loads it.
void loadGroup(MethodRows& rows, long count)
{
    Root().makeGroup(count);
    rows.LoadGroup(benchGroup);
}

// Every row gets a start time and a done state, so that a clean has each row to write.
void markRowsRun() { Root().exec("UPDATE " + quotedBenchGroup + " SET StartTime = 1, \"Run State\" = 3"); }

void undoInsertAtTop()
{
    Root().exec("DELETE FROM " + quotedBenchGroup + " WHERE aaaID = 0; UPDATE " + quotedBenchGroup +
                " SET aaaID = aaaID - 1");
}

void undoDeleteFirst()
{
    Root().exec("UPDATE " + quotedBenchGroup + " SET aaaID = aaaID + 1; INSERT INTO " + quotedBenchGroup +
                " VALUES (0, 'Nitrate', 'default.d', '', 1, 0, 'bench', '', '', 'C:\\Methods\\', 0, 0, '')");
}

// Times edit again and again; after each, outside the timing, prepare gives the next its work.
template <class Edit, class Prepare>
void timeEdits(benchmark::State& state, Edit edit, Prepare prepare)
{
    for (auto _ : state) {
        edit();
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
    }
}

// --- Through the OLE DB classes, as the module does it

void LayerOpenAndWalk(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    for (auto _ : state) {
        MethodRows rows(ModuleSettings);
        rows.LoadGroup(benchGroup);
        long walked = 0;
        for (rows.Table()->MoveFirst(); rows.Table()->HasCurrentRow(); rows.Table()->MoveNext())
            ++walked;
        benchmark::DoNotOptimize(walked);
    }
}

void LayerAutoName(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    LONG counter = 0;
    for (auto _ : state)
        rows.AutoName(L"", L"S", counter ^= 100, nullptr);
}

void LayerInsertAtTop(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    timeEdits(state, [&rows] { rows.InsertMethods({L"Phosphate"}, 1, L"C:\\Methods\\", 0); }, [&rows] {
        undoInsertAtTop();
        rows.LoadGroup(benchGroup);
    });
}

void LayerDeleteFirst(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    timeEdits(state, [&rows] { rows.DeleteSelected({0}); }, [&rows] {
        undoDeleteFirst();
        rows.LoadGroup(benchGroup);
    });
}

void LayerSetAllRunStates(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    BOOL check = TRUE;
    for (auto _ : state)
        rows.SetAllRunStates(check = !check);
}

void LayerCleanRunState(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    markRowsRun();
    timeEdits(state, [&rows] { rows.CleanRunState(); }, markRowsRun);
}

void LayerChangeRunState(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    MethodRecord* row = rows.FindRowById(static_cast<LONG>(state.range(0) / 2), FALSE);
    // Running and checked in turn: each call writes the row.
    LONG runState = RUNSTATE_CHECKED;
    for (auto _ : state)
        rows.ChangeRunState(row, runState = runState == RUNSTATE_RUNNING ? RUNSTATE_CHECKED : RUNSTATE_RUNNING, nullptr);
}

// The run's next row: reached directly while "aaaID" is dense.
void LayerFindLastRow(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    loadGroup(rows, state.range(0));
    for (auto _ : state) {
        LONG id = static_cast<LONG>(state.range(0) - 1);
        benchmark::DoNotOptimize(rows.FindRow(id, FALSE));
    }
}

// The same with "aaaID" starting at 1: the rows are walked.
void LayerFindLastRowWalked(benchmark::State& state)
{
    MethodRows rows(ModuleSettings);
    Root().makeGroup(state.range(0));
    Root().exec("UPDATE " + quotedBenchGroup + " SET aaaID = aaaID + 1");
    rows.LoadGroup(benchGroup);
    for (auto _ : state) {
        LONG id = static_cast<LONG>(state.range(0));
        benchmark::DoNotOptimize(rows.FindRow(id, FALSE));
    }
}

// --- The same row-by-row work with plain sqlite3: each write committed, or one transaction

void PlainAutoName(benchmark::State& state, bool oneTransaction)
{
    Root().makeGroup(state.range(0));
    PlainRows rows(Root().db(), quotedBenchGroup, oneTransaction);
    int counter = 0;
    for (auto _ : state)
        rows.autoName("S", counter ^= 100);
}

void PlainInsertAtTop(benchmark::State& state, bool oneTransaction)
{
    Root().makeGroup(state.range(0));
    PlainRows rows(Root().db(), quotedBenchGroup, oneTransaction);
    timeEdits(state, [&rows] { rows.insertMethods({"Phosphate"}, 0, group); }, undoInsertAtTop);
}

void PlainDeleteFirst(benchmark::State& state, bool oneTransaction)
{
    Root().makeGroup(state.range(0));
    PlainRows rows(Root().db(), quotedBenchGroup, oneTransaction);
    timeEdits(state, [&rows] { rows.deleteSelected({0}, group); }, undoDeleteFirst);
}

void PlainSetAllRunStates(benchmark::State& state, bool oneTransaction)
{
    Root().makeGroup(state.range(0));
    PlainRows rows(Root().db(), quotedBenchGroup, oneTransaction);
    bool check = true;
    for (auto _ : state)
        rows.setAllRunStates(check = !check);
}

void PlainCleanRunState(benchmark::State& state, bool oneTransaction)
{
    Root().makeGroup(state.range(0));
    PlainRows rows(Root().db(), quotedBenchGroup, oneTransaction);
    markRowsRun();
    timeEdits(state, [&rows] { rows.cleanRunState(); }, markRowsRun);
}

// --- Set-based SQL: what the engine does at best

void run(const std::string& sql) { sqlite3_exec(Root().db(), sql.c_str(), nullptr, nullptr, nullptr); }

void SetBasedOpenAndWalk(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    for (auto _ : state) {
        sqlite3_stmt* select = nullptr;
        sqlite3_prepare_v2(Root().db(), ("SELECT * FROM " + quotedBenchGroup + " ORDER BY aaaID").c_str(), -1,
                           &select, nullptr);
        long walked = 0;
        while (sqlite3_step(select) == SQLITE_ROW) {
            for (int column = 0; column < 13; ++column)
                benchmark::DoNotOptimize(sqlite3_column_text(select, column));
            ++walked;
        }
        sqlite3_finalize(select);
        benchmark::DoNotOptimize(walked);
    }
}

void SetBasedAutoName(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    for (auto _ : state)
        run("UPDATE " + quotedBenchGroup +
            " SET \"Data File\" = printf('S%010d.d', 100 + aaaID), \"Sub-Folder\" = '', Prefix = 'S', Counter = 100");
}

void SetBasedInsertAtTop(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    const std::string sql =
        "BEGIN; UPDATE " + quotedBenchGroup + " SET aaaID = aaaID + 1; INSERT INTO " + quotedBenchGroup +
        " VALUES (0, 'Phosphate', 'default.d', '', 1, 0, 'bench', '', '', 'C:\\Methods\\', 0, 0, ''); UPDATE " +
        quotedBenchGroup + " SET \"Data File\" = printf('Bench Group%010d.d', aaaID), \"Sub-Folder\" = '',"
        " Prefix = 'Bench Group', Counter = 0; COMMIT";
    timeEdits(state, [&sql] { run(sql); }, undoInsertAtTop);
}

void SetBasedCleanRunState(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    for (auto _ : state)
        run("UPDATE " + quotedBenchGroup + " SET \"Run State\" = CASE \"Run State\" WHEN 5 THEN 5 ELSE 1 END,"
            " StartTime = 0, EndTime = 0, ErrMessage = ''");
}

void SetBasedChangeRunState(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    const std::string where = " WHERE aaaID = " + std::to_string(state.range(0) / 2);
    const std::string running =
        "UPDATE " + quotedBenchGroup + " SET \"Run State\" = 2, StartTime = strftime('%s','now')" + where;
    const std::string checked = "UPDATE " + quotedBenchGroup + " SET \"Run State\" = 1" + where;
    // Running and checked in turn, as the layer's benchmark does.
    bool toRunning = false;
    for (auto _ : state)
        run((toRunning = !toRunning) ? running : checked);
}

} // namespace

#define SIZES ->Arg(1000)->Arg(10000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)
#define LAYER_AND_PLAIN(edit)                                     \
    BENCHMARK(Layer##edit) SIZES;                                 \
    BENCHMARK_CAPTURE(Plain##edit, EachWriteCommitted, false) SIZES; \
    BENCHMARK_CAPTURE(Plain##edit, OneTransaction, true) SIZES

LAYER_AND_PLAIN(AutoName);
LAYER_AND_PLAIN(InsertAtTop);
LAYER_AND_PLAIN(DeleteFirst);
LAYER_AND_PLAIN(SetAllRunStates);
LAYER_AND_PLAIN(CleanRunState);
BENCHMARK(LayerOpenAndWalk) SIZES;
BENCHMARK(LayerChangeRunState) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(LayerFindLastRow) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(LayerFindLastRowWalked) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(SetBasedOpenAndWalk) SIZES;
BENCHMARK(SetBasedAutoName) SIZES;
BENCHMARK(SetBasedInsertAtTop) SIZES;
BENCHMARK(SetBasedCleanRunState) SIZES;
BENCHMARK(SetBasedChangeRunState) SIZES->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
