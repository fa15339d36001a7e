// The method table's multi-row edits done with plain sqlite3 statements, row by row as the module
// does them: read the rows in "aaaID" order, then write each row on its own. Every write commits
// by itself, or the whole edit is one transaction: the two fair baselines of the layer.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class PlainRows {
public:
    PlainRows(sqlite3* db, const std::string& quotedTable, bool oneTransaction);
    ~PlainRows();
    PlainRows(const PlainRows&) = delete;
    PlainRows& operator=(const PlainRows&) = delete;

    void insertMethods(const std::vector<std::string>& names, int place, const std::string& group);
    void deleteSelected(const std::set<int>& selected, const std::string& group);
    void autoName(const std::string& prefix, int counter);
    void setAllRunStates(bool check);
    void cleanRunState();

private:
    struct Row {
        std::int64_t rowid;
        int id;
        int state;
    };

    std::vector<Row> readRows();
    void nameRows(const std::string& prefix, int counter);
    void begin();
    void commit();
    sqlite3_stmt* prepare(const std::string& sql);
    // Binds the numbers as the statement's last parameters, steps and resets.
    static void write(sqlite3_stmt* statement, std::initializer_list<std::int64_t> numbers);

    sqlite3* m_db;
    bool m_oneTransaction;
    sqlite3_stmt* m_read;
    sqlite3_stmt* m_name;
    sqlite3_stmt* m_number;
    sqlite3_stmt* m_insert;
    sqlite3_stmt* m_delete;
    sqlite3_stmt* m_check;
    sqlite3_stmt* m_clean;
};
