// The web monitor's HTML: the dashboard, which the script draws from the JSON embedded in it, the
// list of groups and, on a lab's server, its instruments. Pages link to each other with the token;
// on a server each links to the lab's page too.
#pragma once

#include "MonitorSnapshot.h"

#include <string>
#include <vector>

class MonitorPage {
public:
    // The dashboard of the run, from the status JSON, with the instrument's banner; its script
    // draws it at once from the embedded JSON and follows the run's events.
    // The running row's signal comes with the page, so that the page is whole when it has loaded.
    static std::string run(const MonitorSnapshot& snapshot, const std::string& statusJson, const std::string& token,
                           bool lab);
    // The dashboard of one group, from {"group", "rows"}.
    static std::string group(const std::string& name, const std::string& groupJson, const std::string& token, bool lab);
    static std::string groups(const std::vector<std::string>& names, const std::string& token, bool lab);
    // The lab's instruments, from {"instruments"}, each with its state, group and progress; the
    // page reloads itself every 10 s.
    static std::string lab(const nlohmann::json& lab, const std::string& token);

private:
    static std::string dashboard(const std::string& title, const std::string& top, const std::string& json,
                                 const std::string& token, bool lab);
    static std::string document(const std::string& title, const std::string& body, const std::string& token, bool lab,
                                const std::string& head = "");
};
