// The web monitor's own read-only connection to the worklist, in its file or on a lab's server:
// the groups, a group's rows, and on a server every instrument that uses it. Each thread that
// reads opens its own, so that no reader shares the module's sessions or waits for another reader.
#pragma once

#include "MonitorRow.h"
#include "WorklistFile.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace provider {
class PgDatabase;
}

class MonitorWorklist {
public:
    // The worklist file, or with a server connection (_SERIONDB$) the lab's server.
    struct Place {
        std::filesystem::path file;
        std::wstring server;
    };

    explicit MonitorWorklist(const Place& place);
    ~MonitorWorklist();
    MonitorWorklist(const MonitorWorklist&) = delete;
    MonitorWorklist& operator=(const MonitorWorklist&) = delete;

    // The group names in the order of the group table; none when the worklist cannot be read.
    std::optional<std::vector<std::string>> groups();
    // The group's rows in row order; none for a group the table does not name or that cannot be
    // read. A row left running is interrupted unless its run goes on: on a server, while some
    // host holds the group's claim; in a file, which tells no claims, when runningHere says so.
    std::optional<std::vector<MonitorRow>> rows(const std::string& group, bool runningHere);
    // The first group with a row left running whose run goes on nowhere: on a server, a group no
    // host claims; in a file, any, as the host that asks runs nothing yet.
    std::optional<std::string> interruptedGroup();
    // On a server, each instrument that has a host connected to it or a run record in its audit
    // trail, by name: "running" its claimed group (with the group's progress), "idle" or "away"
    // (no host of that name connected), with its last run record. None for a file.
    std::optional<nlohmann::json> lab();

private:
    struct Group {
        long id;
        std::string name;
    };
    bool onServer() const { return !m_connection.empty(); }
    // The server's connection, opened when first needed; none for a file or when it cannot be reached.
    provider::PgDatabase* server();
    std::optional<std::vector<Group>> groupTable();
    std::optional<WorklistFile::Rows> select(const std::string& sql);
    // The rows as the worklist holds them.
    std::optional<std::vector<MonitorRow>> storedRows(const std::string& group);
    // The groups' claims by group id, with the instrument that holds each; none on a file.
    std::map<long, std::string> claims();

    std::unique_ptr<WorklistFile> m_file;
    std::wstring m_connection;
    // Opened at the first question, so that a server that could not be reached is tried again.
    std::shared_ptr<provider::PgDatabase> m_server;
};
