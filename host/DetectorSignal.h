// The detector signal of a simulated flow-injection run: for each injection of the method's FIA
// table a peak with a fast rise and a tail, its height following the sample's concentration, on a
// baseline that drifts slowly and carries noise.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class DetectorSignal {
public:
    static constexpr double samplesPerSecond = 10;

    struct Injection {
        // From 1, in the order of the FIA table.
        int number;
        long location;
        std::wstring sample;
        double concentration;
        // Seconds after the method's start.
        double time;
        // The FIA table's row it comes from, from 0.
        std::size_t row;
        // The detector's response beside a fresh instrument's: below 1 when it has drifted down.
        double response;
    };

    // The injections spread evenly over the run time, each given the window until the next.
    DetectorSignal(std::vector<Injection> injections, double runSeconds);

    // Each row of the FIA table (location, injections, sample name, concentration) as injections.
    struct TableRow {
        long location;
        long injections;
        std::wstring sample;
        double concentration;
    };
    static std::vector<Injection> plan(const std::vector<TableRow>& table, double runSeconds);

    // The signal in mAU at the sample with this index (time index / samplesPerSecond); the same
    // index always gives the same value.
    double at(std::size_t index) const;
    // The baseline the peaks stand on, noise aside.
    double baseline(double seconds) const;
    const std::vector<Injection>& injections() const { return m_injections; }
    // The seconds from one injection to the next.
    double window() const { return m_window; }

private:
    std::vector<Injection> m_injections;
    double m_window;
    // Seconds from an injection to its peak's top.
    double m_rise;
};
