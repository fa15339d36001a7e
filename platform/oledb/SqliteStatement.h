// One prepared statement of the SQLite engine, finalized with its object; always reset after use
// so that it never holds the file between calls.
#pragma once

#include "Statement.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace provider {

class SqliteStatement : public Statement {
public:
    SqliteStatement() = default;
    ~SqliteStatement() override;
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // The engine's result code; the statement is empty when it fails.
    int prepare(sqlite3* db, const std::string& sql);
    bool empty() const { return m_statement == nullptr; }

    void bind(int index, std::int64_t value) override;
    void bind(int index, std::wstring_view text) override;
    void bindNull(int index) override;
    // The engine's result code: SQLITE_ROW, SQLITE_DONE or an error.
    int step() override;
    void reset() override;

    int columnCount() override;
    std::int64_t columnInt(int index) const override;
    void columnText(int index, wchar_t* field, std::size_t capacity) const override;
    bool columnIsNull(int index) const override;
    std::string columnTable(int index) override;
    std::string columnOrigin(int index) override;
    std::wstring columnName(int index) override;

private:
    sqlite3_stmt* m_statement = nullptr;
    // One UTF-8 buffer per parameter, sized when prepared and reused by every bind.
    std::vector<std::string> m_texts;
};

} // namespace provider
