// Summing a run's peaks up per sample and measuring them against the calibration.
#include "RunResults.h"

#include "Calibration.h"
#include "SettingText.h"

#include "kernel/Text.h"

#include <cmath>
#include <fstream>
#include <numeric>

namespace {

const char* kindName(SampleKind kind)
{
    switch (kind) {
    case SampleKind::Standard:
        return "standard";
    case SampleKind::Blank:
        return "blank";
    case SampleKind::Check:
        return "check";
    case SampleKind::Sample:
        break;
    }
    return "sample";
}

double mean(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// The relative standard deviation of the replicate heights in percent; empty for fewer than two.
std::string rsdText(const std::vector<double>& heights)
{
    const double average = mean(heights);
    if (heights.size() < 2 || !(average > 0))
        return "";
    double squares = 0;
    for (double height : heights)
        squares += (height - average) * (height - average);
    return DecimalText(100 * std::sqrt(squares / static_cast<double>(heights.size() - 1)) / average, 2);
}

} // namespace

std::string WriteRunResults(const std::filesystem::path& folder, const std::filesystem::path& calibrationFile,
                            const std::vector<DetectorSignal::TableRow>& table, const SimulationSettings& settings,
                            const std::vector<DetectorSignal::Injection>& injections,
                            const std::vector<std::optional<SignalAcquisition::Peak>>& peaks)
{
    std::vector<std::vector<double>> heights(table.size());
    std::vector<std::vector<double>> areas(table.size());
    std::vector<std::pair<double, double>> standards;
    for (std::size_t i = 0; i < injections.size(); ++i) {
        if (!peaks[i])
            continue;
        const std::size_t row = injections[i].row;
        heights[row].push_back(peaks[i]->height);
        areas[row].push_back(peaks[i]->area);
        if (const auto known = settings.of(table[row].sample); known.kind == SampleKind::Standard)
            standards.push_back({known.value, peaks[i]->height});
    }
    const auto fitted = Calibration::fit(standards);
    if (fitted)
        fitted->save(calibrationFile);
    const auto calibration = fitted ? fitted : Calibration::load(calibrationFile);

    std::string text = "Location,Sample,Kind,Expected,Injections,Height (mAU),Area (mAU*s),RSD (%),Concentration,R2\n";
    for (std::size_t row = 0; row < table.size(); ++row) {
        const auto known = settings.of(table[row].sample);
        text += std::to_string(table[row].location) + "," + CsvField(WideToUtf8(table[row].sample)) + "," +
                kindName(known.kind) + "," +
                (known.kind == SampleKind::Sample ? "" : DecimalText(known.kind == SampleKind::Blank ? 0 : known.value, 4)) +
                "," + std::to_string(heights[row].size());
        if (heights[row].empty()) {
            text += ",,,,,\n";
            continue;
        }
        text += "," + DecimalText(mean(heights[row]), 3) + "," + DecimalText(mean(areas[row]), 3) + "," + rsdText(heights[row]);
        text += calibration ? "," + DecimalText(calibration->concentrationOf(mean(heights[row])), 4) + "," +
                                  DecimalText(calibration->r2, 5) + "\n"
                            : ",,\n";
    }
    std::ofstream(folder / runResultsFile, std::ios::binary | std::ios::trunc) << text;
    if (!calibration)
        return "";
    return std::string(fitted ? "Calibrated by its standards" : "Measured against the kept calibration") + ": height = " +
           DecimalText(calibration->slope, 4) + " x concentration " + (calibration->intercept < 0 ? "- " : "+ ") +
           DecimalText(std::abs(calibration->intercept), 4) + ", r2 " +
           DecimalText(calibration->r2, 5) + ".";
}
