// What the audit trail adds to the worklist's writes: a check-all of every row and a row's result
// at a method's end, each as the module makes it (with its record, hash-chained, in the same
// transaction), beside the same writes through the same classes without a record. Compare the
// medians of each pair.
#include "BenchRoot.h"

#include "module/core/ModuleSettings.h"
#include "worklist/EditTransaction.h"
#include "worklist/MethodRows.h"

#include "kernel/TimeApi.h"

#include <benchmark/benchmark.h>

namespace {

LONG Toggled(LONG state) { return state == RUNSTATE_CHECKED ? RUNSTATE_UNCHECKED : RUNSTATE_CHECKED; }

void CheckAllWithTrail(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    MethodRows rows(ModuleSettings);
    rows.LoadGroup(benchGroup);
    BOOL check = TRUE;
    for (auto _ : state)
        rows.SetAllRunStates(check = !check);
}

// The edit as MethodRows makes it: one transaction, the rows read again under its lock, each written.
void CheckAllWithoutTrail(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    MethodRows rows(ModuleSettings);
    rows.LoadGroup(benchGroup);
    CMethodTable& table = *rows.Table();
    LONG runState = RUNSTATE_CHECKED;
    for (auto _ : state) {
        runState = Toggled(runState);
        EditTransaction transaction(table.m_session);
        table.Requery();
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext()) {
            table.RunState = runState;
            table.SetData();
        }
        transaction.Commit();
    }
}

// A row in the middle of the group ends, done and failed in turn so that each end is a change.
void RowResultWithTrail(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    MethodRows rows(ModuleSettings);
    rows.LoadGroup(benchGroup);
    MethodRecord* row = rows.FindRowById(static_cast<LONG>(state.range(0) / 2), FALSE);
    BOOL done = TRUE;
    for (auto _ : state)
        rows.ChangeRunState(row, (done = !done) ? RUNSTATE_DONE : RUNSTATE_FAILED, L"Pump pressure above limit.");
}

void RowResultWithoutTrail(benchmark::State& state)
{
    Root().makeGroup(state.range(0));
    MethodRows rows(ModuleSettings);
    rows.LoadGroup(benchGroup);
    MethodRecord* row = rows.FindRowById(static_cast<LONG>(state.range(0) / 2), FALSE);
    for (auto _ : state) {
        row->RunState = row->RunState == RUNSTATE_DONE ? RUNSTATE_FAILED : RUNSTATE_DONE;
        row->EndTime = static_cast<LONG>(_time64(nullptr));
        rows.Table()->SetData();
    }
}

} // namespace

#define AUDIT_SIZES ->Arg(1000)->Arg(10000)->Repetitions(5)->ReportAggregatesOnly(true)
BENCHMARK(CheckAllWithTrail) AUDIT_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAllWithoutTrail) AUDIT_SIZES->Unit(benchmark::kMillisecond);
BENCHMARK(RowResultWithTrail) AUDIT_SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(RowResultWithoutTrail) AUDIT_SIZES->Unit(benchmark::kMicrosecond);
