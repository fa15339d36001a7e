// Statements on the PostgreSQL server, sent with their values as text.
#include "PgStatement.h"

#include "PgDatabase.h"

#include "kernel/Text.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>

namespace provider {

PgStatement::PgStatement(PgDatabase& database, std::string sql, int parameters, std::string gathered)
    : m_database(database), m_sql(std::move(sql)), m_gathered(std::move(gathered)),
      m_values(static_cast<std::size_t>(parameters))
{
}

PgStatement::~PgStatement() { PQclear(m_result); }

void PgStatement::bind(int index, std::int64_t value) { m_values.at(static_cast<std::size_t>(index - 1)) = std::to_string(value); }

void PgStatement::bind(int index, std::wstring_view text)
{
    m_values.at(static_cast<std::size_t>(index - 1)) = WideToUtf8(text);
}

void PgStatement::bindNull(int index) { m_values.at(static_cast<std::size_t>(index - 1)).reset(); }

std::vector<const char*> PgStatement::values() const
{
    std::vector<const char*> values;
    for (const auto& value : m_values)
        values.push_back(value ? value->c_str() : nullptr);
    return values;
}

int PgStatement::run()
{
    if (m_result)
        return Done;
    // A failed statement is not sent again: within a transaction the server would answer only that
    // the transaction failed.
    if (m_failure == 0)
        m_failure = m_database.Run(m_sql, values(), &m_result);
    m_row = -1;
    return m_result ? Done : m_failure;
}

int PgStatement::step()
{
    const int code = run();
    if (code != Done)
        return code;
    ++m_row;
    return m_row < PQntuples(m_result) ? Row : Done;
}

int PgStatement::write() { return m_database.SendAhead(m_sql, values(), m_gathered); }

void PgStatement::reset()
{
    PQclear(m_result);
    m_result = nullptr;
    m_failure = 0;
    m_row = -1;
    for (auto& value : m_values)
        value.reset();
}

int PgStatement::columnCount() { return run() == Done ? PQnfields(m_result) : 0; }

const char* PgStatement::value(int index) const { return PQgetvalue(m_result, m_row, index); }

std::int64_t PgStatement::columnInt(int index) const { return std::strtoll(value(index), nullptr, 10); }

std::size_t PgStatement::columnText(int index, wchar_t* field, std::size_t capacity) const
{
    const std::wstring text = Utf8ToWide(value(index));
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.data(), length, field);
    field[length] = 0;
    return length;
}

bool PgStatement::columnIsNull(int index) const { return PQgetisnull(m_result, m_row, index) != 0; }

std::string PgStatement::columnTable(int index)
{
    const Oid table = run() == Done ? PQftable(m_result, index) : InvalidOid;
    return table == InvalidOid ? std::string() : m_database.TableName(table);
}

// The statements select plain columns, so a column's name in the answer is its name in the table.
std::string PgStatement::columnOrigin(int index)
{
    if (run() != Done || PQftable(m_result, index) == InvalidOid)
        return {};
    return PQfname(m_result, index);
}

std::wstring PgStatement::columnName(int index) { return run() == Done ? Utf8ToWide(PQfname(m_result, index)) : L""; }

} // namespace provider
