// The instrument simulation: a method runs as a list of timed steps on the platform clock.
#include "InstrumentSimulation.h"

#include "Calibration.h"
#include "RunResults.h"

#include "kernel/DriveMap.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "orvane/BspHub.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/RegFileReader.h"
#include "orvane/RegisterStore.h"
#include "orvane/RegTable.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr const char* instrumentCommands[] = {"LoadMethParams", "FIALOADHOOK", "RUNMETHOD", "StopMethod",
                                              "STANDBY",        "LAMPALL",     "PUMPALL"};

// METHENDSTATUS after a run: how the method ended.
constexpr double endedNormally = 1;
constexpr double endedFailed = 2;
constexpr double endedAborted = 3;

double number(const char* name)
{
    const auto value = CpVariables::instance().get(name);
    return value ? value->number() : 0;
}

std::wstring text(const char* name)
{
    const auto value = CpVariables::instance().get(name);
    return value ? value->text() : std::wstring();
}

void set(const char* name, const CpValue& value) { CpVariables::instance().set(name, value); }

bool isSet(double value) { return value >= 0.5; }

std::wstring withoutTrailingSeparators(std::wstring path)
{
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

// The data folder a run writes, as the module's pre-run check looks for it.
std::wstring dataFolderOfRun(const std::wstring& method)
{
    std::wstring folder = withoutTrailingSeparators(text("_DATAPATH$")) + L"\\";
    if (const std::wstring sub = text("_DATASUBDIR$"); !sub.empty())
        folder += sub + L"\\";
    const std::wstring file = text("_DATAFILE$");
    return folder + (file.empty() ? method + L".d" : file);
}

std::wstring localTimeText()
{
    wchar_t date[16];
    wchar_t time[16];
    _wstrdate_s(date, 16);
    _wstrtime_s(time, 16);
    return std::wstring(date) + L" " + time;
}

// Each run leaves RUN.LOG in its data folder: what ran, when, and how it ended.
void appendRunLog(const std::wstring& dataFolder, const std::wstring& line)
{
    if (const auto file = DriveMap::toHost(dataFolder + L"\\RUN.LOG"))
        std::ofstream(*file, std::ios::binary | std::ios::app) << WideToUtf8(line) << '\n';
}

} // namespace

InstrumentSimulation::InstrumentSimulation(Output output) : m_output(std::move(output)), m_startedMs(Clock::nowMs())
{
    auto& interpreter = MacroInterpreter::instance();
    interpreter.registerCommand("LoadMethParams", 0, 0, [this](MacroCall& call) { loadMethParams(call); });
    interpreter.registerCommand("FIALOADHOOK", 0, 1, [this](MacroCall& call) { fiaLoadHook(call); });
    interpreter.registerCommand("RUNMETHOD", 0, 0, [this](MacroCall& call) { runMethod(call); });
    interpreter.registerCommand("StopMethod", 0, 0, [this](MacroCall& call) { stopMethod(call); });
    interpreter.registerCommand("STANDBY", 0, 0,
                                [this](MacroCall& call) { setInstrumentState(call, L"Standby", L"C"); });
    interpreter.registerCommand("LAMPALL", 1, 1, [this](MacroCall& call) { setInstrumentState(call, L"Lamps", L"W"); });
    interpreter.registerCommand("PUMPALL", 1, 1, [this](MacroCall& call) { setInstrumentState(call, L"Pumps", L"W"); });
    m_abortObserver = CpVariables::instance().addObserver([this](const std::string& name) {
        if (!EqualsNoCase(name, "_Abort") || !isSet(number("_Abort")))
            return;
        set("_Abort", 0.0);
        if (running())
            finish(RunOutcome::Aborted, L"aborted by _Abort");
    });
}

InstrumentSimulation::~InstrumentSimulation()
{
    CpVariables::instance().removeObserver(m_abortObserver);
    if (m_timer)
        Clock::removeTimer(*m_timer);
    for (const char* command : instrumentCommands)
        MacroInterpreter::instance().unregisterCommand(command);
}

void InstrumentSimulation::loadMethParams(MacroCall& call)
{
    if (loadMethod(call))
        m_output(L"Method " + *m_loadedMethod + L" loaded.");
}

