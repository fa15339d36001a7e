// One prepared statement of the SQLite engine, finalized with its object; always reset after use
// so that it never holds the file between calls.
#pragma once

#include "Statement.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace provider {

// Statements a connection is done with, kept prepared by their text for its next use of the same.
using IdleStatements = std::unordered_multimap<std::string, sqlite3_stmt*>;

class SqliteStatement : public Statement {
public:
    SqliteStatement() = default;
    ~SqliteStatement() override;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // The engine's result code; the statement is empty when it fails. With idle statements, one
    // of the same text is taken from them when there is one, and given back when this one is done.
    int prepare(sqlite3* db, const std::string& sql, const std::shared_ptr<IdleStatements>& idle = nullptr);
    bool empty() const { return m_statement == nullptr; }

    void bind(int index, std::int64_t value) override;
    void bind(int index, std::wstring_view text) override;
    void bindNull(int index) override;
    // The engine's result code: SQLITE_ROW, SQLITE_DONE or an error.
    int step() override;
    void reset() override;

    int columnCount() override;
    std::int64_t columnInt(int index) const override;
    std::size_t columnText(int index, wchar_t* field, std::size_t capacity) const override;
    bool columnIsNull(int index) const override;
    std::string columnTable(int index) override;
    std::string columnOrigin(int index) override;
    std::wstring columnName(int index) override;

private:
    // Finalizes the statement, or keeps it among the idle ones while their connection is open.
    void release();

    sqlite3_stmt* m_statement = nullptr;
    std::weak_ptr<IdleStatements> m_idle;
    std::string m_sql;
    // One UTF-8 buffer per parameter, sized when prepared and reused by every bind.
    std::vector<std::string> m_texts;
};

} // namespace provider
