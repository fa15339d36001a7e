// The macro language on one long line: an assignment of a sum of 10,000 and of 100,000 terms,
// lexed, parsed and evaluated. Linear: ten times the terms take about ten times as long.
#include "orvane/MacroInterpreter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void MacroLongSum(benchmark::State& state)
{
    std::wstring line = L"N = 1";
    for (long term = 1; term < state.range(0); ++term)
        line += L"+1";
    for (auto _ : state)
        if (MacroInterpreter::instance().execute(line, 0) != MACRO_OK) {
            state.SkipWithError("the sum was refused");
            break;
        }
}

BENCHMARK(MacroLongSum)->Arg(10000)->Arg(100000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace
