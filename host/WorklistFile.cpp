// Reading a worklist file with SQLite directly.
#include "WorklistFile.h"

#include "oledb/Database.h"

#include <sqlite3.h>

namespace {

// A reader waits a little for a writer's lock rather than failing at once.
constexpr int kBusyTimeoutMs = 500;

std::string quoteText(const std::string& text) { return "'" + text + "'"; }

} // namespace

WorklistFile::WorklistFile(const std::filesystem::path& file)
{
    if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        m_error = "cannot open the worklist " + file.string() + ": " + sqlite3_errmsg(m_db);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

WorklistFile::~WorklistFile() { sqlite3_close(m_db); }

std::vector<FileTable> WorklistFile::tables()
{
    std::vector<FileTable> tables;
    for (const auto& row : select("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                  "'sqlite_%' ORDER BY rowid")
                               .value_or(Rows{}))
        tables.push_back({*row[0], "", {}});
    for (FileTable& table : tables)
        for (const auto& column : select("SELECT name, type, \"notnull\", dflt_value FROM pragma_table_info(" +
                                         quoteText(table.name) + ")")
                                      .value_or(Rows{})) {
            table.declarations += (table.columns.empty() ? "" : ", ") + provider::Database::Quote(*column[0]) + " " +
                                  (column[1]->empty() ? "TEXT" : *column[1]) + (*column[2] == "1" ? " NOT NULL" : "") +
                                  (column[3] ? " DEFAULT " + *column[3] : "");
            table.columns.push_back(*column[0]);
        }
    return tables;
}

WorklistFile::Rows WorklistFile::rows(const FileTable& table)
{
    std::string names;
    for (const std::string& column : table.columns)
        names += ", " + provider::Database::Quote(column);
    return select("SELECT rowid" + names + " FROM " + provider::Database::Quote(table.name) + " ORDER BY rowid")
        .value_or(Rows{});
}

std::optional<WorklistFile::Rows> WorklistFile::select(const std::string& sql)
{
    Rows rows;
    sqlite3_stmt* statement = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return std::nullopt;
    int code = SQLITE_ROW;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = sqlite3_column_text(statement, i);
            row.push_back(text ? std::optional<std::string>(reinterpret_cast<const char*>(text)) : std::nullopt);
        }
    }
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE)
        return std::nullopt;
    return rows;
}
