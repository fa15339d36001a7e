// The web monitor's own read-only connection to the worklist file: the groups and a group's rows.
// Each thread that reads opens its own, so that no reader shares the module's sessions or waits
// for another reader.
#pragma once

#include "MonitorRow.h"
#include "WorklistFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class MonitorWorklist {
public:
    explicit MonitorWorklist(const std::filesystem::path& file) : m_file(file) {}

    // The group names in the order of the group table; none when the file cannot be read.
    std::optional<std::vector<std::string>> groups();
    // The group's rows in row order; none for a group the table does not name or that cannot be read.
    std::optional<std::vector<MonitorRow>> rows(const std::string& group);

private:
    WorklistFile m_file;
};
