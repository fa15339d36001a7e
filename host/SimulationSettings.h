// How the simulated instrument runs one method: its run time, how it ends and the host messages
// it leaves on the way. Kept in the method folder as SIMULATE.INI.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class RunOutcome {
    Done,             // ends normally: the FIA hook resets _SERIONON before _METHODON falls
    Failed,           // ends early with _SERIONON left at 1 and an error message
    Aborted,          // the instrument aborts the method at its end, _SERIONON left at 1
    NotReady,         // ACQSTATUS$ stays "NOTREADY" the whole run time, then the method fails
    AcquisitionError, // halfway ACQSTATUS$ becomes "_ERROR" and stays so, and the method ends failed
};

// What a sample of the FIA table is to the run's results.
enum class SampleKind {
    Standard, // its known concentration calibrates the instrument
    Blank,    // expected to show nothing
    Check,    // a check standard: its known concentration is measured against the calibration
    Sample,
};

struct SimulationSettings {
    static constexpr const char* fileName = "SIMULATE.INI";
    // A day: long enough for any method, short enough that every time stays exact in milliseconds.
    static constexpr int maxRunSeconds = 86400;

    // A sample's concentration, which the height of its peaks follows: known for a standard and a
    // check standard, the one to simulate for a sample and a blank.
    struct Concentration {
        std::wstring sample;
        double value;
        SampleKind kind;
    };
    // The detector's response drifts by percent an hour of the instrument's time, or by percent at
    // once after so many injections since the instrument started.
    struct Drift {
        double percent;
        std::optional<long> afterInjections;
    };

    double runSeconds = 10;
    RunOutcome outcome = RunOutcome::Done;
    std::vector<std::wstring> messages;
    std::vector<Concentration> concentrations;
    std::optional<Drift> drift;

    // Lines "RunTime=seconds", "Outcome=done|failed|aborted|notready|acqerror", "Drift=percent% per
    // hour" or "Drift=percent% after N injections", and any number of "Message=text",
    // "Standard=sample name, concentration", "Check=sample name, concentration", "Blank=sample name"
    // (or "Blank=sample name, concentration") and "Sample=sample name, concentration"; ";" begins a
    // comment line. Empty, with the file, the line and the reason in error, when the file cannot be
    // read or a line is wrong.
    static std::optional<SimulationSettings> load(const std::filesystem::path& file, std::string& error);
    static std::optional<RunOutcome> outcomeFromName(std::string name);
    // What the settings say of the sample (names matched without regard to case); a sample that
    // they do not name is simulated at concentration 1.
    Concentration of(const std::wstring& sample) const;
    // The detector's response for an injection so many hours after the instrument started, as its
    // injection number since then.
    double response(double hours, long injection) const;
};
