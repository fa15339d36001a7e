// Writing the demo group into the delivered database, as the module would have made it: its
// group_tbl row, its method table and rows named as autoname names them.
#include "DemoWorklist.h"

#include <sqlite3.h>

#include <cstdio>

namespace {

constexpr const char* kGroup = "Nitrates";

struct DemoRow {
    const char* method;
    const char* comment;
};

// A method that completes, one that fails with host messages, one without FIA, and a second
// that completes.
const DemoRow demoRows[] = {
    {"NITRATE.M", "River inlet"},
    {"LEAK.M", "Fails: the pump's messages become the row's message"},
    {"BLANK.M", "FIA disabled"},
    {"PHOSPHATE.M", "Lake outlet"},
};

// The table as the module creates a group's method table.
const char* const methodTable =
    "CREATE TABLE \"Nitrates\" (\"aaaID\" INTEGER, \"Method Name\" VARCHAR(255), \"Data File\" VARCHAR(255),"
    " \"Comments\" VARCHAR(255), \"Run State\" INTEGER, \"Counter\" INTEGER, \"Operator\" VARCHAR(255),"
    " \"Prefix\" VARCHAR(255), \"Sub-Folder\" VARCHAR(255), \"SysMethPath\" VARCHAR(255), \"StartTime\" INTEGER,"
    " \"EndTime\" INTEGER, \"ErrMessage\" VARCHAR(255));";

bool execute(sqlite3* db, const char* sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

bool insertRows(sqlite3* db, const std::string& methodPath, std::string& error)
{
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO \"Nitrates\" VALUES (?1, ?2, ?3, ?4, 1, 0, '', ?5, '', ?6, 0, 0, '')", -1, &insert,
                           nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db);
        return false;
    }
    bool ok = true;
    int id = 0;
    for (const DemoRow& row : demoRows) {
        char dataFile[64];
        std::snprintf(dataFile, sizeof dataFile, "%s%010d.d", kGroup, id);
        sqlite3_bind_int(insert, 1, id++);
        sqlite3_bind_text(insert, 2, row.method, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 3, dataFile, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, row.comment, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, kGroup, -1, SQLITE_STATIC);
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
    // One transaction: the demo group is there whole or not at all.
    ok = ok && execute(db, "BEGIN;", error) &&
         execute(db, "INSERT INTO \"group_tbl\" (\"GroupID\", \"GroupName\", \"ShutDownOption\") VALUES (2, 'Nitrates', ' ');", error) &&
         execute(db, methodTable, error) && insertRows(db, methodPath, error) && execute(db, "COMMIT;", error);
    if (!ok) {
        error = "Cannot write the demo worklist into " + databaseFile.string() + ": " + error;
        if (db)
            sqlite3_exec(db, "ROLLBACK;", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return ok;
}
