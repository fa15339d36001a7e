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

long MonitorSnapshot::rowsFailed() const
{
    return static_cast<long>(std::count_if(rows.begin(), rows.end(), [](const MonitorRow& row) { return row.state == "failed"; }));
}

long MonitorSnapshot::runningRow() const
{
    const auto running = std::find_if(rows.begin(), rows.end(), [](const MonitorRow& row) { return row.state == "running"; });
    return running == rows.end() ? 0 : running->number;
}

nlohmann::json MonitorSnapshot::json() const
{
    return {{"time", IsoTime(time)},
            {"instrument", instrument},
            {"systemStatus", systemStatus},
            {"acquisition", acquisition},
            {"instrumentState", instrumentState},
            {"run", run},
            {"event", event},
            {"message", message},
            {"group", group},
            {"progress",
             {{"ended", rowsEnded()},
              {"rows", rowsInRun()},
              {"failed", rowsFailed()},
              {"runningRow", runningRow()},
              {"expectedEnd", IsoTime(expectedEnd)}}},
            {"rows", MonitorRow::json(rows)}};
}
