// Writing the web monitor's pages: plain HTML around the dashboard's script and style.
#include "MonitorPage.h"

#include <cctype>
#include <cstdio>

namespace {

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

// A text as one segment of a link's path or a query's value.
std::string percentEncoded(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", c);
            out += code;
        }
    }
    return out;
}

// JSON inside a script element: "</" would end the element.
std::string scriptData(const std::string& json)
{
    std::string out;
    for (std::size_t i = 0; i < json.size(); ++i) {
        out += json[i];
        if (json[i] == '<' && i + 1 < json.size() && json[i + 1] == '/')
            out += "\\";
    }
    return out;
}

} // namespace

std::string MonitorPage::document(const std::string& title, const std::string& body, const std::string& token, bool lab,
                                  const std::string& head)
{
    const std::string query = "?token=" + percentEncoded(token);
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
           "content=\"width=device-width\">" + head + "<title>" +
           escaped(title) + "</title><link rel=\"stylesheet\" href=\"/monitor.css" + query +
           "\"></head><body>\n<nav><a href=\"/" + query + "\">Run</a><a href=\"/groups" + query + "\">Groups</a>" +
           (lab ? "<a href=\"/lab" + query + "\">Lab</a>" : "") + "</nav>\n<main>\n<h1>" + escaped(title) + "</h1>\n" +
           body + "</main></body></html>\n";
}

std::string MonitorPage::run(const MonitorSnapshot& snapshot, const std::string& statusJson, const std::string& token,
                             bool lab)
{
    std::string top = "<section id=\"banner\" class=\"card\"></section>\n";
    if (const long row = snapshot.runningRow())
        top += "<script src=\"/api/signal?script=1&group=" + percentEncoded(snapshot.group) + "&row=" + std::to_string(row) +
               "&token=" + percentEncoded(token) + "\"></script>\n";
    return dashboard("Serion monitor: " + snapshot.instrument, top, statusJson, token, lab);
}

std::string MonitorPage::group(const std::string& name, const std::string& groupJson, const std::string& token, bool lab)
{
    return dashboard("Group " + name, "", groupJson, token, lab);
}

std::string MonitorPage::dashboard(const std::string& title, const std::string& top, const std::string& json,
                                   const std::string& token, bool lab)
{
    std::string body = top;
    body += "<section class=\"card\"><h2>Rows</h2><table id=\"rows\"></table></section>\n"
            "<section class=\"card\"><h2>Timeline</h2><div class=\"legend\" id=\"legend\"></div>"
            "<svg id=\"timeline\" xmlns=\"http://www.w3.org/2000/svg\"></svg></section>\n"
            "<section class=\"card\" id=\"trace-section\" hidden><h2 id=\"trace-title\">Signal</h2>"
            "<svg id=\"trace\" xmlns=\"http://www.w3.org/2000/svg\"></svg><table id=\"peaks\"></table></section>\n"
            "<p class=\"muted\" id=\"as-of\"></p>\n";
    body += "<script id=\"initial\" type=\"application/json\">" + scriptData(json) + "</script>\n<script src=\"/monitor.js?token=" +
            percentEncoded(token) + "\"></script>\n";
    return document(title, body, token, lab);
}

std::string MonitorPage::groups(const std::vector<std::string>& names, const std::string& token, bool lab)
{
    std::string list = "<section class=\"card\"><ul id=\"groups\">\n";
    for (const std::string& name : names)
        list += "<li><a href=\"/groups/" + percentEncoded(name) + "?token=" + percentEncoded(token) + "\">" + escaped(name) +
                "</a></li>\n";
    return document("Groups", list + "</ul></section>\n", token, lab);
}

std::string MonitorPage::lab(const nlohmann::json& lab, const std::string& token)
{
    // The times as UTC, readable without a script.
    const auto shown = [](const nlohmann::json& time) {
        std::string text = time.get<std::string>();
        return text.empty() ? text : text.replace(text.find('T'), 1, " ").replace(text.size() - 1, 1, " UTC");
    };
    std::string table = "<section class=\"card\"><table id=\"instruments\">\n<tr><th>Instrument</th><th>State</th>"
                        "<th>Group</th><th>Progress</th><th>Last run</th></tr>\n";
    for (const nlohmann::json& instrument : lab["instruments"]) {
        const std::string state = instrument["state"];
        std::string progress;
        if (instrument.contains("progress")) {
            const nlohmann::json& p = instrument["progress"];
            const long ended = p["ended"], rows = p["rows"], failed = p["failed"];
            progress = (p["runningRow"] != 0 ? "row " + std::to_string(ended + 1) + " of " : std::to_string(ended) + " of ") +
                       std::to_string(rows) + (p["runningRow"] != 0 ? "" : " ended") +
                       (failed ? ", <b class=\"failed\">" + std::to_string(failed) + " failed</b>" : "");
        }
        std::string last;
        if (const nlohmann::json& run = instrument["lastRun"]; !run.is_null())
            last = escaped(run["event"].get<std::string>() + ": " + run["group"].get<std::string>()) + ", " + shown(run["time"]);
        const std::string group = instrument["group"];
        table += "<tr class=\"" + state + "\"><td>" + escaped(instrument["instrument"].get<std::string>()) + "</td><td><span class=\"pill " + state +
                 "\">" + state + "</span></td><td>" +
                 (group.empty() ? "" : "<a href=\"/groups/" + percentEncoded(group) + "?token=" + percentEncoded(token) + "\">" +
                                           escaped(group) + "</a>") +
                 "</td><td>" + progress + "</td><td>" + last + "</td></tr>\n";
    }
    table += "</table></section>\n<p class=\"muted\">As the lab's server holds it at " + shown(lab["time"]) +
             "; the page reloads every 10 s.</p>\n";
    return document("Lab", table, token, true, "<meta http-equiv=\"refresh\" content=\"10\">");
}
