// Naming a row's run state and writing a row as the monitor's JSON.
#include "MonitorRow.h"

#include "RunEventRecord.h"

#include "worklist/MethodRecord.h"

#include <algorithm>

nlohmann::json MonitorRow::json() const
{
    return {{"row", number},          {"method", method},     {"dataFile", dataFile}, {"state", state},
            {"start", IsoTime(start)}, {"end", IsoTime(end)}, {"message", message}, {"qc", qc}};
}

const char* MonitorRow::stateName(long runState)
{
    switch (runState) {
    case RUNSTATE_CHECKED:
        return "waiting";
    case RUNSTATE_RUNNING:
        return "running";
    case RUNSTATE_DONE:
        return "done";
    case RUNSTATE_FAILED:
        return "failed";
    case RUNSTATE_INTERRUPTED:
        return "interrupted";
    default:
        return "not checked";
    }
}

void MonitorRow::markInterrupted(std::vector<MonitorRow>& rows)
{
    for (MonitorRow& row : rows)
        if (row.state == "running")
            row.state = "interrupted";
}

nlohmann::json MonitorRow::json(const std::vector<MonitorRow>& rows)
{
    nlohmann::json list = nlohmann::json::array();
    for (const MonitorRow& row : rows)
        list.push_back(row.json());
    return list;
}

long MonitorRow::runningRow(const std::vector<MonitorRow>& rows)
{
    const auto running = std::ranges::find(rows, std::string("running"), &MonitorRow::state);
    return running == rows.end() ? 0 : running->number;
}

nlohmann::json MonitorRow::progress(const std::vector<MonitorRow>& rows)
{
    const auto count = [&rows](auto which) { return static_cast<long>(std::ranges::count_if(rows, which)); };
    return {{"ended", count(&MonitorRow::ended)},
            {"rows", count(&MonitorRow::inRun)},
            {"failed", count([](const MonitorRow& row) { return row.state == "failed"; })},
            {"runningRow", runningRow(rows)}};
}
