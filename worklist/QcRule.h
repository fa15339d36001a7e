// One QC rule of a group: what it checks in a row's results, the limits that a result must keep,
// and what the run does when a result breaks it.
#pragma once

#include <string>

// What a rule checks, as each sample's line of result_tbl gives it.
enum class QcCheck {
    // A check standard's concentration in percent of its expected one, inside low..high.
    Recovery = 1,
    // A blank's concentration, at most high.
    Blank = 2,
    // Any sample's relative standard deviation of its replicate injections (%), at most high.
    Rsd = 3,
    // The run's calibration r², at least low.
    R2 = 4,
};

enum class QcAction {
    // Only as thenAction: nothing more to do.
    None = 0,
    // The row runs once more, as a row of its own; thenAction applies when that run fails too.
    Rerun = 1,
    // The calibration group runs, and then the run goes on with the next row.
    Calibrate = 2,
    Pause = 3,
    // The group ends, with its emergency command.
    Stop = 4,
};

struct QcRule {
    QcCheck check = QcCheck::Recovery;
    double low = 0;
    double high = 0;
    QcAction action = QcAction::Rerun;
    // What follows a rerun that fails again; Calibrate, Pause or Stop, and None for any other action.
    QcAction thenAction = QcAction::None;
    // The group that Calibrate runs, by either action; empty when neither calibrates.
    std::wstring calibrationGroup;

    bool operator==(const QcRule&) const = default;
    // Whether the rule can be kept: limits that can be met, and the actions complete as above.
    bool IsValid() const { return Fault() == 0; }
    // Why the rule cannot be kept, as the string of the module's table that says it; 0 when it can.
    unsigned Fault() const;
    // "recovery outside 90-110 %: rerun, then calibrate with CAL", as the audit trail and the
    // logbook tell it.
    std::wstring Text() const;
    // A result's value breaks the rule.
    bool IsBrokenBy(double value) const;
    // "rerun", "calibrate with CAL", "pause", "stop"; "go on" for None.
    std::wstring ActionText(QcAction what) const;
};
