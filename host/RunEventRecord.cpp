// Turning a run event into what notification commands and monitor clients read.
#include "RunEventRecord.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <ctime>

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

namespace {

std::string formatTime(std::int64_t seconds, const char* format, bool local)
{
    if (seconds == 0)
        return "";
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (local)
        localtime_r(&time, &parts);
    else
        gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

} // namespace

std::string IsoTime(std::int64_t seconds) { return formatTime(seconds, "%Y-%m-%dT%H:%M:%SZ", false); }

std::string LocalTime(std::int64_t seconds) { return formatTime(seconds, "%Y-%m-%d %H:%M:%S", true); }
