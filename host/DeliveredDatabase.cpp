// Creating the delivered worklist database.
#include "DeliveredDatabase.h"

#include <sqlite3.h>

namespace {

std::string schema()
{
    std::string sql = "PRAGMA journal_mode=WAL; BEGIN;";
    for (const DeliveredTable& table : DeliveredTables())
        sql += std::string("CREATE TABLE \"") + table.name + "\" (" + table.columns + ");";
    return sql + "COMMIT;";
}

} // namespace

const std::vector<DeliveredTable>& DeliveredTables()
{
    // Text columns are declared with their width; the provider refuses longer values.
    static const std::vector<DeliveredTable> tables = {
        {"group_tbl",
         "\"GroupID\" INTEGER, \"GroupName\" VARCHAR(50), \"ShutDownOption\" VARCHAR(50),"
         " \"RecoveryCommand\" VARCHAR(50) NOT NULL DEFAULT '', \"RunOpen\" INTEGER NOT NULL DEFAULT 0,"
         " \"StoppedRow\" INTEGER NOT NULL DEFAULT 0, \"OnFailure\" INTEGER NOT NULL DEFAULT 0,"
         " \"EmergencyCommand\" VARCHAR(50) NOT NULL DEFAULT '', \"QueueID\" INTEGER NOT NULL DEFAULT 0,"
         " \"QueuePos\" INTEGER NOT NULL DEFAULT 0"},
        {"user_tbl",
         "\"UserID\" INTEGER, \"UserName\" VARCHAR(50), \"Password\" VARCHAR(50),"
         " \"Role\" INTEGER, \"Address\" VARCHAR(255), \"Phone\" VARCHAR(50), \"EMail\" VARCHAR(255),"
         " \"LockMessage\" VARCHAR(255), \"Description\" VARCHAR(255)"},
    };
    return tables;
}

bool CreateDeliveredDatabase(const std::filesystem::path& databaseFile, std::string& error)
{
    std::error_code status;
    if (std::filesystem::exists(databaseFile, status))
        return true;
    std::filesystem::create_directories(databaseFile.parent_path(), status);
    if (status) {
        error = "Cannot create the folder " + databaseFile.parent_path().string() + ": " + status.message();
        return false;
    }
    sqlite3* db = nullptr;
    int code = sqlite3_open_v2(databaseFile.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* message = nullptr;
    if (code == SQLITE_OK)
        code = sqlite3_exec(db, schema().c_str(), nullptr, nullptr, &message);
    if (code != SQLITE_OK) {
        error = "Cannot create the worklist database " + databaseFile.string() + ": " +
                (message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        sqlite3_close(db);
        std::filesystem::remove(databaseFile, status);
        return false;
    }
    sqlite3_close(db);
    return true;
}
