// How long each method has taken in this worklist: the durations of its completed runs in any
// group, and their median, from which a run's remaining time is estimated.
#pragma once

#include "module/core/WorklistPlace.h"

#include "kernel/WinTypes.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class MethodDurations {
public:
    // The done rows of every group named; a group that cannot be read adds nothing.
    static MethodDurations Read(const WorklistPlace& place, const std::vector<std::wstring>& groups);

    void Add(const std::wstring& method, LONG seconds);
    // The median of the method's runs; a method never run takes the median of the known methods.
    // Nothing when no method has run.
    std::optional<LONG> Expected(const std::wstring& method) const;

private:
    void updateKnownMedian();

    // Each method's durations in ascending order.
    std::map<std::wstring, std::vector<LONG>> m_runs;
    // The median of the methods' medians, for a method never run.
    LONG m_knownMedian = 0;
};
