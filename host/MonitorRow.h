// One method row as the web monitor shows it: read from the worklist, with its state named.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct MonitorRow {
    // From 1, as the main window counts rows.
    long number = 0;
    std::string method;
    std::string dataFile;
    // Below the host's data folder: the row's data folder is subFolder\dataFile.
    std::string subFolder;
    // "waiting", "running", "done", "failed", "not checked" or "interrupted".
    std::string state;
    // Seconds since 1970-01-01 UTC, 0 for none.
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::string message;
    // "failed" when a result of the row's last run broke a QC rule, else "suspect" when one is
    // suspect; empty otherwise.
    std::string qc;

    nlohmann::json json() const;
    // Whether the row takes part in its group's run, and whether it has ended in it.
    bool inRun() const { return state != "not checked"; }
    bool ended() const { return state == "done" || state == "failed"; }

    static const char* stateName(long runState);
    // A row the worklist still holds as running while no run of this host holds it was left by a
    // host that stopped in the middle of its method.
    static void markInterrupted(std::vector<MonitorRow>& rows);
    static nlohmann::json json(const std::vector<MonitorRow>& rows);
    // The number of the row that runs, 0 when none does.
    static long runningRow(const std::vector<MonitorRow>& rows);
    // The rows that take part in the run, those of them that have ended and that have failed, and
    // the running row.
    static nlohmann::json progress(const std::vector<MonitorRow>& rows);
};
