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

struct SimulationSettings {
    static constexpr const char* fileName = "SIMULATE.INI";
    // A day: long enough for any method, short enough that every time stays exact in milliseconds.
    static constexpr int maxRunSeconds = 86400;

    // A sample's concentration, which the height of its peaks follows: known for a standard,
    // the one to simulate for a sample.
    struct Concentration {
        std::wstring sample;
        double value;
        bool standard;
    };

    double runSeconds = 10;
    RunOutcome outcome = RunOutcome::Done;
    std::vector<std::wstring> messages;
    std::vector<Concentration> concentrations;

    // Lines "RunTime=seconds", "Outcome=done|failed|aborted|notready|acqerror" and any number of
    // "Message=text", "Standard=sample name, concentration" and "Sample=sample name, concentration";
    // ";" begins a comment line. Empty, with the file, the line and the reason in
    // error, when the file cannot be read or a line is wrong.
    static std::optional<SimulationSettings> load(const std::filesystem::path& file, std::string& error);
    static std::optional<RunOutcome> outcomeFromName(std::string name);
    // The concentration the settings give the sample (names matched without regard to case), or 1.
    double concentrationOf(const std::wstring& sample) const;
};
