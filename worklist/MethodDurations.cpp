// Reading the completed runs of every group and their medians.
#include "MethodDurations.h"

#include "CMethodTable.h"

#include <algorithm>

MethodDurations MethodDurations::Read(const std::vector<std::wstring>& groups)
{
    MethodDurations durations;
    CMethodTable table;
    if (FAILED(table.OpenDataSource()))
        return durations;
    for (const std::wstring& group : groups) {
        if (FAILED(table.OpenDoneRows(group)))
            continue;
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
            if (table.StartTime > 0 && table.EndTime >= table.StartTime)
                durations.m_runs[table.MethodName].seconds.push_back(table.EndTime - table.StartTime);
        table.Close();
    }
    table.CloseAll();
    for (auto& [name, runs] : durations.m_runs)
        runs.median = Median(runs.seconds);
    durations.updateKnownMedian();
    return durations;
}

void MethodDurations::Add(const std::wstring& method, LONG seconds)
{
    Runs& runs = m_runs[method];
    runs.seconds.push_back(seconds);
    runs.median = Median(runs.seconds);
    updateKnownMedian();
}

void MethodDurations::updateKnownMedian()
{
    std::vector<LONG> medians;
    for (const auto& [name, known] : m_runs)
        medians.push_back(known.median);
    m_knownMedian = Median(std::move(medians));
}

std::optional<LONG> MethodDurations::Expected(const std::wstring& method) const
{
    if (const auto found = m_runs.find(method); found != m_runs.end())
        return found->second.median;
    if (m_runs.empty())
        return std::nullopt;
    return m_knownMedian;
}

LONG MethodDurations::Median(std::vector<LONG> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::ranges::nth_element(values, middle);
    if (values.size() % 2 != 0)
        return *middle;
    // An even count takes the mean of the two middle values.
    const LONG below = *std::max_element(values.begin(), middle);
    return (below + *middle) / 2;
}
