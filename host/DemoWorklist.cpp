// Writing the demo groups into the delivered database, as the module would have made them: their
// group_tbl rows, method tables and rows named as autoname names them, and the night's QC rule.
#include "DemoWorklist.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct DemoRow {
    const char* method;
    const char* comment;
};

struct DemoGroup {
    int id;
    const char* name;
    std::vector<DemoRow> rows;
};

const DemoGroup demoGroups[] = {
    // A method that completes, one that fails with host messages, one without FIA, and a second
    // that completes.
    {2, "Nitrates",
     {{"NITRATE.M", "River inlet"},
      {"LEAK.M", "Fails: the pump's messages become the row's message"},
      {"BLANK.M", "FIA disabled"},
      {"PHOSPHATE.M", "Lake outlet"}}},
    // The guide's worked night in a few minutes: the instrument drifts from its 11th injection, so
    // that row 3's check standard fails, its rerun too, and Recalibration runs before row 5. Their
    // names sort after Nitrates, so that the window still opens on it.
    {3, "Overnight",
     {{"NO3DRIFT.M", "Standards"},
      {"PO4DRIFT.M", "Blank, check standard, lake outlet"},
      {"PO4DRIFT.M", "Blank, check standard, lake outlet"},
      {"PO4DRIFT.M", "Blank, check standard, lake outlet"}}},
    {4, "Recalibration", {{"NO3DRIFT.M", "Standards again"}}},
};

// Overnight's rule: a check standard's recovery outside 90-110 % reruns the row, and a rerun that
// fails too calibrates with Recalibration; as the module writes qc_tbl.
const char* const qcRules =
    "CREATE TABLE \"qc_tbl\" (\"GroupID\" INTEGER, \"RuleNo\" INTEGER, \"CheckKind\" INTEGER, \"Low\" VARCHAR(31),"
    " \"High\" VARCHAR(31), \"Action\" INTEGER, \"ThenAction\" INTEGER, \"CalibrationGroup\" VARCHAR(50));"
    "INSERT INTO \"qc_tbl\" VALUES (3, 1, 1, '90', '110', 1, 2, 'Recalibration');";

// The table as the module creates a group's method table.
std::string methodTable(const std::string& group)
{
    return "CREATE TABLE \"" + group +
           "\" (\"aaaID\" INTEGER, \"Method Name\" VARCHAR(255), \"Data File\" VARCHAR(255),"
           " \"Comments\" VARCHAR(255), \"Run State\" INTEGER, \"Counter\" INTEGER, \"Operator\" VARCHAR(255),"
           " \"Prefix\" VARCHAR(255), \"Sub-Folder\" VARCHAR(255), \"SysMethPath\" VARCHAR(255), \"StartTime\" INTEGER,"
           " \"EndTime\" INTEGER, \"ErrMessage\" VARCHAR(255));";
}

bool execute(sqlite3* db, const std::string& sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

// The group's group_tbl row, its method table and its rows named as autoname names them.
bool insertGroup(sqlite3* db, const DemoGroup& group, const std::string& methodPath, std::string& error)
{
    const std::string name = group.name;
    if (!execute(db, "INSERT INTO \"group_tbl\" (\"GroupID\", \"GroupName\", \"ShutDownOption\") VALUES (" +
                         std::to_string(group.id) + ", '" + name + "', ' ');" + methodTable(name),
                 error))
        return false;
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db,
                           ("INSERT INTO \"" + name + "\" VALUES (?1, ?2, ?3, ?4, 1, 0, '', ?5, '', ?6, 0, 0, '')").c_str(),
                           -1, &insert, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db);
        return false;
    }
    bool ok = true;
    int id = 0;
    for (const DemoRow& row : group.rows) {
        char dataFile[64];
        std::snprintf(dataFile, sizeof dataFile, "%s%010d.d", group.name, id);
        sqlite3_bind_int(insert, 1, id++);
        sqlite3_bind_text(insert, 2, row.method, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, dataFile, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, row.comment, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, group.name, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 6, methodPath.c_str(), -1, SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
        if (!ok) {
            error = sqlite3_errmsg(db);
            break;
        }
    }
    sqlite3_finalize(insert);
    return ok;
}

} // namespace

bool CreateDemoWorklist(const std::filesystem::path& databaseFile, const std::string& methodPath, std::string& error)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(databaseFile.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    if (!ok)
        error = db ? sqlite3_errmsg(db) : "out of memory";
    // One transaction: the demo groups are there whole or not at all.
    ok = ok && execute(db, "BEGIN;", error);
    for (const DemoGroup& group : demoGroups)
        ok = ok && insertGroup(db, group, methodPath, error);
    ok = ok && execute(db, qcRules, error) && execute(db, "COMMIT;", error);
    if (!ok) {
        error = "Cannot write the demo worklist into " + databaseFile.string() + ": " + error;
        if (db)
            sqlite3_exec(db, "ROLLBACK;", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return ok;
}
