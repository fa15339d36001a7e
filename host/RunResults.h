// A method's results per row of its FIA table, written as RESULTS.CSV beside PEAKS.CSV when the
// method ends: each sample's kind, its injections measured, their mean peak height and area, the
// RSD of the heights and the concentration the calibration gives the mean height.
#pragma once

#include "DetectorSignal.h"
#include "SignalAcquisition.h"
#include "SimulationSettings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

constexpr const char* runResultsFile = "RESULTS.CSV";

// The run's standards, when they hold two concentrations or more, calibrate the instrument afresh
// and are kept in calibrationFile; otherwise the calibration kept there measures the samples.
// Returns the line that tells the run's log which calibration measured, empty when none did.
std::string WriteRunResults(const std::filesystem::path& folder, const std::filesystem::path& calibrationFile,
                            const std::vector<DetectorSignal::TableRow>& table, const SimulationSettings& settings,
                            const std::vector<DetectorSignal::Injection>& injections,
                            const std::vector<std::optional<SignalAcquisition::Peak>>& peaks);
