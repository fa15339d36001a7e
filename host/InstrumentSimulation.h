// The simulated instrument behind the host's instrument commands: it loads a method's simulation
// settings, runs the method on the platform clock and ends it as the settings say, changing the
// host variables the way the module relies on.
#pragma once

#include "DetectorSignal.h"
#include "SignalAcquisition.h"
#include "SimulationSettings.h"

#include "kernel/Clock.h"
#include "orvane/CpVariables.h"
#include "orvane/MacroCall.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class InstrumentSimulation {
public:
    using Output = std::function<void(const std::wstring& line)>;

    // Registers LoadMethParams, FIALOADHOOK, RUNMETHOD, StopMethod, STANDBY, LAMPALL and PUMPALL
    // with the macro interpreter and follows _Abort; output receives what the instrument reports.
    explicit InstrumentSimulation(Output output);
    ~InstrumentSimulation();
    InstrumentSimulation(const InstrumentSimulation&) = delete;
    InstrumentSimulation& operator=(const InstrumentSimulation&) = delete;

    bool running() const { return m_run.has_value(); }

private:
    struct Step {
        std::int64_t dueMs;
        std::function<void()> action;
    };
    struct Run {
        std::wstring method;
        SimulationSettings settings;
        std::wstring dataFolder;
        std::deque<Step> steps;
        std::int64_t startMs = 0;
        std::int64_t endMs = 0;
        // None when the data folder could not be made.
        std::optional<SignalAcquisition> acquisition;
        std::vector<DetectorSignal::TableRow> table;
    };

    void loadMethParams(MacroCall& call);
    void fiaLoadHook(MacroCall& call);
    void runMethod(MacroCall& call);
    void stopMethod(MacroCall& call);
    void setInstrumentState(MacroCall& call, const wchar_t* what, const wchar_t* colour);

    bool loadMethod(MacroCall& call);
    bool fiaTableReads(const std::wstring& method, MacroCall& call, std::vector<DetectorSignal::TableRow>& table);
    std::optional<SimulationSettings> settingsOf(const std::wstring& method, MacroCall& call);
    void scheduleSteps(const SimulationSettings& settings);
    void runDueSteps();
    // The signal is acquired once a second of the method's time, so that its file grows as it runs.
    void scheduleAcquisition(std::int64_t dueMs);
    void planNextTimer();
    void announceMessage(const std::wstring& text);
    void finish(RunOutcome outcome, const std::wstring& result);
    void finishAcquisition();
    void showSystemStatus(const wchar_t* colour, const std::wstring& text);

    Output m_output;
    std::optional<std::wstring> m_loadedMethod;
    std::optional<SimulationSettings> m_loadedSettings;
    std::vector<DetectorSignal::TableRow> m_loadedTable;
    bool m_hookArmed = false;
    // The detector drifts with the instrument's time and its injections since it started.
    std::int64_t m_startedMs = 0;
    long m_injections = 0;
    std::optional<Run> m_run;
    std::optional<Clock::TimerId> m_timer;
    CpVariables::ObserverId m_abortObserver = 0;
};
