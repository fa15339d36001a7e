// The simulated detector's signal: peaks shaped x^3 e^(3(1-x)) (top at x = 1, a tail to the right).
#include "DetectorSignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// mAU for a concentration of 1.
constexpr double kSensitivity = 10;

// Noise from the sample's index: the same trace each time the method runs, small beside a peak.
double noise(std::size_t index)
{
    std::uint64_t x = index * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    return (static_cast<double>(x >> 11) / 9007199254740992.0 - 0.5) * 0.2;
}

} // namespace

DetectorSignal::DetectorSignal(std::vector<Injection> injections, double runSeconds)
    : m_injections(std::move(injections)),
      m_window(m_injections.empty() ? runSeconds : runSeconds / static_cast<double>(m_injections.size())),
      m_rise(std::clamp(m_window * 0.12, 0.2, 5.0))
{
}

std::vector<DetectorSignal::Injection> DetectorSignal::plan(const std::vector<TableRow>& table, double runSeconds)
{
    std::vector<Injection> injections;
    for (std::size_t row = 0; row < table.size(); ++row)
        for (long k = 0; k < table[row].injections; ++k)
            injections.push_back({static_cast<int>(injections.size()) + 1, table[row].location, table[row].sample,
                                  table[row].concentration, 0, row, 1});
    // Each injection a little after its window opens, so that the window begins on the baseline.
    const double window = injections.empty() ? runSeconds : runSeconds / static_cast<double>(injections.size());
    for (Injection& injection : injections)
        injection.time = window * (injection.number - 1) + window * 0.1;
    return injections;
}

double DetectorSignal::baseline(double seconds) const
{
    return 1.5 + 0.01 * seconds + 0.2 * std::sin(2 * std::numbers::pi * seconds / 600);
}

double DetectorSignal::at(std::size_t index) const
{
    const double t = static_cast<double>(index) / samplesPerSecond;
    double value = baseline(t) + noise(index);
    for (const Injection& injection : m_injections) {
        const double x = (t - injection.time) / m_rise;
        if (x > 0 && x < 12)
            value += kSensitivity * injection.response * injection.concentration * x * x * x * std::exp(3 * (1 - x));
    }
    return value;
}
