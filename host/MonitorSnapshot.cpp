// The monitor's snapshot as JSON, with the run's progress counted from its rows.
#include "MonitorSnapshot.h"

#include "RunEventRecord.h"

#include <algorithm>

long MonitorSnapshot::rowsInRun() const
{
    return static_cast<long>(std::count_if(rows.begin(), rows.end(), [](const MonitorRow& row) { return row.inRun(); }));
}

long MonitorSnapshot::rowsEnded() const
{
    return static_cast<long>(std::count_if(rows.begin(), rows.end(), [](const MonitorRow& row) { return row.ended(); }));
}

nlohmann::json MonitorSnapshot::json() const
{
    return {{"time", IsoTime(time)},
            {"instrument", instrument},
            {"systemStatus", systemStatus},
            {"acquisition", acquisition},
            {"run", run},
            {"event", event},
            {"message", message},
            {"group", group},
            {"progress", {{"ended", rowsEnded()}, {"rows", rowsInRun()}, {"expectedEnd", IsoTime(expectedEnd)}}},
            {"rows", MonitorRow::json(rows)}};
}
