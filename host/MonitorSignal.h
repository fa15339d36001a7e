// A row's detector signal and peak table as the monitor serves them: read from the CSV files the
// instrument writes into the row's data folder, the signal still growing while the row runs.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <filesystem>

class MonitorSignal {
public:
    // A browser draws more points than this no better: a longer signal is thinned to about it.
    static constexpr std::size_t maxPoints = 20000;

    // {"signal": [[seconds, mAU], ...], "peaks": [{"injection", "location", "sample", "time",
    // "retention", "height", "area"}, ...]}; both empty when the folder holds none.
    static nlohmann::json read(const std::filesystem::path& dataFolder);
};
