// Plain sqlite3 row algorithms for the benchmark's baselines.
#include "PlainRows.h"

#include <sqlite3.h>

#include <cstdio>

PlainRows::PlainRows(sqlite3* db, const std::string& quotedTable, bool oneTransaction)
    : m_db(db), m_oneTransaction(oneTransaction),
      m_read(prepare("SELECT rowid, aaaID, \"Run State\" FROM " + quotedTable + " ORDER BY aaaID")),
      m_name(prepare("UPDATE " + quotedTable +
                     " SET \"Data File\" = ?, \"Sub-Folder\" = '', Prefix = ?, Counter = ? WHERE rowid = ?")),
      m_number(prepare("UPDATE " + quotedTable + " SET aaaID = ? WHERE rowid = ?")),
      m_insert(prepare("INSERT INTO " + quotedTable +
                       " VALUES (?, ?, 'default.d', '', 1, 0, 'bench', '', '', 'C:\\Methods\\', 0, 0, '')")),
      m_delete(prepare("DELETE FROM " + quotedTable + " WHERE rowid = ?")),
      m_check(prepare("UPDATE " + quotedTable + " SET \"Run State\" = ? WHERE rowid = ?")),
      m_clean(prepare("UPDATE " + quotedTable +
                      " SET \"Run State\" = ?, StartTime = 0, EndTime = 0, ErrMessage = '' WHERE rowid = ?"))
{
}

PlainRows::~PlainRows()
{
    for (sqlite3_stmt* statement : {m_read, m_name, m_number, m_insert, m_delete, m_check, m_clean})
        sqlite3_finalize(statement);
}

sqlite3_stmt* PlainRows::prepare(const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    return statement;
}

void PlainRows::write(sqlite3_stmt* statement, std::initializer_list<std::int64_t> numbers)
{
    int parameter = sqlite3_bind_parameter_count(statement) - static_cast<int>(numbers.size());
    for (std::int64_t number : numbers)
        sqlite3_bind_int64(statement, ++parameter, number);
    sqlite3_step(statement);
    sqlite3_reset(statement);
}

void PlainRows::begin()
{
    if (m_oneTransaction)
        sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
}

void PlainRows::commit()
{
    if (m_oneTransaction)
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
}

std::vector<PlainRows::Row> PlainRows::readRows()
{
    std::vector<Row> rows;
    while (sqlite3_step(m_read) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(m_read, 0), sqlite3_column_int(m_read, 1), sqlite3_column_int(m_read, 2)});
    sqlite3_reset(m_read);
    return rows;
}

void PlainRows::nameRows(const std::string& prefix, int counter)
{
    sqlite3_bind_text(m_name, 2, prefix.c_str(), static_cast<int>(prefix.size()), SQLITE_STATIC);
    for (const Row& row : readRows()) {
        char dataFile[300];
        const int length = std::snprintf(dataFile, sizeof dataFile, "%s%010d.d", prefix.c_str(), counter + row.id);
        sqlite3_bind_text(m_name, 1, dataFile, length, SQLITE_STATIC);
        write(m_name, {counter, row.rowid});
    }
}

void PlainRows::insertMethods(const std::vector<std::string>& names, int place, const std::string& group)
{
    begin();
    const auto added = static_cast<std::int64_t>(names.size());
    for (const Row& row : readRows())
        if (row.id >= place)
            write(m_number, {row.id + added, row.rowid});
    for (const std::string& name : names) {
        sqlite3_bind_int(m_insert, 1, place++);
        sqlite3_bind_text(m_insert, 2, name.c_str(), static_cast<int>(name.size()), SQLITE_STATIC);
        write(m_insert, {});
    }
    nameRows(group, 0);
    commit();
}

void PlainRows::deleteSelected(const std::set<int>& selected, const std::string& group)
{
    begin();
    for (const Row& row : readRows())
        if (selected.contains(row.id))
            write(m_delete, {row.rowid});
    int number = 0;
    for (const Row& row : readRows())
        write(m_number, {number++, row.rowid});
    nameRows(group, 0);
    commit();
}

void PlainRows::autoName(const std::string& prefix, int counter)
{
    begin();
    nameRows(prefix, counter);
    commit();
}

void PlainRows::setAllRunStates(bool check)
{
    begin();
    for (const Row& row : readRows())
        write(m_check, {check ? 1 : 5, row.rowid});
    commit();
}

void PlainRows::cleanRunState()
{
    begin();
    for (const Row& row : readRows())
        write(m_clean, {row.state == 5 ? 5 : 1, row.rowid});
    commit();
}
