// One prepared statement of the provider, finalized with its object; always reset after use so
// that it never holds the file between calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace provider {

class Statement {
public:
    Statement() = default;
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The engine's result code; the statement is empty when it fails.
    int prepare(sqlite3* db, const std::string& sql);
    bool empty() const { return m_statement == nullptr; }

    void bind(int index, std::int64_t value);
    // The text is kept by the statement until its next reset, so the engine need not copy it.
    void bind(int index, std::wstring_view text);
    void bindNull(int index);
    // The engine's result code: SQLITE_ROW, SQLITE_DONE or an error.
    int step();
    // Ends the current use: the statement keeps its text and forgets its values and position.
    void reset();

    int columnCount() const;
    std::int64_t columnInt(int index) const;
    // The text of a result column written into field with its terminating zero, cut to fit.
    void columnText(int index, wchar_t* field, std::size_t capacity) const;
    bool columnIsNull(int index) const;
    // The table and column a result column comes from; empty for an expression.
    std::string columnTable(int index) const;
    std::string columnOrigin(int index) const;
    std::wstring columnName(int index) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    // One UTF-8 buffer per parameter, sized when prepared and reused by every bind.
    std::vector<std::string> m_texts;
};

} // namespace provider
