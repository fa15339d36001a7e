// Plain libpq edits for the server benchmarks' floor.
#include "PlainPgRows.h"

#include "kernel/Text.h"

#include <libpq-fe.h>

#include <cstdio>
#include <stdexcept>

namespace {

std::string dataFile(const std::string& prefix, int number)
{
    char name[300];
    std::snprintf(name, sizeof name, "'%s%010d.d'", prefix.c_str(), number);
    return name;
}

} // namespace

PlainPgRows::PlainPgRows(const std::wstring& connection, const std::string& table)
    : m_pg(PQconnectdb(WideToUtf8(connection).c_str())), m_table(table)
{
    if (PQstatus(m_pg) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(m_pg));
}

PlainPgRows::~PlainPgRows() { PQfinish(m_pg); }

void PlainPgRows::exec(const std::string& sql)
{
    PGresult* result = PQexec(m_pg, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const std::string failure = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK ? "" : PQresultErrorMessage(result);
    PQclear(result);
    if (!failure.empty())
        throw std::runtime_error(failure);
}

std::vector<PlainPgRows::Row> PlainPgRows::readRows()
{
    PGresult* result = PQexec(m_pg, ("SELECT rowid, aaaid FROM " + m_table + " ORDER BY aaaid").c_str());
    std::vector<Row> rows;
    for (int i = 0; i < PQntuples(result); ++i)
        rows.push_back({PQgetvalue(result, i, 0), std::atoi(PQgetvalue(result, i, 1))});
    PQclear(result);
    return rows;
}

void PlainPgRows::update(const std::string& columns, const std::string& valueNames, const std::string& values)
{
    exec("UPDATE " + m_table + " AS t SET " + columns + " FROM (VALUES " + values + ") AS v(" + valueNames +
         ") WHERE t.rowid = v.r");
}

void PlainPgRows::insertRows(int count, const std::string& group)
{
    std::string values;
    for (int id = 0; id < count; ++id)
        values += (id ? ",(" : "(") + std::to_string(id) + ", 'Nitrate', " + dataFile(group, id) +
                  ", '', 1, 0, 'bench', '" + group + "', '', 'C:\\Methods\\', 0, 0, '')";
    exec("BEGIN");
    exec("INSERT INTO " + m_table + " (aaaid, \"method name\", \"data file\", comments, \"run state\", counter, "
         "operator, prefix, \"sub-folder\", sysmethpath, starttime, endtime, errmessage) VALUES " + values);
    exec("COMMIT");
}

void PlainPgRows::autoName(const std::string& prefix, int counter)
{
    exec("BEGIN");
    std::string values;
    for (const Row& row : readRows())
        values += (values.empty() ? "(" : ",(") + row.rowid + "::bigint, " + dataFile(prefix, counter + row.id) + ")";
    update("\"data file\" = v.f, \"sub-folder\" = '', prefix = '" + prefix + "', counter = " + std::to_string(counter),
           "r, f", values);
    exec("COMMIT");
}

void PlainPgRows::setAllRunStates(bool check)
{
    exec("BEGIN");
    std::string values;
    for (const Row& row : readRows())
        values += (values.empty() ? "(" : ",(") + row.rowid + "::bigint)";
    update("\"run state\" = " + std::string(check ? "1" : "5"), "r", values);
    exec("COMMIT");
}

void PlainPgRows::deleteFirst(const std::string& group)
{
    exec("BEGIN");
    const std::vector<Row> rows = readRows();
    exec("DELETE FROM " + m_table + " WHERE rowid = " + rows.front().rowid);
    std::string values;
    for (std::size_t i = 1; i < rows.size(); ++i)
        values += (values.empty() ? "(" : ",(") + rows[i].rowid + "::bigint, " + std::to_string(i - 1) + ", " +
                  dataFile(group, static_cast<int>(i - 1)) + ")";
    update("aaaid = v.id, \"data file\" = v.f", "r, id, f", values);
    exec("COMMIT");
}
