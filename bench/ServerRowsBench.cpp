// The row algorithms on a lab's server beside the same on the installation's file, through the same
// classes as the module runs them, on groups of 1,000 rows: adding 1,000 rows to an empty group,
// naming every data file, checking every row and deleting the first row. The server is a throwaway
// cluster of the benchmarks' own; without PostgreSQL the server's side is skipped with the reason.
#include "BenchRoot.h"

#include "module/core/ModuleSettings.h"
#include "worklist/CMethodTable.h"
#include "worklist/MethodRows.h"
#include "worklist/WorklistSession.h"

#include "host/ServerWorklist.h"
#include "oledb/Database.h"
#include "support/PgServer.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

constexpr long kRows = 1000;

// Points the module's settings at the file or at the server's worklist, made on first use; the
// reason when the server cannot be had.
std::string UseWorklist(bool onServer)
{
    Root();
    static std::wstring server;
    static std::string serverFailure;
    if (!onServer) {
        ModuleSettings.strProvider = kFileProvider;
        ModuleSettings.strDatabasePath = L"C:\\worklist.mdb";
        return "";
    }
    if (server.empty() && serverFailure.empty()) {
        try {
            server = PgServer::NewDatabase();
            if (!InitServerWorklist(server, serverFailure))
                server.clear();
        } catch (const std::runtime_error& failure) {
            serverFailure = failure.what();
        }
    }
    ModuleSettings.strProvider = kServerProvider;
    ModuleSettings.strDatabasePath = server;
    return serverFailure;
}

// Runs one statement through the provider, as the module's own session would.
void Execute(const std::string& sql)
{
    CSession session;
    std::unique_ptr<provider::Statement> statement;
    if (SUCCEEDED(OpenWorklistSession(session, ModuleSettings, WorklistDataSourceProperties(ModuleSettings))) &&
        SUCCEEDED(session.m_spOpenRowset->Prepare(sql, IID_ICommand, L"", &statement)))
        statement->step();
}

// The bench group afresh with count rows, loaded as the method list loads it.
void MakeGroup(MethodRows& rows, long count)
{
    Execute("DROP TABLE IF EXISTS " + quotedBenchGroup);
    CMethodTable(ModuleSettings).CreateMethodTable(benchGroup);
    rows.LoadGroup(benchGroup);
    if (count > 0)
        rows.InsertMethods(std::vector<std::wstring>(count, L"Nitrate"), 1, L"C:\\Methods\\", 0);
    rows.LoadGroup(benchGroup);
}

// Sets the benchmark up on the worklist of onServer, or skips it with the reason.
bool Prepare(benchmark::State& state, bool onServer, MethodRows& rows, long count)
{
    const std::string failure = UseWorklist(onServer);
    if (!failure.empty()) {
        state.SkipWithError(("PostgreSQL is not at hand: " + failure).c_str());
        return false;
    }
    MakeGroup(rows, count);
    return true;
}

void InsertThousandRows(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, 0))
        return;
    const std::vector<std::wstring> methods(kRows, L"Nitrate");
    for (auto _ : state) {
        rows.InsertMethods(methods, 1, L"C:\\Methods\\", 0);
        state.PauseTiming();
        MakeGroup(rows, 0);
        state.ResumeTiming();
    }
}

void AutoName(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, kRows))
        return;
    LONG counter = 0;
    for (auto _ : state)
        rows.AutoName(L"", L"S", counter ^= 100, nullptr);
}

void CheckAll(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, kRows))
        return;
    BOOL check = TRUE;
    for (auto _ : state)
        rows.SetAllRunStates(check = !check);
}

void DeleteFirstRow(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, kRows))
        return;
    for (auto _ : state) {
        rows.DeleteSelected({0});
        state.PauseTiming();
        rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", 0);
        rows.LoadGroup(benchGroup);
        state.ResumeTiming();
    }
}

} // namespace

#define ON_FILE_AND_SERVER(edit)                                                                        \
    BENCHMARK_CAPTURE(edit, File, false)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond); \
    BENCHMARK_CAPTURE(edit, Server, true)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)

ON_FILE_AND_SERVER(InsertThousandRows);
ON_FILE_AND_SERVER(AutoName);
ON_FILE_AND_SERVER(CheckAll);
ON_FILE_AND_SERVER(DeleteFirstRow);
