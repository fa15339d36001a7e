// Follows a group's run for its progress bar and text: how many rows have ended and failed, and
// how long the rest will take by the usual duration of each row's method.
#pragma once

#include "worklist/MethodDurations.h"

#include "kernel/WinTypes.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class RunProgress {
public:
    struct Row {
        LONG aaaID;
        std::wstring method;
        LONG state;
        LONG startTime;
        LONG endTime;
    };

    // The durations known before the run; kept while it goes on, with those of the rows it ends.
    void UseDurations(MethodDurations durations) { m_durations = std::move(durations); }
    // The group's rows as the run found them.
    void Begin(const std::vector<Row>& rows);
    // A row's new state; the duration of a row that is done joins its method's.
    void RowChanged(const Row& row);
    // The groups a queue runs after this one: their checked and interrupted rows count in the time left.
    void UseGroupsToCome(const std::vector<std::wstring>& groups);
    // While paused the text says so, with the time left once Run is pressed, and no end.
    void SetPaused(BOOL bPaused) { m_bPaused = bPaused; }

    // The rows of the run (all but the unchecked) and those that have ended.
    int Total() const { return m_total; }
    int Ended() const { return m_ended; }
    const std::set<LONG>& RunningRows() const { return m_running; }
    // "Row 3 of 12 - 1 failed - about 25 min left, ends 14:32" at time now.
    std::wstring Text(LONG now) const;
    // The text's forms from the longest to the shortest, for a narrow window: "3/12 · 1 failed ·
    // 25 min left · ends 14:32", "3/12 · 1 failed · ends 14:32", "3/12 · 1 failed".
    std::vector<std::wstring> Texts(LONG now) const;
    // How long the rows still to run will take from time now; nothing when a row's method has no
    // known duration and no method has one.
    std::optional<LONG> SecondsLeft(LONG now) const;

    // A start or end in local time: "14:32:05" today, "Dec 07 14:32" on another day of the year,
    // "2025-12-07 14:32" in another year; with bSeconds FALSE today's time is "14:32".
    static std::wstring TimeText(LONG time, LONG now, BOOL bSeconds = TRUE);
    // "4:05" or "1:02:05"; empty for a negative duration.
    static std::wstring DurationText(LONG seconds);

private:
    struct Place {
        std::wstring method;
        LONG state;
        LONG startTime;
    };
    // Adds a row to the counts (sign 1) or takes it out (sign -1).
    void count(LONG aaaID, const Place& place, int sign);

    std::map<LONG, Place> m_rows;
    // The rows still to run, checked or interrupted, by method; those of the queue's groups to come.
    std::map<std::wstring, int> m_toRun;
    std::map<std::wstring, int> m_toCome;
    BOOL m_bPaused = FALSE;
    std::set<LONG> m_running;
    int m_total = 0;
    int m_ended = 0;
    int m_failed = 0;
    MethodDurations m_durations;
};
