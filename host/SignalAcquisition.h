// Acquiring a simulated method's detector signal into its data folder: SIGNAL.CSV grows as the
// method's time passes, and at its end PEAKS.CSV holds the peak of each injection acquired whole.
#pragma once

#include "DetectorSignal.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

class SignalAcquisition {
public:
    static constexpr const char* signalFile = "SIGNAL.CSV";
    static constexpr const char* peakFile = "PEAKS.CSV";

    struct Peak {
        double retention;
        double height;
        double area;
    };

    SignalAcquisition(std::filesystem::path folder, DetectorSignal signal);

    // Appends the samples up to the seconds since the method's start.
    void acquireTo(double seconds);
    // Writes the peak table: injection, location, sample, retention, height and area. Returns each
    // injection's peak in the order of the injections, none for one whose window was not acquired whole.
    std::vector<std::optional<Peak>> finish();
    const DetectorSignal& signal() const { return m_signal; }

private:
    // The injection's peak, measured from the acquired samples above a baseline drawn from its
    // window's start to its end; none when its window was not acquired whole.
    bool measure(const DetectorSignal::Injection& injection, Peak& peak) const;

    std::filesystem::path m_folder;
    DetectorSignal m_signal;
    std::vector<double> m_samples;
};