bool InstrumentSimulation::loadMethod(MacroCall& call)
{
    const std::wstring method = text("_METHPATH$") + text("_METHFILE$");
    const auto folder = DriveMap::toHost(method);
    // A path the file system refuses (a name too long, say) is a method that does not exist.
    std::error_code refused;
    if (text("_METHFILE$").empty() || !folder || !std::filesystem::is_directory(*folder, refused)) {
        call.fail(L"The method \"" + method + L"\" does not exist.");
        return false;
    }
    std::vector<DetectorSignal::TableRow> table;
    auto settings = fiaTableReads(method, call, table) ? settingsOf(method, call) : std::nullopt;
    if (!settings)
        return false;
    for (DetectorSignal::TableRow& row : table)
        row.concentration = settings->of(row.sample).value;
    m_loadedMethod = method;
    m_loadedSettings = std::move(settings);
    m_loadedTable = std::move(table);
    return true;
}

// The instrument checks a method's FIA table when it loads the method, so that a broken one is
// reported here and not only when the module's dialog first reads it. A method without one has no
// FIA table.
bool InstrumentSimulation::fiaTableReads(const std::wstring& method, MacroCall& call,
                                         std::vector<DetectorSignal::TableRow>& table)
{
    const std::wstring file = method + L"\\FIA.REG";
    const auto path = DriveMap::toHost(file);
    std::error_code refused;
    if (!path || !std::filesystem::exists(*path, refused))
        return true;
    const auto bytes = FileBytes::read(*path);
    std::vector<std::unique_ptr<RegObject>> objects;
    std::wstring error = file + L": the file cannot be read";
    if (!bytes || !RegFileReader::read(Utf8ToWide(*bytes), file, &objects, &error)) {
        call.fail(error);
        return false;
    }
    // Each row of an enabled FIA table injects its location's sample so many times.
    for (const auto& object : objects) {
        const RegTable* fia = EqualsNoCase(object->name(), L"FIA") ? object->table(L"FIATable") : nullptr;
        const CpValue* enabled = fia ? fia->header(L"FIAEnabled") : nullptr;
        if (!enabled || !isSet(enabled->number()))
            continue;
        for (std::size_t row = 1; row <= fia->rowCount(); ++row)
            table.push_back({fia->getLong(row, L"VIALNUMBER").value_or(0), fia->getLong(row, L"INJPERVIAL").value_or(1),
                             fia->getString(row, L"SAMPLENAME").value_or(L""), 1});
    }
    return true;
}

// The method's SIMULATE.INI; a method without one runs with the defaults, and the user is told.
std::optional<SimulationSettings> InstrumentSimulation::settingsOf(const std::wstring& method, MacroCall& call)
{
    const std::wstring file = method + L"\\" + Utf8ToWide(SimulationSettings::fileName);
    const auto path = DriveMap::toHost(file);
    std::error_code refused;
    if (!path || !std::filesystem::exists(*path, refused)) {
        m_output(L"The method " + method + L" has no " + Utf8ToWide(SimulationSettings::fileName) +
                 L"; it runs with the defaults.");
        return SimulationSettings();
    }
    std::string error;
    auto settings = SimulationSettings::load(*path, error);
    if (!settings)
        call.fail(Utf8ToWide(error));
    return settings;
}

void InstrumentSimulation::fiaLoadHook(MacroCall& call)
{
    // _SERIONLOAD asks for the hook that ends a normal run with _SERIONON back at 0; a call
    // without it (the post-run call) takes the hook away again.
    m_hookArmed = isSet(number("_SERIONLOAD"));
    set("_SERIONLOAD", 0.0);
    if (!call.text(0).empty())
        m_output(call.text(0));
}

