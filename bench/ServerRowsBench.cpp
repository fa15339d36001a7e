// The row algorithms on a lab's server beside the same on the installation's file, through the same
// classes as the module runs them, and beside a plain libpq program writing the same rows with one
// multi-row statement in one transaction, on groups of 1,000 and 10,000 rows: filling an empty
// group, naming every data file, checking every row and deleting the first row. The server is a
// throwaway cluster of the benchmarks' own; without PostgreSQL the server's side is skipped with the
// reason.
#include "BenchRoot.h"
#include "PlainPgRows.h"

#include "module/core/ModuleSettings.h"
#include "worklist/CMethodTable.h"
#include "worklist/MethodRows.h"
#include "worklist/WorklistSession.h"

#include "host/ServerWorklist.h"
#include "oledb/Database.h"
#include "support/PgServer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

// The bench group's table as the server names it.
const std::string serverTable = "\"bench group\"";

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

// An edit leaves on the server a dead version of each row it wrote, which the server's vacuum clears
// in its own time. Here it runs between passes, so that each pass meets the table as the server
// keeps it, not as thousands of passes a minute would leave it.
void VacuumBetweenPasses(benchmark::State& state, bool onServer)
{
    if (!onServer)
        return;
    state.PauseTiming();
    Execute("VACUUM " + quotedBenchGroup);
    state.ResumeTiming();
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

void InsertRows(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, 0))
        return;
    const std::vector<std::wstring> methods(static_cast<std::size_t>(state.range(0)), L"Nitrate");
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
    if (!Prepare(state, onServer, rows, state.range(0)))
        return;
    LONG counter = 0;
    for (auto _ : state) {
        rows.AutoName(L"", L"S", counter ^= 100, nullptr);
        VacuumBetweenPasses(state, onServer);
    }
}

void CheckAll(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, state.range(0)))
        return;
    BOOL check = TRUE;
    for (auto _ : state) {
        rows.SetAllRunStates(check = !check);
        VacuumBetweenPasses(state, onServer);
    }
}

void DeleteFirstRow(benchmark::State& state, bool onServer)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, onServer, rows, state.range(0)))
        return;
    for (auto _ : state) {
        rows.DeleteSelected({0});
        state.PauseTiming();
        rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", 0);
        rows.LoadGroup(benchGroup);
        state.ResumeTiming();
        VacuumBetweenPasses(state, onServer);
    }
}

// --- The floor: plain libpq on the server's bench group

// A plain libpq program on the server's bench group made afresh with count rows; none, with the
// benchmark skipped, without a server.
std::unique_ptr<PlainPgRows> PlainOnServer(benchmark::State& state, long count)
{
    MethodRows rows(ModuleSettings);
    if (!Prepare(state, true, rows, 0))
        return nullptr;
    auto plain = std::make_unique<PlainPgRows>(ModuleSettings.strDatabasePath, serverTable);
    if (count > 0)
        plain->insertRows(static_cast<int>(count), "Bench Group");
    return plain;
}

void InsertRowsFloor(benchmark::State& state)
{
    const auto plain = PlainOnServer(state, 0);
    for (auto _ : state) {
        plain->insertRows(static_cast<int>(state.range(0)), "Bench Group");
        state.PauseTiming();
        Execute("DELETE FROM " + quotedBenchGroup);
        state.ResumeTiming();
        VacuumBetweenPasses(state, true);
    }
}

void AutoNameFloor(benchmark::State& state)
{
    const auto plain = PlainOnServer(state, state.range(0));
    int counter = 0;
    for (auto _ : state) {
        plain->autoName("S", counter ^= 100);
        VacuumBetweenPasses(state, true);
    }
}

void CheckAllFloor(benchmark::State& state)
{
    const auto plain = PlainOnServer(state, state.range(0));
    bool check = true;
    for (auto _ : state) {
        plain->setAllRunStates(check = !check);
        VacuumBetweenPasses(state, true);
    }
}

void DeleteFirstRowFloor(benchmark::State& state)
{
    const auto plain = PlainOnServer(state, state.range(0));
    for (auto _ : state) {
        plain->deleteFirst("Bench Group");
        state.PauseTiming();
        Execute("UPDATE " + quotedBenchGroup + " SET aaaID = aaaID + 1");
        Execute("INSERT INTO " + quotedBenchGroup + " (aaaID, \"Run State\") VALUES (0, 1)");
        state.ResumeTiming();
        VacuumBetweenPasses(state, true);
    }
}

} // namespace

#define SERVER_SIZES \
    ->Arg(1000)->Arg(10000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)
#define ON_FILE_AND_SERVER(edit)                                \
    BENCHMARK_CAPTURE(edit, File, false) SERVER_SIZES;           \
    BENCHMARK_CAPTURE(edit, Server, true) SERVER_SIZES;          \
    BENCHMARK(edit##Floor) SERVER_SIZES

ON_FILE_AND_SERVER(InsertRows);
ON_FILE_AND_SERVER(AutoName);
ON_FILE_AND_SERVER(CheckAll);
ON_FILE_AND_SERVER(DeleteFirstRow);
