// Reading groups, rows and a lab's instruments for the web monitor: SQLite read-only on a file,
// the PostgreSQL provider's connection on a server.
#include "MonitorWorklist.h"

#include "RunEventRecord.h"

#include "kernel/Text.h"
#include "oledb/PgDatabase.h"

#include <algorithm>
#include <cstdlib>

namespace {

long long number(const std::optional<std::string>& value) { return value ? std::atoll(value->c_str()) : 0; }

// Each instrument of the audit trail with its newest run record ("Run started", "Run ended", ...),
// if it has one.
constexpr const char* kLastRuns =
    "SELECT i.\"Instrument\", a.\"GroupName\", a.\"Event\", a.\"UtcTime\" FROM (SELECT \"Instrument\", "
    "max(CASE WHEN \"Event\" LIKE 'Run %' THEN \"Sequence\" END) AS newest FROM \"audit_tbl\" GROUP BY "
    "\"Instrument\") i LEFT JOIN \"audit_tbl\" a ON a.\"Sequence\" = i.newest";

} // namespace

MonitorWorklist::MonitorWorklist(const Place& place) : m_connection(place.server)
{
    if (m_connection.empty())
        m_file = std::make_unique<WorklistFile>(place.file);
}

MonitorWorklist::~MonitorWorklist() = default;

provider::PgDatabase* MonitorWorklist::server()
{
    std::shared_ptr<provider::Database> opened;
    if (!m_server && onServer() && SUCCEEDED(provider::PgDatabase::Open(m_connection, L"Admin", L"", &opened)))
        m_server = std::static_pointer_cast<provider::PgDatabase>(opened);
    return m_server.get();
}

std::optional<WorklistFile::Rows> MonitorWorklist::select(const std::string& sql)
{
    if (m_file)
        return m_file->select(sql);
    std::unique_ptr<provider::Statement> statement;
    if (!server() || FAILED(m_server->Prepare(sql, IID_ICommand, L"", &statement)))
        return std::nullopt;
    WorklistFile::Rows rows;
    std::vector<wchar_t> text(4096);
    int code = provider::Statement::Row;
    while ((code = statement->step()) == provider::Statement::Row) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < statement->columnCount(); ++i) {
            if (statement->columnIsNull(i)) {
                row.emplace_back();
                continue;
            }
            statement->columnText(i, text.data(), text.size());
            row.push_back(WideToUtf8(text.data()));
        }
    }
    if (code != provider::Statement::Done)
        return std::nullopt;
    return rows;
}

std::optional<std::vector<MonitorWorklist::Group>> MonitorWorklist::groupTable()
{
    const auto read = select("SELECT \"GroupID\", \"GroupName\" FROM \"group_tbl\" ORDER BY rowid");
    if (!read)
        return std::nullopt;
    std::vector<Group> groups;
    for (const auto& row : *read)
        groups.push_back({static_cast<long>(number(row[0])), row[1].value_or("")});
    return groups;
}

std::optional<std::vector<std::string>> MonitorWorklist::groups()
{
    const auto table = groupTable();
    if (!table)
        return std::nullopt;
    std::vector<std::string> names;
    for (const Group& group : *table)
        names.push_back(group.name);
    return names;
}

std::map<long, std::string> MonitorWorklist::claims()
{
    std::map<LONG, std::wstring> holders;
    std::map<long, std::string> claims;
    if (server() && SUCCEEDED(m_server->LockHolders(&holders)))
        for (const auto& [group, holder] : holders)
            claims[group] = WideToUtf8(holder);
    return claims;
}

