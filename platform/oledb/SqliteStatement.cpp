// Prepared statements of the SQLite engine.
#include "SqliteStatement.h"

#include "kernel/Text.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace provider {

namespace {

// Enough for every statement a session repeats (a row's reads and writes, a transaction's begin and
// end, the audit trail's), few enough that texts made once do not pile up.
constexpr std::size_t kIdleKept = 64;

sqlite3_stmt* takeIdle(IdleStatements* idle, const std::string& sql)
{
    if (!idle)
        return nullptr;
    const auto kept = idle->find(sql);
    if (kept == idle->end())
        return nullptr;
    sqlite3_stmt* statement = kept->second;
    idle->erase(kept);
    return statement;
}

} // namespace

SqliteStatement::~SqliteStatement() { release(); }

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr)), m_idle(std::move(other.m_idle)),
      m_sql(std::move(other.m_sql)), m_texts(std::move(other.m_texts))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        release();
        m_statement = std::exchange(other.m_statement, nullptr);
        m_idle = std::move(other.m_idle);
        m_sql = std::move(other.m_sql);
        m_texts = std::move(other.m_texts);
    }
    return *this;
}

void SqliteStatement::release()
{
    const std::shared_ptr<IdleStatements> idle = m_idle.lock();
    if (m_statement && idle && idle->size() < kIdleKept) {
        reset();
        idle->emplace(std::move(m_sql), m_statement);
    } else {
        sqlite3_finalize(m_statement);
    }
    m_statement = nullptr;
    m_idle.reset();
}

int SqliteStatement::prepare(sqlite3* db, const std::string& sql, const std::shared_ptr<IdleStatements>& idle)
{
    release();
    m_idle = idle;
    m_sql = sql;
    m_statement = takeIdle(idle.get(), sql);
    const int code = m_statement ? SQLITE_OK
                                 : sqlite3_prepare_v3(db, sql.c_str(), static_cast<int>(sql.size()),
                                                      SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    // Sized once: a bound text must not move while the others are bound.
    m_texts.assign(static_cast<std::size_t>(sqlite3_bind_parameter_count(m_statement)), std::string());
    return code;
}

void SqliteStatement::bind(int index, std::int64_t value) { sqlite3_bind_int64(m_statement, index, value); }

void SqliteStatement::bind(int index, std::wstring_view text)
{
    std::string& utf8 = m_texts.at(static_cast<std::size_t>(index - 1));
    // Worklist texts are nearly always plain ASCII, copied as they are; others are converted.
    utf8.clear();
    for (wchar_t c : text) {
        if (c >= 0x80) {
            utf8 = WideToUtf8(text);
            break;
        }
        utf8 += static_cast<char>(c);
    }
    sqlite3_bind_text(m_statement, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_STATIC);
}

void SqliteStatement::bindNull(int index) { sqlite3_bind_null(m_statement, index); }

int SqliteStatement::step() { return sqlite3_step(m_statement); }

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::columnCount() { return sqlite3_column_count(m_statement); }

std::int64_t SqliteStatement::columnInt(int index) const { return sqlite3_column_int64(m_statement, index); }

std::size_t SqliteStatement::columnText(int index, wchar_t* field, std::size_t capacity) const
{
    const unsigned char* text = sqlite3_column_text(m_statement, index);
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(m_statement, index));
    std::size_t length = 0;
    // Plain ASCII goes straight into the field; a text with any other character is converted.
    while (length < bytes && length + 1 < capacity && text[length] < 0x80) {
        field[length] = text[length];
        ++length;
    }
    if (length < bytes && text[length] >= 0x80) {
        const std::wstring wide = Utf8ToWide(std::string_view(reinterpret_cast<const char*>(text), bytes));
        length = std::min(wide.size(), capacity - 1);
        std::copy_n(wide.data(), length, field);
    }
    field[length] = 0;
    return length;
}

bool SqliteStatement::columnIsNull(int index) const { return sqlite3_column_type(m_statement, index) == SQLITE_NULL; }

std::string SqliteStatement::columnTable(int index)
{
    const char* name = sqlite3_column_table_name(m_statement, index);
    return name ? name : "";
}

std::string SqliteStatement::columnOrigin(int index)
{
    const char* name = sqlite3_column_origin_name(m_statement, index);
    return name ? name : "";
}

std::wstring SqliteStatement::columnName(int index)
{
    const char* name = sqlite3_column_name(m_statement, index);
    return name ? Utf8ToWide(name) : std::wstring();
}

} // namespace provider
