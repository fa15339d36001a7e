// The benchmark run's root and its plain connection.
#include "BenchRoot.h"

#include "worklist/CMethodTable.h"

#include "module/core/ModuleSettings.h"
#include "resources/ModuleResources.h"

#include "DeliveredDatabase.h"
#include "kernel/DriveMap.h"
#include "orvane/Nls.h"

#include <sqlite3.h>

#include <cstdlib>

BenchRoot::BenchRoot()
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
    for (sqlite3** db : {&m_db, &m_setup}) {
        sqlite3_open_v2((m_path / "C" / "worklist.mdb").c_str(), db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr);
        sqlite3_busy_timeout(*db, 5000);
        sqlite3_exec(*db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    }
    // The plain rows commit as durably as the module's, so that they are its floor.
    sqlite3_exec(m_db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
}

BenchRoot::~BenchRoot()
{
    sqlite3_close(m_db);
    sqlite3_close(m_setup);
    std::filesystem::remove_all(m_path);
}

void BenchRoot::exec(const std::string& sql) { sqlite3_exec(m_setup, sql.c_str(), nullptr, nullptr, nullptr); }

void BenchRoot::makeGroup(long rows)
{
    // The first group of the run has no table to drop: dropping it through the layer would show
    // its error in a message box that no one answers.
    exec("DROP TABLE IF EXISTS " + quotedBenchGroup);
    CMethodTable(ModuleSettings).CreateMethodTable(benchGroup);
    exec("BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(m_setup,
                       ("INSERT INTO " + quotedBenchGroup +
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

BenchRoot& Root()
{
    static BenchRoot once;
    return once;
}