std::optional<std::vector<MonitorRow>> MonitorWorklist::storedRows(const std::string& group)
{
    // The row's QC is its last end's results', the worst of them: "failed" sorts before "suspect".
    std::string literal = "'";
    for (const char c : group)
        literal += c == '\'' ? std::string("''") : std::string(1, c);
    const std::string columns = "SELECT \"aaaID\", \"Method Name\", \"Data File\", \"Run State\", \"StartTime\", "
                                "\"EndTime\", \"ErrMessage\", \"Sub-Folder\"";
    const std::string qc = ", (SELECT min(NULLIF(r.\"QC\", '')) FROM \"result_tbl\" r WHERE r.\"GroupName\" = " +
                           literal + "' AND r.\"DataFile\" = t.\"Data File\" AND r.\"EndTime\" = t.\"EndTime\")";
    const std::string from = " FROM " + provider::Database::Quote(group) + " t ORDER BY \"aaaID\"";
    // A worklist that no host of this version has opened has no results.
    auto read = select(columns + qc + from);
    if (!read)
        read = select(columns + from);
    if (!read)
        return std::nullopt;
    std::vector<MonitorRow> rows;
    for (const auto& row : *read)
        rows.push_back({static_cast<long>(number(row[0])) + 1L, row[1].value_or(""), row[2].value_or(""),
                        row[7].value_or(""), MonitorRow::stateName(static_cast<long>(number(row[3]))), number(row[4]),
                        number(row[5]), row[6].value_or(""), row.size() > 8 ? row[8].value_or("") : ""});
    return rows;
}

std::optional<std::vector<MonitorRow>> MonitorWorklist::rows(const std::string& group, bool runningHere)
{
    // Only a group the table names is read: a path never reaches any other table.
    const auto table = groupTable();
    if (!table)
        return std::nullopt;
    const auto named = std::ranges::find(*table, group, &Group::name);
    if (named == table->end())
        return std::nullopt;
    auto rows = storedRows(group);
    if (rows && MonitorRow::runningRow(*rows) && !(onServer() ? claims().contains(named->id) : runningHere))
        MonitorRow::markInterrupted(*rows);
    return rows;
}

std::optional<std::string> MonitorWorklist::interruptedGroup()
{
    const auto claimed = claims();
    for (const Group& group : groupTable().value_or(std::vector<Group>{})) {
        const auto rows = storedRows(group.name).value_or(std::vector<MonitorRow>{});
        if (MonitorRow::runningRow(rows) && !claimed.contains(group.id))
            return group.name;
    }
    return std::nullopt;
}

std::optional<nlohmann::json> MonitorWorklist::lab()
{
    const auto table = onServer() ? groupTable() : std::nullopt;
    if (!table)
        return std::nullopt;
    std::map<std::string, nlohmann::json> instruments;
    const auto instrument = [&](const std::string& name) -> nlohmann::json& {
        nlohmann::json& entry = instruments[name];
        if (entry.is_null())
            entry = {{"instrument", name}, {"state", "away"}, {"group", ""}, {"lastRun", nullptr}};
        return entry;
    };
    // A worklist that has no audit trail yet knows only the instruments that run now.
    for (const auto& record : select(kLastRuns).value_or(WorklistFile::Rows{})) {
        if (record[0].value_or("").empty())
            continue;
        nlohmann::json& entry = instrument(*record[0]);
        if (record[1])
            entry["lastRun"] = {{"group", *record[1]}, {"event", record[2].value_or("")}, {"time", IsoTime(number(record[3]))}};
    }
    for (const auto& [id, holder] : claims()) {
        const auto group = std::ranges::find(*table, id, &Group::id);
        if (group == table->end())
            continue;
        nlohmann::json& entry = instrument(holder);
        entry["state"] = "running";
        entry["group"] = group->name;
        entry["progress"] = MonitorRow::progress(rows(group->name, true).value_or(std::vector<MonitorRow>{}));
    }
    // Every host names its sessions after its instrument.
    for (const auto& session : select("SELECT DISTINCT application_name FROM pg_catalog.pg_stat_activity WHERE "
                                      "datname = current_database()")
                                   .value_or(WorklistFile::Rows{}))
        if (const auto known = instruments.find(session[0].value_or("")); known != instruments.end() &&
                                                                           known->second["state"] == "away")
            known->second["state"] = "idle";
    nlohmann::json list = nlohmann::json::array();
    for (auto& [name, entry] : instruments)
        list.push_back(std::move(entry));
    return list;
}
