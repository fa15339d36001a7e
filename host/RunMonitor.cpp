// Taking the monitor's snapshots on the user-interface thread and starting its server.
#include "RunMonitor.h"

#include "MonitorToken.h"

#include "kernel/Clock.h"
#include "kernel/DriveMap.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

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

} // namespace

RunMonitor::RunMonitor(Logbook& logbook, std::filesystem::path tokenFile, MonitorServer::Limits limits)
    : m_logbook(logbook), m_source(logbook.registerSource(L"Monitor")), m_tokenFile(std::move(tokenFile)),
      m_limits(limits)
{
}

RunMonitor::~RunMonitor()
{
    if (m_observing)
        CpRemoveRunEventObserver(m_observer);
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
    publish();
    m_server = std::make_unique<MonitorServer>(m_board, *worklist, m_token, m_limits);
    if (!m_server->start(address, port, error)) {
        m_server.reset();
        return false;
    }
    m_observer = CpAddRunEventObserver([this](const CpRunEvent& event) { onRunEvent(event); });
    m_observing = true;
    const std::string page = "http://" + address + ":" + std::to_string(m_server->port()) + "/?token=" + m_token;
    m_logbook.write({m_source, Clock::nowMs() / 1000,
                     Utf8ToWide("The monitor serves " + page + " (its token is kept in " + m_tokenFile.string() + ")")});
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

void RunMonitor::publish()
{
    MonitorSnapshot snapshot;
    snapshot.time = Clock::nowMs() / 1000;
    snapshot.instrument = hostText("_INSTNAME$");
    snapshot.systemStatus = hostText("GUISYSTEMSTATUS$");
    snapshot.acquisition = hostText("ACQSTATUS$");
    snapshot.run = m_run;
    snapshot.event = m_event;
    snapshot.message = m_message;
    snapshot.group = m_group;
    snapshot.expectedEnd = m_expectedEnd;
    if (!m_group.empty())
        snapshot.rows = m_worklist->rows(m_group).value_or(std::vector<MonitorRow>{});
    m_board.publish(std::move(snapshot));
}
