// The observers of run events, once per process.
#include "CpRunEvent.h"

namespace {

ObserverList<CpRunEventObserver>& observers()
{
    static ObserverList<CpRunEventObserver> list;
    return list;
}

} // namespace

void CpReportRunEvent(const CpRunEvent& event)
{
    observers().notify([](const CpRunEventObserver&) { return true; },
                       [&event](const CpRunEventObserver& observer) { observer(event); });
}

CpRunEventObserverId CpAddRunEventObserver(CpRunEventObserver observer) { return observers().add(std::move(observer)); }

void CpRemoveRunEventObserver(CpRunEventObserverId id) { observers().remove(id); }

const char* CpRunEventName(WORD kind)
{
    switch (kind) {
    case RUNEVENT_GROUP_STARTED:
        return "group-started";
    case RUNEVENT_METHOD_FAILED:
        return "method-failed";
    case RUNEVENT_RUN_PAUSED:
        return "run-paused";
    case RUNEVENT_GROUP_ENDED:
        return "group-ended";
    case RUNEVENT_RUN_INTERRUPTED:
        return "run-interrupted";
    case RUNEVENT_RUN_CONTINUED:
        return "run-continued";
    case RUNEVENT_METHOD_STARTED:
        return "method-started";
    case RUNEVENT_METHOD_DONE:
        return "method-done";
    case RUNEVENT_SERVER_AWAY:
        return "server-away";
    case RUNEVENT_QC_FAILED:
        return "qc-failed";
    default:
        return "unknown";
    }
}