void InstrumentSimulation::runMethod(MacroCall& call)
{
    if (running()) {
        call.fail(L"A method is running already.");
        return;
    }
    const std::wstring method = text("_METHPATH$") + text("_METHFILE$");
    if ((m_loadedMethod != method || !m_loadedSettings) && !loadMethod(call))
        return;
    const std::wstring name = text("_METHFILE$");
    m_run = Run{name, *m_loadedSettings, dataFolderOfRun(name), {}, 0, 0, std::nullopt, m_loadedTable};
    if (const auto folder = DriveMap::toHost(m_run->dataFolder)) {
        std::error_code error;
        if (std::filesystem::create_directories(*folder, error) || std::filesystem::is_directory(*folder, error)) {
            const double runSeconds = m_run->settings.runSeconds;
            auto injections = DetectorSignal::plan(m_loadedTable, runSeconds);
            const double hours = static_cast<double>(Clock::nowMs() - m_startedMs) / 3.6e6;
            for (DetectorSignal::Injection& injection : injections)
                injection.response = m_run->settings.response(hours + injection.time / 3600, m_injections + injection.number);
            m_run->acquisition.emplace(*folder, DetectorSignal(std::move(injections), runSeconds));
            m_run->acquisition->acquireTo(0);
        }
    }
    appendRunLog(m_run->dataFolder, L"Method " + method + L" started " + localTimeText() + L".");

    const bool notReady = m_run->settings.outcome == RunOutcome::NotReady;
    set("METHENDSTATUS", 0.0);
    set("_FIAON", 1.0);
    set("ACQSTATUS$", std::wstring(notReady ? L"NOTREADY" : L"RUN"));
    showSystemStatus(notReady ? L"Y" : L"B", notReady ? L"Not ready" : L"Run " + name);
    scheduleSteps(m_run->settings);
    set("_METHODON", 1.0);
    m_output(L"Method " + name + L" is running.");
}

void InstrumentSimulation::scheduleSteps(const SimulationSettings& settings)
{
    const std::int64_t start = Clock::nowMs();
    // An acquisition error ends the method halfway; messages come evenly spread before the end.
    const bool acquisitionError = settings.outcome == RunOutcome::AcquisitionError;
    const auto runMs = static_cast<std::int64_t>(settings.runSeconds * 1000) / (acquisitionError ? 2 : 1);
    m_run->startMs = start;
    m_run->endMs = start + runMs;
    const auto count = static_cast<std::int64_t>(settings.messages.size());
    for (std::int64_t k = 0; k < count; ++k) {
        const std::wstring message = settings.messages[k];
        m_run->steps.push_back({start + runMs * (k + 1) / (count + 1), [this, message] { announceMessage(message); }});
    }
    m_run->steps.push_back({start + runMs, [this, outcome = settings.outcome] {
                                if (outcome == RunOutcome::AcquisitionError)
                                    set("ACQSTATUS$", std::wstring(L"_ERROR"));
                                finish(outcome, outcome == RunOutcome::Done ? L"complete" : L"failed");
                            }});
    std::stable_sort(m_run->steps.begin(), m_run->steps.end(),
                     [](const Step& a, const Step& b) { return a.dueMs < b.dueMs; });
    scheduleAcquisition(start + 1000);
    planNextTimer();
}

void InstrumentSimulation::scheduleAcquisition(std::int64_t dueMs)
{
    // The method's end acquires what is left.
    if (!m_run->acquisition || dueMs >= m_run->endMs)
        return;
    const auto later = std::upper_bound(m_run->steps.begin(), m_run->steps.end(), dueMs,
                                        [](std::int64_t due, const Step& step) { return due < step.dueMs; });
    m_run->steps.insert(later, {dueMs, [this, dueMs] {
                                    m_run->acquisition->acquireTo(static_cast<double>(dueMs - m_run->startMs) / 1000);
                                    scheduleAcquisition(dueMs + 1000);
                                }});
}

void InstrumentSimulation::runDueSteps()
{
    while (m_run && !m_run->steps.empty() && m_run->steps.front().dueMs <= Clock::nowMs()) {
        const Step step = std::move(m_run->steps.front());
        m_run->steps.pop_front();
        step.action();
    }
    planNextTimer();
}

void InstrumentSimulation::planNextTimer()
{
    if (m_timer)
        Clock::removeTimer(*m_timer);
    m_timer.reset();
    if (!m_run || m_run->steps.empty())
        return;
    m_timer = Clock::addTimer(m_run->steps.front().dueMs - Clock::nowMs(), [this] { runDueSteps(); });
}

