// Reading the completed runs of every group and their medians.
#include "MethodDurations.h"

#include "CMethodTable.h"

#include <algorithm>

namespace {

// The middle of values in ascending order; an even count takes the mean of the two middle values.
LONG MedianOfSorted(const std::vector<LONG>& sorted)
{
    if (sorted.empty())
        return 0;
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 != 0 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

} // namespace

MethodDurations MethodDurations::Read(const WorklistPlace& place, const std::vector<std::wstring>& groups)
{
    MethodDurations durations;
    CMethodTable table(place);
    if (FAILED(table.OpenDataSource()))
        return durations;
    for (const std::wstring& group : groups) {
        if (FAILED(table.OpenRowsToRead(group, RUNSTATE_DONE)))
            continue;
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
            if (table.StartTime > 0 && table.EndTime >= table.StartTime)
                durations.m_runs[table.MethodName].push_back(table.EndTime - table.StartTime);
        table.Close();
    }
    table.CloseAll();
    for (auto& [name, seconds] : durations.m_runs)
        std::ranges::sort(seconds);
    durations.updateKnownMedian();
    return durations;
}

void MethodDurations::Add(const std::wstring& method, LONG seconds)
{
    // Kept in order, so that a median is read, not computed, at every row's end.
    std::vector<LONG>& runs = m_runs[method];
    runs.insert(std::ranges::upper_bound(runs, seconds), seconds);
    updateKnownMedian();
}

void MethodDurations::updateKnownMedian()
{
    std::vector<LONG> medians;
    for (const auto& [name, seconds] : m_runs)
        medians.push_back(MedianOfSorted(seconds));
    std::ranges::sort(medians);
    m_knownMedian = MedianOfSorted(medians);
}

std::optional<LONG> MethodDurations::Expected(const std::wstring& method) const
{
    if (const auto found = m_runs.find(method); found != m_runs.end())
        return MedianOfSorted(found->second);
    if (m_runs.empty())
        return std::nullopt;
    return m_knownMedian;
}
