// The events of a module's run that the host passes on (notifications, the monitor): the module
// reports each one as it happens, and the host's observers hear it at once, on the same thread.
#pragma once

#include "ObserverList.h"
#include "OrvaneTypes.h"

#include <cstdint>
#include <functional>
#include <string>

constexpr WORD RUNEVENT_GROUP_STARTED = 1;
constexpr WORD RUNEVENT_METHOD_FAILED = 2;
// The group's failure policy holds the run after a failed row.
constexpr WORD RUNEVENT_RUN_PAUSED = 3;
constexpr WORD RUNEVENT_GROUP_ENDED = 4;
constexpr WORD RUNEVENT_RUN_INTERRUPTED = 5;
constexpr WORD RUNEVENT_RUN_CONTINUED = 6;
// A row's method started, and one ended done: what a watcher of the run follows row by row.
constexpr WORD RUNEVENT_METHOD_STARTED = 7;
constexpr WORD RUNEVENT_METHOD_DONE = 8;
// The lab server has been away for a while; the run goes on and keeps its results on the instrument.
constexpr WORD RUNEVENT_SERVER_AWAY = 9;
// A row's results broke a QC rule of its group: the message gives the sample, the figures and the
// action.
constexpr WORD RUNEVENT_QC_FAILED = 10;

struct CpRunEvent {
    WORD kind = 0;
    std::wstring group{};
    // The row's number in its group, from 1; 0 when the event concerns no row.
    LONG row = 0;
    std::wstring method{};
    std::wstring message{};
    // The group's rows that have ended done and failed, as they stand at the event.
    LONG done = 0;
    LONG failed = 0;
    // When the module expects the run to end, in seconds since 1970-01-01 UTC; 0 when it cannot
    // tell.
    std::int64_t expectedEnd = 0;
};

using CpRunEventObserver = std::function<void(const CpRunEvent& event)>;
using CpRunEventObserverId = ObserverList<CpRunEventObserver>::Id;

void CpReportRunEvent(const CpRunEvent& event);
CpRunEventObserverId CpAddRunEventObserver(CpRunEventObserver observer);
void CpRemoveRunEventObserver(CpRunEventObserverId id);
// The event's name as notifications and the monitor spell it: "group-started", ...
const char* CpRunEventName(WORD kind);
