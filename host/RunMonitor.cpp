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
    // A lab's server (_SERIONDB$) holds the worklist in place of the file.
    const MonitorWorklist::Place worklist{
        DriveMap::toHost(Utf8ToWide(hostText("_AUTOMSPATH$")) + L"database\\worklist.mdb").value_or(""),
        Utf8ToWide(hostText("_SERIONDB$"))};
    if (worklist.file.empty() && worklist.server.empty()) {
        error = "the monitor finds no worklist below _AUTOMSPATH$";
        return false;
    }
    const auto token = MonitorToken::load(m_tokenFile, error);
    if (!token)
        return false;
    m_token = *token;
    m_worklist = std::make_unique<MonitorWorklist>(worklist);
    findInterruptedRun();
    publish();
    m_server = std::make_unique<MonitorServer>(m_board, worklist, Utf8ToWide(hostText("_DATAPATH$")), m_token, m_limits);
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
    if (auto group = m_worklist->interruptedGroup()) {
        m_group = std::move(*group);
        m_run = "interrupted";
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
    // Only a run going on has a row running.
    if (!m_group.empty())
        snapshot.rows = m_worklist->rows(m_group, m_run == "running").value_or(std::vector<MonitorRow>{});
    m_board.publish(std::move(snapshot));
}
