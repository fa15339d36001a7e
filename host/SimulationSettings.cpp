// Reading a method's simulation settings.
#include "SimulationSettings.h"

#include "SettingText.h"

#include "kernel/FileBytes.h"
#include "kernel/Text.h"

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

double SimulationSettings::concentrationOf(const std::wstring& sample) const
{
    for (const Concentration& concentration : concentrations)
        if (EqualsNoCase(concentration.sample, sample))
            return concentration.value;
    return 1;
}

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
            const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), settings.runSeconds);
            if (status != std::errc() || end != value.data() + value.size() || !(settings.runSeconds >= 0) ||
                settings.runSeconds > maxRunSeconds) {
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
        } else if (key == "standard" || key == "sample") {
            const auto comma = value.rfind(',');
            const std::string amount = comma == std::string::npos ? "" : TrimmedText(value.substr(comma + 1));
            double concentration = -1;
            const auto [end, status] = std::from_chars(amount.data(), amount.data() + amount.size(), concentration);
            if (comma == std::string::npos || status != std::errc() || end != amount.data() + amount.size() ||
                !(concentration >= 0) || !std::isfinite(concentration)) {
                error = where + line.substr(0, equals) + " needs a sample name, a comma and a concentration of 0 or more, not \"" +
                        value + "\"";
                return std::nullopt;
            }
            settings.concentrations.push_back(
                {Utf8ToWide(TrimmedText(value.substr(0, comma))), concentration, key == "standard"});
        } else {
            error = where + "unknown setting \"" + line + "\"";
            return std::nullopt;
        }
    }
    return settings;
}
