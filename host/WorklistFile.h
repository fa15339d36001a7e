// A worklist file read as it lies on the disk, without the module: its tables, their columns and
// rows as texts. For the copy onto a server, the check of its audit trail and the web monitor.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

// One table of the worklist file: its name, its columns' declarations and names.
struct FileTable {
    std::string name;
    std::string declarations;
    std::vector<std::string> columns;
};

class WorklistFile {
public:
    using Rows = std::vector<std::vector<std::optional<std::string>>>;

    // Opened for reading only; a file that is not there is an error, as with the provider.
    explicit WorklistFile(const std::filesystem::path& file);
    ~WorklistFile();
    WorklistFile(const WorklistFile&) = delete;
    WorklistFile& operator=(const WorklistFile&) = delete;

    const std::string& error() const { return m_error; }

    std::vector<FileTable> tables();
    // The rows of a table in their order, row handle first, each value as text or none.
    Rows rows(const FileTable& table);
    // What the query reads, each value as text or none; none when the file cannot be read.
    std::optional<Rows> select(const std::string& sql);

private:

    sqlite3* m_db = nullptr;
    std::string m_error;
};
