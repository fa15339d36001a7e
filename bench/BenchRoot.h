// One root with the delivered database for a whole benchmark run, with two plain connections to
// the file, both with the provider's own settings: one for the plain side's edits and one that
// sets the file up between them, as the layer's own connection sees it set up by another.
#pragma once

#include <filesystem>
#include <string>

struct sqlite3;

class BenchRoot {
public:
    BenchRoot();
    ~BenchRoot();
    BenchRoot(const BenchRoot&) = delete;
    BenchRoot& operator=(const BenchRoot&) = delete;

    // The connection of the plain side's edits.
    sqlite3* db() const { return m_db; }
    // Runs sql on the other connection, the one that sets the file up.
    void exec(const std::string& sql);
    // The bench group afresh with rows rows, named as AutoName names them.
    void makeGroup(long rows);

private:
    std::filesystem::path m_path;
    sqlite3* m_db = nullptr;
    sqlite3* m_setup = nullptr;
};

// The root of this run, made on first use.
BenchRoot& Root();

inline const std::wstring benchGroup = L"Bench Group";
inline const std::string quotedBenchGroup = "\"Bench Group\"";
