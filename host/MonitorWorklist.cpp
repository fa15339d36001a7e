// Reading groups and rows for the web monitor through a read-only SQLite connection.
#include "MonitorWorklist.h"

#include "oledb/Database.h"

#include <algorithm>
#include <cstdlib>

namespace {

long long number(const std::optional<std::string>& value) { return value ? std::atoll(value->c_str()) : 0; }

} // namespace

std::optional<std::vector<std::string>> MonitorWorklist::groups()
{
    const auto read = m_file.select("SELECT \"GroupName\" FROM \"group_tbl\" ORDER BY rowid");
    if (!read)
        return std::nullopt;
    std::vector<std::string> names;
    for (const auto& row : *read)
        names.push_back(row[0].value_or(""));
    return names;
}

std::optional<std::vector<MonitorRow>> MonitorWorklist::rows(const std::string& group)
{
    // Only a group the table names is read: a path never reaches any other table.
    const auto names = groups();
    if (!names || std::find(names->begin(), names->end(), group) == names->end())
        return std::nullopt;
    const auto read = m_file.select("SELECT \"aaaID\", \"Method Name\", \"Data File\", \"Run State\", "
                                    "\"StartTime\", \"EndTime\", \"ErrMessage\", \"Sub-Folder\" FROM " +
                                    provider::Database::Quote(group) + " ORDER BY \"aaaID\"");
    if (!read)
        return std::nullopt;
    std::vector<MonitorRow> rows;
    for (const auto& row : *read)
        rows.push_back({static_cast<long>(number(row[0])) + 1L, row[1].value_or(""), row[2].value_or(""),
                        row[7].value_or(""), MonitorRow::stateName(static_cast<long>(number(row[3]))), number(row[4]),
                        number(row[5]), row[6].value_or("")});
    return rows;
}
