// The web monitor's HTML: the run page with its live part, the list of groups and a group's rows,
// each row table with its timeline. Pages link to each other with the token the client gave.
#pragma once

#include "MonitorRow.h"
#include "MonitorSnapshot.h"

#include <cstdint>
#include <string>
#include <vector>

class MonitorPage {
public:
    // The page at "/": the run part and the script that replaces it at each server-sent event.
    static std::string run(const MonitorSnapshot& snapshot, const std::string& token);
    // What each event replaces: the instrument's status, the progress, the rows and their timeline.
    static std::string runPart(const MonitorSnapshot& snapshot);
    static std::string groups(const std::vector<std::string>& names, const std::string& token);
    // A running row's bar reaches now.
    static std::string group(const std::string& name, const std::vector<MonitorRow>& rows, std::int64_t now,
                             const std::string& token);

private:
    static std::string document(const std::string& title, const std::string& body, const std::string& token);
    static std::string rowTable(const std::vector<MonitorRow>& rows);
    static std::string timeline(const std::vector<MonitorRow>& rows, std::int64_t now);
};
