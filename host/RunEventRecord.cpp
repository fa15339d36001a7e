// Turning a run event into what notification commands and monitor clients read.
#include "RunEventRecord.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "orvane/CpVariables.h"

RunEventRecord RunEventRecord::from(const CpRunEvent& event)
{
    const auto instrument = CpVariables::instance().get("_INSTNAME$");
    return {CpRunEventName(event.kind),
            WideToUtf8(event.group),
            event.row,
            WideToUtf8(event.method),
            WideToUtf8(event.message),
            event.done,
            event.failed,
            Clock::nowMs() / 1000,
            instrument && instrument->isText() ? WideToUtf8(instrument->text()) : ""};
}

nlohmann::json RunEventRecord::json() const
{
    return {{"event", event},   {"group", group},   {"row", row},       {"method", method},          {"message", message},
            {"done", done},     {"failed", failed}, {"time", IsoTime(time)}, {"instrument", instrument}};
}

std::vector<std::string> RunEventRecord::environment() const
{
    return {"SERION_EVENT=" + event,
            "SERION_GROUP=" + group,
            "SERION_ROW=" + std::to_string(row),
            "SERION_METHOD=" + method,
            "SERION_MESSAGE=" + message,
            "SERION_DONE=" + std::to_string(done),
            "SERION_FAILED=" + std::to_string(failed),
            "SERION_TIME=" + IsoTime(time),
            "SERION_INSTRUMENT=" + instrument};
}

std::string IsoTime(std::int64_t seconds)
{
    return seconds ? WideToUtf8(FormatTime(seconds, L"%Y-%m-%dT%H:%M:%SZ", true)) : "";
}

std::string LocalTime(std::int64_t seconds) { return seconds ? WideToUtf8(FormatTime(seconds, L"%Y-%m-%d %H:%M:%S")) : ""; }