void InstrumentSimulation::announceMessage(const std::wstring& message)
{
    Register& gui = RegisterStore::instance().obtain(L"GUI");
    RegObject* object = gui.object(1) ? gui.object(1) : &gui.addObject(L"GUI");
    object->setText(L"ModMsgText", message);
    BspHub::instance().announceObjectChange(L"GUI", 1);
    appendRunLog(m_run->dataFolder, L"Host message: " + message);
    m_output(L"Host message: " + message);
}

void InstrumentSimulation::finish(RunOutcome outcome, const std::wstring& result)
{
    if (m_run->acquisition)
        finishAcquisition();
    const Run run = std::move(*m_run);
    m_run.reset();
    planNextTimer();
    m_loadedMethod.reset();
    m_loadedSettings.reset();
    m_loadedTable.clear();

    if (outcome == RunOutcome::Done && m_hookArmed)
        set("_SERIONON", 0.0);
    set("METHENDSTATUS", outcome == RunOutcome::Done      ? endedNormally
                         : outcome == RunOutcome::Aborted ? endedAborted
                                                          : endedFailed);
    if (outcome != RunOutcome::Done && outcome != RunOutcome::Aborted)
        set("_ERRMSG$", L"Method " + run.method + L" failed.");
    set("_FIAON", 0.0);
    // An acquisition error stays in ACQSTATUS$ until the next run: whoever follows the variable
    // reads its value later and must still find the error.
    if (outcome == RunOutcome::AcquisitionError) {
        showSystemStatus(L"R", L"Acquisition error");
    } else {
        set("ACQSTATUS$", std::wstring(L"READY"));
        showSystemStatus(L"G", L"Idle");
    }
    // _METHODON falls last: whoever follows it sees every other variable of the end already.
    set("_METHODON", 0.0);

    const std::wstring line = L"Method " + run.method + L" " + result + L" " + localTimeText() + L".";
    appendRunLog(run.dataFolder, line);
    m_output(L"Method " + run.method + L" " + result + L".");
}

// The peaks and the results are in the data folder before any variable of the end changes.
void InstrumentSimulation::finishAcquisition()
{
    const double seconds = static_cast<double>(Clock::nowMs() - m_run->startMs) / 1000;
    SignalAcquisition& acquisition = *m_run->acquisition;
    acquisition.acquireTo(seconds);
    const auto peaks = acquisition.finish();
    const auto& injections = acquisition.signal().injections();
    m_injections += std::count_if(injections.begin(), injections.end(),
                                  [&](const DetectorSignal::Injection& injection) { return injection.time <= seconds; });
    const auto folder = DriveMap::toHost(m_run->dataFolder);
    const auto calibrationFile = DriveMap::toHost(withoutTrailingSeparators(text("_DATAPATH$")) + L"\\" +
                                                  Utf8ToWide(Calibration::fileName));
    if (!folder || !calibrationFile)
        return;
    if (const std::string line = WriteRunResults(*folder, *calibrationFile, m_run->table, m_run->settings, injections, peaks);
        !line.empty())
        appendRunLog(m_run->dataFolder, Utf8ToWide(line));
}

void InstrumentSimulation::stopMethod(MacroCall&)
{
    if (!running()) {
        m_output(L"No method is running.");
        return;
    }
    finish(RunOutcome::Aborted, L"stopped");
}

void InstrumentSimulation::setInstrumentState(MacroCall& call, const wchar_t* what, const wchar_t* colour)
{
    std::wstring state = what;
    if (call.count() > 0) {
        const std::wstring onOff = ToUpperWide(call.text(0));
        if (onOff != L"ON" && onOff != L"OFF") {
            call.fail(ToUpperWide(call.command()) + L" takes ON or OFF, not \"" + call.text(0) + L"\".");
            return;
        }
        state += L" " + ToLowerWide(onOff);
    }
    if (running()) {
        call.fail(L"A method is running: " + state + L" must wait until it has ended.");
        return;
    }
    showSystemStatus(colour, state);
    m_output(L"Instrument: " + state + L".");
}

void InstrumentSimulation::showSystemStatus(const wchar_t* colour, const std::wstring& state)
{
    const std::wstring mode = isSet(number("_OFFLINE")) ? L"Offline" : L"Online";
    set("GUISYSTEMSTATUS$", text("_INSTNAME$") + L"|" + mode + L"|ST:" + colour + L"|" + state);
}
