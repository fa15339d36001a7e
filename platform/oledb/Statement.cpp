// Prepared statements of the provider.
#include "Statement.h"

#include "kernel/Text.h"

#include <sqlite3.h>
#include <utility>

namespace provider {

Statement::~Statement() { sqlite3_finalize(m_statement); }

Statement::Statement(Statement&& other) noexcept : m_statement(std::exchange(other.m_statement, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

int Statement::prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    return sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                              &m_statement, nullptr);
}

void Statement::bind(int index, std::int64_t value) { sqlite3_bind_int64(m_statement, index, value); }

void Statement::bind(int index, std::wstring_view text)
{
    const std::string utf8 = WideToUtf8(text);
    sqlite3_bind_text(m_statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bindNull(int index) { sqlite3_bind_null(m_statement, index); }

int Statement::step() { return sqlite3_step(m_statement); }

void Statement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int Statement::columnCount() const { return sqlite3_column_count(m_statement); }

std::int64_t Statement::columnInt(int index) const { return sqlite3_column_int64(m_statement, index); }

std::wstring Statement::columnText(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
    if (!text)
        return {};
    return Utf8ToWide(std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(m_statement, index))));
}

bool Statement::columnIsNull(int index) const { return sqlite3_column_type(m_statement, index) == SQLITE_NULL; }

std::string Statement::columnTable(int index) const
{
    const char* name = sqlite3_column_table_name(m_statement, index);
    return name ? name : "";
}

std::string Statement::columnOrigin(int index) const
{
    const char* name = sqlite3_column_origin_name(m_statement, index);
    return name ? name : "";
}

std::wstring Statement::columnName(int index) const
{
    const char* name = sqlite3_column_name(m_statement, index);
    return name ? Utf8ToWide(name) : std::wstring();
}

} // namespace provider
