// The counts of a run's rows, the estimate of its remaining time and the texts that show them.
#include "RunProgress.h"

#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/CMethodTable.h"
#include "worklist/MethodRecord.h"

#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <algorithm>

namespace {

std::tm LocalTime(LONG time)
{
    const __time64_t value = time;
    std::tm local{};
    _localtime64_s(&local, &value);
    return local;
}

// "about 25 min" or "about 2 h 5 min", never less than a minute.
std::wstring TimeLeftText(LONG seconds)
{
    const LONG minutes = std::max<LONG>(1, (seconds + 59) / 60);
    if (minutes < 60)
        return FormatWin(L"%d min", minutes);
    return FormatWin(L"%d h %d min", minutes / 60, minutes % 60);
}

} // namespace

void RunProgress::Begin(const std::vector<Row>& rows)
{
    m_rows.clear();
    m_toRun.clear();
    m_running.clear();
    m_total = m_ended = m_failed = 0;
    for (const Row& row : rows) {
        const Place& place = m_rows[row.aaaID] = {row.method, row.state, row.startTime};
        count(row.aaaID, place, 1);
    }
}

void RunProgress::RowChanged(const Row& row)
{
    const auto found = m_rows.find(row.aaaID);
    if (found == m_rows.end())
        return;
    Place& place = found->second;
    count(row.aaaID, place, -1);
    place.state = row.state;
    place.startTime = row.startTime;
    count(row.aaaID, place, 1);
    if (row.state == RUNSTATE_DONE && row.startTime > 0 && row.endTime >= row.startTime)
        m_durations.Add(place.method, row.endTime - row.startTime);
}

void RunProgress::UseGroupsToCome(const std::vector<std::wstring>& groups)
{
    m_toCome.clear();
    CMethodTable table(ModuleSettings);
    for (const std::wstring& group : groups) {
        if (FAILED(table.Open(group)))
            continue;
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
            if (table.RunState == RUNSTATE_CHECKED || table.RunState == RUNSTATE_INTERRUPTED)
                ++m_toCome[table.MethodName];
        table.Close();
    }
    table.CloseAll();
}

void RunProgress::count(LONG aaaID, const Place& place, int sign)
{
    if (place.state == RUNSTATE_UNCHECKED)
        return;
    m_total += sign;
    switch (place.state) {
    case RUNSTATE_FAILED: m_failed += sign; [[fallthrough]];
    case RUNSTATE_DONE: m_ended += sign; break;
    case RUNSTATE_RUNNING:
        if (sign > 0)
            m_running.insert(aaaID);
        else
            m_running.erase(aaaID);
        break;
    default: m_toRun[place.method] += sign; break;
    }
}

std::wstring RunProgress::Text(LONG now) const
{
    const std::vector<std::wstring> forms = Texts(now);
    return forms.empty() ? std::wstring() : forms.front();
}

std::vector<std::wstring> RunProgress::Texts(LONG now) const
{
    if (m_total == 0)
        return {};
    const int nRow = std::min(m_total, std::max(1, m_ended + static_cast<int>(m_running.size())));
    std::wstring strLong = FormatWin(ModuleString(IDS_PROGRESS_ROW).c_str(), nRow, m_total);
    std::wstring strShort = FormatWin(L"%d/%d", nRow, m_total);
    if (m_failed > 0) {
        strLong += FormatWin(ModuleString(IDS_PROGRESS_FAILED).c_str(), m_failed);
        strShort += FormatWin(ModuleString(IDS_PROGRESS_SHORT_FAILED).c_str(), m_failed);
    }
    const auto anyLeft = [](const std::map<std::wstring, int>& methods) {
        return std::ranges::any_of(methods, [](const auto& method) { return method.second > 0; });
    };
    const BOOL bRowsLeft = !m_running.empty() || anyLeft(m_toRun) || anyLeft(m_toCome);
    if (!bRowsLeft)
        return {strLong, strShort};
    const std::optional<LONG> left = SecondsLeft(now);
    if (m_bPaused) {
        // When the run goes on is not known: what is left is told, not when it ends.
        strShort += ModuleString(IDS_PROGRESS_SHORT_PAUSED_ONLY);
        if (!left)
            return {strLong + ModuleString(IDS_PROGRESS_PAUSED_ONLY), strShort};
        const std::wstring strLeft = TimeLeftText(*left);
        return {strLong + FormatWin(ModuleString(IDS_PROGRESS_PAUSED).c_str(), strLeft.c_str()),
                strShort + FormatWin(ModuleString(IDS_PROGRESS_SHORT_PAUSED).c_str(), strLeft.c_str()), strShort};
    }
    if (!left)
        return {strLong + ModuleString(IDS_PROGRESS_UNKNOWN), strShort + ModuleString(IDS_PROGRESS_SHORT_UNKNOWN), strShort};
    const std::wstring strLeft = TimeLeftText(*left);
    const std::wstring strEnd = TimeText(now + *left, now, FALSE);
    return {strLong + FormatWin(ModuleString(IDS_PROGRESS_LEFT).c_str(), strLeft.c_str(), strEnd.c_str()),
            strShort + FormatWin(ModuleString(IDS_PROGRESS_SHORT_LEFT).c_str(), strLeft.c_str(), strEnd.c_str()),
            strShort + FormatWin(ModuleString(IDS_PROGRESS_SHORT_END).c_str(), strEnd.c_str()), strShort};
}

std::optional<LONG> RunProgress::SecondsLeft(LONG now) const
{
    LONG nLeft = 0;
    const auto add = [&](const std::wstring& method, LONG nCount, LONG nElapsed) {
        const std::optional<LONG> expected = m_durations.Expected(method);
        if (expected)
            nLeft += nCount * std::max<LONG>(0, *expected - nElapsed);
        return expected.has_value();
    };
    BOOL bKnown = TRUE;
    for (const auto* methods : {&m_toRun, &m_toCome})
        for (const auto& [method, nCount] : *methods)
            if (nCount > 0)
                bKnown &= add(method, nCount, 0);
    for (LONG aaaID : m_running) {
        const Place& place = m_rows.at(aaaID);
        bKnown &= add(place.method, 1, place.startTime > 0 ? now - place.startTime : 0);
    }
    if (!bKnown)
        return std::nullopt;
    return nLeft;
}

std::wstring RunProgress::TimeText(LONG time, LONG now, BOOL bSeconds)
{
    if (time <= 0)
        return {};
    const std::tm local = LocalTime(time);
    const std::tm today = LocalTime(now);
    if (local.tm_year != today.tm_year)
        return FormatTime(time, L"%Y-%m-%d %H:%M");
    if (local.tm_yday != today.tm_yday)
        return FormatTime(time, L"%b %d %H:%M");
    return FormatTime(time, bSeconds ? L"%H:%M:%S" : L"%H:%M");
}

std::wstring RunProgress::DurationText(LONG seconds)
{
    if (seconds < 0)
        return {};
    if (seconds < 3600)
        return FormatWin(L"%d:%02d", seconds / 60, seconds % 60);
    return FormatWin(L"%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}
