// Writing the simulated detector's trace and peak table as CSV.
#include "SignalAcquisition.h"

#include "SettingText.h"

#include "kernel/Text.h"

#include <algorithm>
#include <cmath>
#include <fstream>

SignalAcquisition::SignalAcquisition(std::filesystem::path folder, DetectorSignal signal)
    : m_folder(std::move(folder)), m_signal(std::move(signal))
{
    std::ofstream(m_folder / signalFile, std::ios::binary | std::ios::trunc) << "Time (s),Signal (mAU)\n";
}

void SignalAcquisition::acquireTo(double seconds)
{
    const auto last = static_cast<std::size_t>(std::floor(seconds * DetectorSignal::samplesPerSecond + 1e-9));
    if (m_samples.size() > last)
        return;
    std::string lines;
    for (std::size_t index = m_samples.size(); index <= last; ++index) {
        m_samples.push_back(m_signal.at(index));
        lines += DecimalText(static_cast<double>(index) / DetectorSignal::samplesPerSecond, 1) + "," +
                 DecimalText(m_samples.back(), 3) + "\n";
    }
    std::ofstream(m_folder / signalFile, std::ios::binary | std::ios::app) << lines;
}

bool SignalAcquisition::measure(const DetectorSignal::Injection& injection, Peak& peak) const
{
    const double rate = DetectorSignal::samplesPerSecond;
    const double opens = injection.time - m_signal.window() * 0.1;
    const auto first = static_cast<std::size_t>(std::ceil(opens * rate - 1e-9));
    const auto last = static_cast<std::size_t>(std::floor((opens + m_signal.window()) * rate + 1e-9));
    if (last >= m_samples.size() || last < first + 6)
        return false;
    // The baseline runs from the mean of the window's first three samples to that of its last three.
    const double start = (m_samples[first] + m_samples[first + 1] + m_samples[first + 2]) / 3;
    const double end = (m_samples[last - 2] + m_samples[last - 1] + m_samples[last]) / 3;
    peak = {0, -1e300, 0};
    for (std::size_t i = first; i <= last; ++i) {
        const double above = m_samples[i] - (start + (end - start) * static_cast<double>(i - first) / static_cast<double>(last - first));
        peak.area += above / rate;
        if (above > peak.height) {
            peak.height = above;
            peak.retention = static_cast<double>(i) / rate - injection.time;
        }
    }
    return true;
}

std::vector<std::optional<SignalAcquisition::Peak>> SignalAcquisition::finish()
{
    std::vector<std::optional<Peak>> peaks;
    std::string table = "Injection,Location,Sample,Time (s),Retention (s),Height (mAU),Area (mAU*s)\n";
    for (const DetectorSignal::Injection& injection : m_signal.injections()) {
        Peak peak{};
        peaks.push_back(measure(injection, peak) ? std::optional(peak) : std::nullopt);
        if (peaks.back())
            table += std::to_string(injection.number) + "," + std::to_string(injection.location) + "," +
                     CsvField(WideToUtf8(injection.sample)) + "," + DecimalText(injection.time + peak.retention, 1) + "," +
                     DecimalText(peak.retention, 1) + "," +
                     DecimalText(peak.height, 3) + "," + DecimalText(peak.area, 3) + "\n";
    }
    std::ofstream(m_folder / peakFile, std::ios::binary | std::ios::trunc) << table;
    return peaks;
}
