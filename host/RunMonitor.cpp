// Taking the monitor's snapshots on the user-interface thread and starting its server.
#include "RunMonitor.h"

#include "MonitorToken.h"

#include "kernel/Clock.h"
#include "kernel/DriveMap.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <algorithm>

namespace {

std::string hostText(const char* name)
{
    const auto value = CpVariables::instance().get(name);
    return value && value->isText() ? WideToUtf8(value->text()) : "";
}

// What the run is doing after the event.
const char* runAfter(WORD kind)
{
    switch (kind) {
    case RUNEVENT_RUN_PAUSED:
        return "paused";
    case RUNEVENT_GROUP_ENDED:
        return "ended";
    case RUNEVENT_RUN_INTERRUPTED:
        return "interrupted";
    default:
        return "running";
    }
}

// The instrument's state in words, from the variables the module follows.
std::string instrumentState()
{
    const std::string acquisition = hostText("ACQSTATUS$");
    if (acquisition == "_ERROR")
        return "error";
    if (acquisition == "NOTREADY")
        return "not ready";
    const auto methodOn = CpVariables::instance().get("_METHODON");
    return methodOn && methodOn->number() >= 0.5 ? "running" : "idle";
}

} // namespace

RunMonitor::RunMonitor(Logbook& logbook, Output output, std::filesystem::path tokenFile, MonitorServer::Limits limits)
    : m_logbook(logbook), m_output(std::move(output)), m_source(logbook.registerSource(L"Monitor")), m_tokenFile(std::move(tokenFile)),
      m_limits(limits)
{
}

RunMonitor::~RunMonitor()
{
    if (m_observing) {
        CpRemoveRunEventObserver(m_observer);
        CpVariables::instance().removeObserver(m_instrumentObserver);
    }
    m_server.reset();
    m_logbook.unregisterSource(m_source);
}

bool RunMonitor::start(const std::string& address, int port, std::string& error)
{
    if (!hostText("_SERIONDB$").empty()) {
        error = "the monitor reads the worklist file, and this installation keeps its worklist on a server";
        return false;
    }
    const auto worklist = DriveMap::toHost(Utf8ToWide(hostText("_AUTOMSPATH$")) + L"database\\worklist.mdb");
    if (!worklist) {
        error = "the monitor finds no worklist below _AUTOMSPATH$";
        return false;
    }
    const auto token = MonitorToken::load(m_tokenFile, error);
    if (!token)
        return false;
    m_token = *token;
    m_worklist = std::make_unique<MonitorWorklist>(*worklist);
    findInterruptedRun();
    publish();
    m_server = std::make_unique<MonitorServer>(m_board, *worklist, Utf8ToWide(hostText("_DATAPATH$")), m_token, m_limits);
    if (!m_server->start(address, port, error)) {
        m_server.reset();
        return false;
    }
    m_observer = CpAddRunEventObserver([this](const CpRunEvent& event) { onRunEvent(event); });
    // A method starts and ends after the module's event about it: the page follows the instrument.
    m_instrumentObserver = CpVariables::instance().addObserver([this](const std::string& name) {
        if (EqualsNoCase(name, "_METHODON") || EqualsNoCase(name, "ACQSTATUS$"))
            publish();
    });
    m_observing = true;
    const std::string page = "http://" + address + ":" + std::to_string(m_server->port()) + "/";
    m_logbook.write({m_source, Clock::nowMs() / 1000,
                     Utf8ToWide("The monitor serves " + page + " (its token is kept in " + m_tokenFile.string() + ")")});
    m_output(Utf8ToWide("Open the monitor at " + page + "?token=" + m_token));
    return true;
}

void RunMonitor::onRunEvent(const CpRunEvent& event)
{
    m_run = runAfter(event.kind);
    m_event = CpRunEventName(event.kind);
    m_message = WideToUtf8(event.message);
    m_group = WideToUtf8(event.group);
    // An ended run expects nothing more.
    const bool goesOn = event.kind != RUNEVENT_GROUP_ENDED && event.kind != RUNEVENT_RUN_INTERRUPTED;
    m_expectedEnd = goesOn ? event.expectedEnd : 0;
    publish();
}

void RunMonitor::findInterruptedRun()
{
    for (const std::string& group : m_worklist->groups().value_or(std::vector<std::string>{})) {
        const auto rows = m_worklist->rows(group).value_or(std::vector<MonitorRow>{});
        if (std::any_of(rows.begin(), rows.end(), [](const MonitorRow& row) { return row.state == "running"; })) {
            m_group = group;
            m_run = "interrupted";
            return;
        }
    }
}

void RunMonitor::publish()
{
    MonitorSnapshot snapshot;
    snapshot.time = Clock::nowMs() / 1000;
    snapshot.instrument = hostText("_INSTNAME$");
    snapshot.systemStatus = hostText("GUISYSTEMSTATUS$");
    snapshot.acquisition = hostText("ACQSTATUS$");
    snapshot.instrumentState = instrumentState();
    snapshot.run = m_run;
    snapshot.event = m_event;
    snapshot.message = m_message;
    snapshot.group = m_group;
    snapshot.expectedEnd = m_expectedEnd;
    if (!m_group.empty())
        snapshot.rows = m_worklist->rows(m_group).value_or(std::vector<MonitorRow>{});
    // Only a run going on has a row running.
    if (m_run != "running")
        MonitorRow::markInterrupted(snapshot.rows);
    m_board.publish(std::move(snapshot));
}
