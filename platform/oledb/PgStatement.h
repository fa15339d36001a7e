// One statement on the PostgreSQL server: its text and bound values are sent when it is first
// stepped or asked for its columns, and the whole answer is kept until the next reset, one row a
// step.
#pragma once

#include "Statement.h"

#include <optional>
#include <string>
#include <vector>

struct pg_result;

namespace provider {

class PgDatabase;

class PgStatement : public Statement {
public:
    // sql is in the server's dialect, with parameters $1..$parameters; gathered, where given, writes
    // many rows at once with an array of their values for each parameter.
    PgStatement(PgDatabase& database, std::string sql, int parameters, std::string gathered = {});
    ~PgStatement() override;
    PgStatement(const PgStatement&) = delete;
    PgStatement& operator=(const PgStatement&) = delete;

    void bind(int index, std::int64_t value) override;
    void bind(int index, std::wstring_view text) override;
    void bindNull(int index) override;
    int step() override;
    int write() override;
    void reset() override;

    int columnCount() override;
    std::int64_t columnInt(int index) const override;
    std::size_t columnText(int index, wchar_t* field, std::size_t capacity) const override;
    bool columnIsNull(int index) const override;
    std::string columnTable(int index) override;
    std::string columnOrigin(int index) override;
    std::wstring columnName(int index) override;

private:
    // Sends the statement unless its answer is here; the engine's code of the failure otherwise.
    int run();
    std::vector<const char*> values() const;
    const char* value(int index) const;

    PgDatabase& m_database;
    std::string m_sql;
    std::string m_gathered;
    std::vector<std::optional<std::string>> m_values;
    pg_result* m_result = nullptr;
    // The engine's code of the failure of the statement's run since its last reset; 0 for none.
    int m_failure = 0;
    int m_row = -1;
};

} // namespace provider
