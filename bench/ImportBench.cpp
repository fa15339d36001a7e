// A LIMS worklist of 1,000 and of 10,000 rows imported as the Import Worklist dialog does it:
// the file's text read and checked line by line, then its rows added after the last row of a
// group of 1,000 rows as one edit. Repeated five times; compare the medians.
#include "BenchRoot.h"

#include "module/core/ModuleSettings.h"
#include "worklist/MethodRows.h"
#include "worklist/WorklistImport.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long kGroupRows = 1000;

std::string WorklistFile(long rows)
{
    std::string file = "method,data file,comments,sub-folder,checked\r\n";
    for (long n = 0; n < rows; ++n)
        file += (n % 3 ? "Nitrate.M,S-" : "Phosphate.M,S-") + std::to_string(n) + ".d,\"River, north\",Run1,yes\r\n";
    return file;
}

void ImportWorklist(benchmark::State& state)
{
    const std::string file = WorklistFile(state.range(0));
    const std::vector<std::wstring> methods = {L"NITRATE.M", L"PHOSPHATE.M"};
    Root().makeGroup(kGroupRows);
    MethodRows rows(ModuleSettings);
    rows.LoadGroup(benchGroup);
    for (auto _ : state) {
        std::vector<ImportedRow> imported;
        if (!WorklistImport::Read(file, methods, imported).empty() ||
            FAILED(rows.AppendRows(imported, L"C:\\Methods\\", L"C:\\lims.csv")))
            state.SkipWithError("the import failed");
        state.PauseTiming();
        Root().exec("DELETE FROM " + quotedBenchGroup + " WHERE aaaID >= " + std::to_string(kGroupRows));
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ImportWorklist)->Arg(1000)->Arg(10000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
