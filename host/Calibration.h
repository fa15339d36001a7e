// The simulated instrument's calibration: a straight line of peak height against concentration,
// fitted to a run's standards and kept in a file, so that the runs after it (in a host started
// again too) measure their samples against it.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

struct Calibration {
    static constexpr const char* fileName = "CALIBRATION.CSV";

    double slope;
    double intercept;
    double r2;

    // The least-squares line through (concentration, height) points; none when they hold fewer
    // than two concentrations or the height does not rise with the concentration.
    static std::optional<Calibration> fit(const std::vector<std::pair<double, double>>& points);
    static std::optional<Calibration> load(const std::filesystem::path& file);
    void save(const std::filesystem::path& file) const;
    double concentrationOf(double height) const { return (height - intercept) / slope; }
};
