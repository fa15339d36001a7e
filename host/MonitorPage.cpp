// Writing the web monitor's pages: plain HTML with an SVG timeline and a few lines of script.
#include "MonitorPage.h"

#include "RunEventRecord.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr int kTimelineWidth = 720;
constexpr int kLabelWidth = 160;
constexpr int kBarHeight = 18;
constexpr int kBarGap = 6;

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

// A group name as one segment of a link's path.
std::string pathSegment(const std::string& text)
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

std::string cell(const std::string& text) { return "<td>" + escaped(text) + "</td>"; }

const char* const kStyle = R"(
body { font-family: sans-serif; margin: 1.5em; color: #222; }
nav a { margin-right: 1em; }
table { border-collapse: collapse; margin: 1em 0; }
th, td { border-bottom: 1px solid #ddd; padding: 0.3em 0.8em; text-align: left; }
td.state { font-weight: bold; }
tr.done td.state { color: #2e7d32; } tr.failed td.state { color: #c62828; }
tr.running td.state { color: #1565c0; } tr.interrupted td.state { color: #ef6c00; }
rect.done { fill: #2e7d32; } rect.failed { fill: #c62828; } rect.running { fill: #1565c0; }
rect.interrupted { fill: #ef6c00; } rect.waiting, rect.not-checked { fill: #9e9e9e; }
)";

std::string cssClass(const std::string& state)
{
    std::string name = state;
    std::replace(name.begin(), name.end(), ' ', '-');
    return name;
}

} // namespace

std::string MonitorPage::document(const std::string& title, const std::string& body, const std::string& token)
{
    const std::string query = "?token=" + token;
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + escaped(title) + "</title><style>" +
           kStyle + "</style></head><body>\n<nav><a href=\"/" + query + "\">Run</a><a href=\"/groups" + query +
           "\">Groups</a></nav>\n<h1>" + escaped(title) + "</h1>\n" + body + "</body></html>\n";
}

std::string MonitorPage::run(const MonitorSnapshot& snapshot, const std::string& token)
{
    // The token is in the page already, since the client sent it for the page.
    const std::string script = "<script>\nconst source = new EventSource('/events?token=" + token +
                               "');\nsource.onmessage = event => { document.getElementById('run').innerHTML = "
                               "event.data; };\n</script>\n";
    return document("Serion monitor: " + snapshot.instrument,
                    "<section id=\"run\">" + runPart(snapshot) + "</section>\n" + script, token);
}

std::string MonitorPage::runPart(const MonitorSnapshot& snapshot)
{
    std::string part = "<dl>\n<dt>Instrument</dt><dd id=\"status\">" + escaped(snapshot.instrumentState) +
                       "</dd>\n<dt>Run</dt><dd id=\"run-state\">" + escaped(snapshot.run) + "</dd>\n";
    if (!snapshot.message.empty())
        part += "<dt>Last message</dt><dd>" + escaped(snapshot.message) + "</dd>\n";
    if (snapshot.group.empty())
        return part + "</dl>\n<p>No group has run since the host started.</p>\n";
    part += "<dt>Group</dt><dd id=\"group\">" + escaped(snapshot.group) + "</dd>\n<dt>Progress</dt><dd id=\"progress\">" +
            std::to_string(snapshot.rowsEnded()) + " of " + std::to_string(snapshot.rowsInRun()) + " rows ended, " +
            std::to_string(snapshot.rowsFailed()) + " failed</dd>\n";
    if (snapshot.expectedEnd != 0)
        part += "<dt>Expected end</dt><dd id=\"expected-end\">" + LocalTime(snapshot.expectedEnd) + "</dd>\n";
    part += "<dt>As of</dt><dd>" + LocalTime(snapshot.time) + "</dd>\n</dl>\n";
    return part + rowTable(snapshot.rows) + timeline(snapshot.rows, snapshot.time);
}

std::string MonitorPage::groups(const std::vector<std::string>& names, const std::string& token)
{
    std::string list = "<ul id=\"groups\">\n";
    for (const std::string& name : names)
        list += "<li><a href=\"/groups/" + pathSegment(name) + "?token=" + token + "\">" + escaped(name) + "</a></li>\n";
    return document("Groups", list + "</ul>\n", token);
}

std::string MonitorPage::group(const std::string& name, const std::vector<MonitorRow>& rows, std::int64_t now,
                               const std::string& token)
{
    return document("Group " + name, rowTable(rows) + timeline(rows, now), token);
}

std::string MonitorPage::rowTable(const std::vector<MonitorRow>& rows)
{
    std::string table = "<table id=\"rows\">\n<tr><th>Row</th><th>Method</th><th>Data file</th><th>State</th>"
                        "<th>Start</th><th>End</th><th>Message</th></tr>\n";
    for (const MonitorRow& row : rows)
        table += "<tr class=\"" + cssClass(row.state) + "\">" + cell(std::to_string(row.number)) + cell(row.method) +
                 cell(row.dataFile) + "<td class=\"state\">" + escaped(row.state) + "</td>" + cell(LocalTime(row.start)) +
                 cell(LocalTime(row.end)) + cell(row.message) + "</tr>\n";
    return table + "</table>\n";
}

std::string MonitorPage::timeline(const std::vector<MonitorRow>& rows, std::int64_t now)
{
    // A row that has started has a bar from its start to its end, or to now while it runs.
    const auto endOf = [now](const MonitorRow& row) { return row.end ? row.end : std::max(now, row.start); };
    std::int64_t first = 0;
    std::int64_t last = 0;
    for (const MonitorRow& row : rows) {
        if (!row.start)
            continue;
        first = first ? std::min(first, row.start) : row.start;
        last = std::max(last, endOf(row));
    }
    const int height = static_cast<int>(rows.size()) * (kBarHeight + kBarGap) + kBarGap;
    std::string svg = "<svg id=\"timeline\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(kLabelWidth + kTimelineWidth) + "\" height=\"" + std::to_string(height) + "\">\n";
    const double scale = last > first ? static_cast<double>(kTimelineWidth) / static_cast<double>(last - first) : 0;
    int y = kBarGap;
    for (const MonitorRow& row : rows) {
        const std::string label = std::to_string(row.number) + " " + row.method;
        svg += "<text x=\"0\" y=\"" + std::to_string(y + kBarHeight - 4) + "\">" + escaped(label) + "</text>";
        if (row.start) {
            const int x = kLabelWidth + static_cast<int>(static_cast<double>(row.start - first) * scale);
            const int width = std::max(2, static_cast<int>(static_cast<double>(endOf(row) - row.start) * scale));
            svg += "<rect class=\"" + cssClass(row.state) + "\" x=\"" + std::to_string(x) + "\" y=\"" +
                   std::to_string(y) + "\" width=\"" + std::to_string(width) + "\" height=\"" +
                   std::to_string(kBarHeight) + "\"><title>" + escaped(label + ": " + row.state) + "</title></rect>";
        }
        svg += "\n";
        y += kBarHeight + kBarGap;
    }
    return svg + "</svg>\n";
}
