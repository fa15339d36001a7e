// The method table's row algorithms through the OLE DB classes, against the same work done as
// plain SQL statements on the same file, for groups of 1,000 and 10,000 rows: the ratio of each
// pair reads from one run.
#include "worklist/CMethodTable.h"
#include "worklist/MethodRows.h"

#include "module/ModuleSettings.h"
#include "resources/ModuleResources.h"

#include "DeliveredDatabase.h"
#include "kernel/DriveMap.h"
#include "orvane/Nls.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::wstring group = L"Bench Group";
const std::string quotedGroup = "\"Bench Group\"";

// One root with the delivered database for the whole run; each size gets its group afresh.
class BenchRoot {
public:
    BenchRoot()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "serion-bench-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
        DriveMap::setRoot(m_path);
        std::string error;
        CreateDeliveredDatabase(m_path / "C" / "worklist.mdb", error);
        ModuleSettings.strProvider = L"Microsoft.Jet.OLEDB.4.0";
        ModuleSettings.strDatabasePath = L"C:\\worklist.mdb";
        ModuleSettings.strUserName = L"bench";
        NlsAddModule(ModuleResourceHandle());
        sqlite3_open((m_path / "C" / "worklist.mdb").c_str(), &m_db);
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~BenchRoot()
    {
        sqlite3_close(m_db);
        std::filesystem::remove_all(m_path);
    }

    sqlite3* db() const { return m_db; }

    void exec(const std::string& sql) { sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }

    // The group's table holding rows rows, named as AutoName names them.
    void makeGroup(long rows)
    {
        CMethodTable().DropMethodTable(group);
        CMethodTable().CreateMethodTable(group);
        exec("BEGIN");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(m_db,
                           ("INSERT INTO " + quotedGroup +
                            " VALUES (?, 'Nitrate', printf('Bench Group%010d.d', ?1), '', 1, 0, 'bench', 'Bench Group',"
                            " '', 'C:\\Methods\\', 0, 0, '')")
                               .c_str(),
                           -1, &insert, nullptr);
        for (long id = 0; id < rows; ++id) {
            sqlite3_bind_int64(insert, 1, id);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        exec("COMMIT");
    }

private:
    std::filesystem::path m_path;
    sqlite3* m_db = nullptr;
};

BenchRoot& root()
{
    static BenchRoot once;
    return once;
}

// --- Through the OLE DB classes, as the module does it

void OleDbOpenAndWalk(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    for (auto _ : state) {
        MethodRows rows;
        rows.LoadGroup(group);
        long walked = 0;
        for (rows.Table()->MoveFirst(); rows.Table()->HasCurrentRow(); rows.Table()->MoveNext())
            ++walked;
        benchmark::DoNotOptimize(walked);
    }
}

void OleDbAutoName(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    MethodRows rows;
    rows.LoadGroup(group);
    for (auto _ : state)
        rows.AutoName(L"", L"S", 100, nullptr);
}

void OleDbInsertAtTop(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    MethodRows rows;
    rows.LoadGroup(group);
    for (auto _ : state) {
        rows.InsertMethods({L"Phosphate"}, 1, L"C:\\Methods\\", 0);
        state.PauseTiming();
        root().exec("DELETE FROM " + quotedGroup + " WHERE aaaID = 0; UPDATE " + quotedGroup +
                    " SET aaaID = aaaID - 1");
        rows.LoadGroup(group);
        state.ResumeTiming();
    }
}

void OleDbCleanRunState(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    MethodRows rows;
    rows.LoadGroup(group);
    for (auto _ : state)
        rows.CleanRunState();
}

void OleDbChangeRunState(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    MethodRows rows;
    rows.LoadGroup(group);
    MethodRecord* row = rows.FindRowById(static_cast<LONG>(state.range(0) / 2), FALSE);
    for (auto _ : state)
        rows.ChangeRunState(row, 2, nullptr);
}

// --- The same work as plain SQL statements on the same file

void run(const std::string& sql) { root().exec(sql); }

void SqlOpenAndWalk(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    for (auto _ : state) {
        sqlite3_stmt* select = nullptr;
        sqlite3_prepare_v2(root().db(), ("SELECT * FROM " + quotedGroup + " ORDER BY aaaID").c_str(), -1, &select,
                           nullptr);
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

void SqlAutoName(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    for (auto _ : state)
        run("UPDATE " + quotedGroup +
            " SET \"Data File\" = printf('S%010d.d', 100 + aaaID), \"Sub-Folder\" = '', Prefix = 'S', Counter = 100");
}

void SqlInsertAtTop(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    for (auto _ : state) {
        run("BEGIN; UPDATE " + quotedGroup + " SET aaaID = aaaID + 1; INSERT INTO " + quotedGroup +
            " VALUES (0, 'Phosphate', 'default.d', '', 1, 0, 'bench', '', '', 'C:\\Methods\\', 0, 0, ''); UPDATE " +
            quotedGroup + " SET \"Data File\" = printf('Bench Group%010d.d', aaaID), \"Sub-Folder\" = '',"
            " Prefix = 'Bench Group', Counter = 0; COMMIT");
        state.PauseTiming();
        run("DELETE FROM " + quotedGroup + " WHERE aaaID = 0; UPDATE " + quotedGroup + " SET aaaID = aaaID - 1");
        state.ResumeTiming();
    }
}

void SqlCleanRunState(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    for (auto _ : state)
        run("UPDATE " + quotedGroup + " SET \"Run State\" = CASE \"Run State\" WHEN 5 THEN 5 ELSE 1 END,"
            " StartTime = 0, EndTime = 0, ErrMessage = ''");
}

void SqlChangeRunState(benchmark::State& state)
{
    root().makeGroup(state.range(0));
    const std::string sql = "UPDATE " + quotedGroup + " SET \"Run State\" = 2, StartTime = strftime('%s','now')"
                            " WHERE aaaID = " + std::to_string(state.range(0) / 2);
    for (auto _ : state)
        run(sql);
}

} // namespace

#define WORKLIST_BENCHMARK(name) BENCHMARK(name)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)
WORKLIST_BENCHMARK(OleDbOpenAndWalk);
WORKLIST_BENCHMARK(SqlOpenAndWalk);
WORKLIST_BENCHMARK(OleDbAutoName);
WORKLIST_BENCHMARK(SqlAutoName);
WORKLIST_BENCHMARK(OleDbInsertAtTop);
WORKLIST_BENCHMARK(SqlInsertAtTop);
WORKLIST_BENCHMARK(OleDbCleanRunState);
WORKLIST_BENCHMARK(SqlCleanRunState);
WORKLIST_BENCHMARK(OleDbChangeRunState)->Unit(benchmark::kMicrosecond);
WORKLIST_BENCHMARK(SqlChangeRunState)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
