// Reading the instrument's SIGNAL.CSV and PEAKS.CSV; a line still being written is skipped.
#include "MonitorSignal.h"

#include "SignalAcquisition.h"

#include "kernel/FileBytes.h"

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool parse(const std::string& text, double& value)
{
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size();
}

// The fields of a CSV line, quoted fields unquoted.
std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            out.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::vector<std::string> lines(const std::filesystem::path& file)
{
    std::vector<std::string> out;
    std::istringstream in(FileBytes::read(file).value_or(""));
    std::string line;
    // The header first; a last line without its line break is still being written.
    for (std::getline(in, line); std::getline(in, line);)
        if (!in.eof())
            out.push_back(line);
    return out;
}

} // namespace

nlohmann::json MonitorSignal::read(const std::filesystem::path& dataFolder)
{
    nlohmann::json signal = nlohmann::json::array();
    const std::vector<std::string> samples = lines(dataFolder / SignalAcquisition::signalFile);
    const std::size_t stride = samples.size() / maxPoints + 1;
    for (std::size_t i = 0; i < samples.size(); i += stride) {
        const auto point = fields(samples[i]);
        double time = 0;
        double value = 0;
        if (point.size() == 2 && parse(point[0], time) && parse(point[1], value))
            signal.push_back({time, value});
    }
    nlohmann::json peaks = nlohmann::json::array();
    for (const std::string& line : lines(dataFolder / SignalAcquisition::peakFile)) {
        const auto peak = fields(line);
        double numbers[7] = {};
        if (peak.size() != 7 || !parse(peak[0], numbers[0]) || !parse(peak[1], numbers[1]))
            continue;
        bool read = true;
        for (std::size_t i = 3; i < 7; ++i)
            read = read && parse(peak[i], numbers[i]);
        if (read)
            peaks.push_back({{"injection", numbers[0]}, {"location", numbers[1]}, {"sample", peak[2]},
                             {"time", numbers[3]}, {"retention", numbers[4]}, {"height", numbers[5]},
                             {"area", numbers[6]}});
    }
    return {{"signal", signal}, {"peaks", peaks}};
}
