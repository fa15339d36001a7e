// The method table's edits on the server done by a plain libpq program: the rows read in "aaaID"
// order, then written by one multi-row statement, the whole edit in one transaction; the server's
// floor beside the module's edits.
#pragma once

#include <string>
#include <vector>

struct pg_conn;

class PlainPgRows {
public:
    // connection: the worklist's database; table: the method table as the server names it.
    PlainPgRows(const std::wstring& connection, const std::string& table);
    ~PlainPgRows();
    PlainPgRows(const PlainPgRows&) = delete;
    PlainPgRows& operator=(const PlainPgRows&) = delete;

    // Fills an empty group with count rows, each named as the module names it.
    void insertRows(int count, const std::string& group);
    void autoName(const std::string& prefix, int counter);
    void setAllRunStates(bool check);
    void deleteFirst(const std::string& group);

private:
    struct Row {
        std::string rowid;
        int id;
    };

    std::vector<Row> readRows();
    // Sets columns (a SET list over v.*) on the rows of values, a VALUES list whose first column
    // is the row id: one statement for all rows.
    void update(const std::string& columns, const std::string& valueNames, const std::string& values);
    void exec(const std::string& sql);

    pg_conn* m_pg;
    std::string m_table;
};
