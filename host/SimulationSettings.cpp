// Reading a method's simulation settings.
#include "SimulationSettings.h"

#include "SettingText.h"

#include "kernel/FileBytes.h"
#include "kernel/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

std::optional<RunOutcome> SimulationSettings::outcomeFromName(std::string name)
{
    name = LowerText(TrimmedText(name));
    if (name == "done")
        return RunOutcome::Done;
    if (name == "failed")
        return RunOutcome::Failed;
    if (name == "aborted")
        return RunOutcome::Aborted;
    if (name == "notready")
        return RunOutcome::NotReady;
    if (name == "acqerror")
        return RunOutcome::AcquisitionError;
    return std::nullopt;
}

SimulationSettings::Concentration SimulationSettings::of(const std::wstring& sample) const
{
    for (const Concentration& concentration : concentrations)
        if (EqualsNoCase(concentration.sample, sample))
            return concentration;
    return {sample, 1, SampleKind::Sample};
}

double SimulationSettings::response(double hours, long injection) const
{
    if (!drift)
        return 1;
    if (drift->afterInjections)
        return injection > *drift->afterInjections ? 1 + drift->percent / 100 : 1;
    return std::max(0.0, 1 + drift->percent / 100 * hours);
}

namespace {

bool readNumber(const std::string& text, double& value)
{
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// "-3% per hour" or "-12% after 30 injections".
std::optional<SimulationSettings::Drift> driftFrom(const std::string& value)
{
    const auto percentSign = value.find('%');
    SimulationSettings::Drift drift{0, std::nullopt};
    if (percentSign == std::string::npos || !readNumber(TrimmedText(value.substr(0, percentSign)), drift.percent) ||
        drift.percent <= -100)
        return std::nullopt;
    std::istringstream rest(LowerText(value.substr(percentSign + 1)));
    std::string word;
    std::string unit;
    long count = 0;
    rest >> word;
    if (word == "per" && rest >> unit && unit == "hour" && !(rest >> word))
        return drift;
    if (word == "after" && rest >> count && count >= 0 && rest >> unit && unit == "injections" && !(rest >> word)) {
        drift.afterInjections = count;
        return drift;
    }
    return std::nullopt;
}

std::optional<SampleKind> kindFromKey(const std::string& key)
{
    if (key == "standard")
        return SampleKind::Standard;
    if (key == "check")
        return SampleKind::Check;
    if (key == "blank")
        return SampleKind::Blank;
    if (key == "sample")
        return SampleKind::Sample;
    return std::nullopt;
}

} // namespace

std::optional<SimulationSettings> SimulationSettings::load(const std::filesystem::path& file, std::string& error)
{
    SimulationSettings settings;
    const auto bytes = FileBytes::read(file);
    if (!bytes) {
        error = file.string() + ": cannot be read";
        return std::nullopt;
    }
    std::istringstream in(*bytes);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = TrimmedText(line);
        if (line.empty() || line.starts_with(';') || line.starts_with('['))
            continue;
        const auto equals = line.find('=');
        const std::string key = LowerText(TrimmedText(line.substr(0, equals)));
        const std::string value = equals == std::string::npos ? std::string() : TrimmedText(line.substr(equals + 1));
        const std::string where = file.string() + ":" + std::to_string(number) + ": ";
        if (key == "runtime") {
            if (!readNumber(value, settings.runSeconds) || !(settings.runSeconds >= 0) || settings.runSeconds > maxRunSeconds) {
                error = where + "RunTime needs a number of seconds from 0 to " + std::to_string(maxRunSeconds) +
                        ", not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (key == "outcome") {
            const auto outcome = outcomeFromName(value);
            if (!outcome) {
                error = where + "Outcome is one of done, failed, aborted, notready, acqerror, not \"" + value + "\"";
                return std::nullopt;
            }
            settings.outcome = *outcome;
        } else if (key == "message") {
            settings.messages.push_back(Utf8ToWide(value));
        } else if (key == "drift") {
            settings.drift = driftFrom(value);
            if (!settings.drift) {
                error = where + "Drift is \"percent% per hour\" or \"percent% after N injections\", not \"" + value + "\"";
                return std::nullopt;
            }
        } else if (const auto kind = kindFromKey(key)) {
            // A blank's concentration, simulating a contaminated one, may be left out.
            const auto comma = *kind == SampleKind::Blank && value.find(',') == std::string::npos ? value.size() : value.rfind(',');
            double concentration = 0;
            if (comma == std::string::npos ||
                (comma < value.size() && !readNumber(TrimmedText(value.substr(comma + 1)), concentration)) ||
                !(concentration >= 0) || TrimmedText(value.substr(0, comma)).empty()) {
                error = where + line.substr(0, equals) + " needs a sample name, a comma and a concentration of 0 or more, not \"" +
                        value + "\"";
                return std::nullopt;
            }
            settings.concentrations.push_back({Utf8ToWide(TrimmedText(value.substr(0, comma))), concentration, *kind});
        } else {
            error = where + "unknown setting \"" + line + "\"";
            return std::nullopt;
        }
    }
    return settings;
}
