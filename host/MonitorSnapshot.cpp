// The monitor's snapshot as JSON, with the run's progress counted from its rows.
#include "MonitorSnapshot.h"

#include "RunEventRecord.h"


nlohmann::json MonitorSnapshot::json() const
{
    nlohmann::json progressWithEnd = MonitorRow::progress(rows);
    progressWithEnd["expectedEnd"] = IsoTime(expectedEnd);
    return {{"time", IsoTime(time)},
            {"instrument", instrument},
            {"systemStatus", systemStatus},
            {"acquisition", acquisition},
            {"instrumentState", instrumentState},
            {"run", run},
            {"event", event},
            {"message", message},
            {"group", group},
            {"progress", progressWithEnd},
            {"rows", MonitorRow::json(rows)}};
}
