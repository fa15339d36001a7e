// Reading groups and rows for the web monitor through a read-only SQLite connection.
#include "MonitorWorklist.h"

#include "oledb/Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kBusyTimeoutMs = 500;

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (!db || sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        statement = nullptr;
    return {statement, sqlite3_finalize};
}

std::string text(sqlite3_stmt* statement, int column)
{
    const auto* value = sqlite3_column_text(statement, column);
    return value ? reinterpret_cast<const char*>(value) : "";
}

} // namespace

MonitorWorklist::MonitorWorklist(const std::filesystem::path& file)
{
    if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

MonitorWorklist::~MonitorWorklist() { sqlite3_close(m_db); }

std::optional<std::vector<std::string>> MonitorWorklist::groups()
{
    const Statement statement = prepare(m_db, "SELECT \"GroupName\" FROM \"group_tbl\" ORDER BY rowid");
    if (!statement)
        return std::nullopt;
    std::vector<std::string> names;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement.get())) == SQLITE_ROW)
        names.push_back(text(statement.get(), 0));
    if (code != SQLITE_DONE)
        return std::nullopt;
    return names;
}

std::optional<std::vector<MonitorRow>> MonitorWorklist::rows(const std::string& group)
{
    // Only a group the table names is read: a path never reaches any other table.
    const auto names = groups();
    if (!names || std::find(names->begin(), names->end(), group) == names->end())
        return std::nullopt;
    const Statement statement = prepare(m_db, "SELECT \"aaaID\", \"Method Name\", \"Data File\", \"Run State\", "
                                              "\"StartTime\", \"EndTime\", \"ErrMessage\" FROM " +
                                                  provider::Database::Quote(group) + " ORDER BY \"aaaID\"");
    if (!statement)
        return std::nullopt;
    std::vector<MonitorRow> rows;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement.get())) == SQLITE_ROW) {
        sqlite3_stmt* row = statement.get();
        rows.push_back({sqlite3_column_int(row, 0) + 1L, text(row, 1), text(row, 2),
                        MonitorRow::stateName(sqlite3_column_int(row, 3)), sqlite3_column_int64(row, 4),
                        sqlite3_column_int64(row, 5), text(row, 6)});
    }
    if (code != SQLITE_DONE)
        return std::nullopt;
    return rows;
}
