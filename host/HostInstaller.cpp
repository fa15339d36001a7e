// The fresh installation: what a new user finds after `orvane --init` or the first start.
#include "HostInstaller.h"

#include "DeliveredDatabase.h"
#include "DemoWorklist.h"
#include "InstalledHelp.h"
#include "SimulationSettings.h"

#include <fstream>
#include <span>
#include <system_error>

namespace {

// Windows paths of the installation's folders; each path variable that the module joins with a
// name ends in a backslash, the help folder's base does not (the module adds "\helpenu\...").
constexpr const wchar_t* programFolder = L"C:\\Orvane";
constexpr const wchar_t* moduleFolder = L"C:\\Orvane\\Serion\\";
constexpr const wchar_t* methodFolder = L"C:\\Orvane\\Methods\\";
constexpr const wchar_t* dataFolder = L"C:\\Orvane\\Data\\";
constexpr const wchar_t* instrumentName = L"Instrument 1";

struct SampleMethod {
    const char* folder;
    const char* simulation;
    // The FIA table's rows ("vial, injections, "sample""), or null for a method without FIA.
    const char* fiaRows;
};

constexpr const char* nitrateSimulation =
    "RunTime=20\nOutcome=done\nStandard=Standard 1, 0.5\nStandard=Standard 2, 2.0\nSample=River inlet, 1.2\n";
constexpr const char* nitrateFiaRows = "Row 1, 1, \"Standard 1\"\nRow 2, 1, \"Standard 2\"\nRow 3, 2, \"River inlet\"\n";
constexpr const char* phosphateSimulation =
    "RunTime=30\nOutcome=done\nBlank=Blank\nCheck=Check standard, 1.0\nSample=Lake outlet, 0.4\n";
constexpr const char* phosphateFiaRows =
    "Row 10, 1, \"Blank\"\nRow 11, 2, \"Check standard\"\nRow 12, 3, \"Lake outlet\"\n";

// One method for every way a run can end, so that each path can be shown and tested.
const SampleMethod sampleMethods[] = {
    {"NITRATE.M", nitrateSimulation, nitrateFiaRows},
    {"PHOSPHATE.M", phosphateSimulation, phosphateFiaRows},
    {"BLANK.M", "RunTime=5\nOutcome=done\n", nullptr},
    {"LEAK.M", "RunTime=15\nOutcome=failed\nMessage=Pump pressure above limit.\nMessage=Flow stopped.\n",
     "Row 4, 1, \"Well 4\"\n"},
    {"ABORTED.M", "RunTime=12\nOutcome=aborted\n", "Row 5, 1, \"Well 5\"\n"},
    {"NOTREADY.M", "RunTime=20\nOutcome=notready\nMessage=Detector lamp not ready.\n", "Row 6, 1, \"Well 6\"\n"},
    {"ACQERROR.M", "RunTime=16\nOutcome=acqerror\nMessage=Acquisition board does not answer.\n",
     "Row 7, 1, \"Well 7\"\n"},
};

// The demo night's methods: the nitrate standards and the phosphate checks on an instrument
// that answers 20 % less from its 11th injection since the host started; methods of their own,
// so that the sample methods keep answering as a fresh instrument does.
const SampleMethod demoMethods[] = {
    {"NO3DRIFT.M", nitrateSimulation, nitrateFiaRows},
    {"PO4DRIFT.M", phosphateSimulation, phosphateFiaRows},
};
constexpr const char* demoDrift = "Drift=-20% after 10 injections\n";

// The method's FIA register file, as docs/register-files.md describes it.
std::string fiaRegister(const SampleMethod& method)
{
    std::string text = std::string("ORVANE REGISTER 1\n; The FIA settings of ") + method.folder +
                       ".\nObject \"FIA\"\nTable FIATable\n";
    text += method.fiaRows ? "Header FIAEnabled = 1\n" : "Header FIAEnabled = 0\n";
    text += "Column VIALNUMBER Long\nColumn INJPERVIAL Long\nColumn SAMPLENAME String\n";
    if (method.fiaRows)
        text += method.fiaRows;
    return text + "EndTable\nEndObject\n";
}

bool writeFile(const std::filesystem::path& file, const std::string& text, std::string& error)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (out.flush())
        return true;
    error = file.string() + ": cannot be written";
    return false;
}

bool makeFolder(const std::filesystem::path& folder, std::string& error)
{
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!code)
        return true;
    error = folder.string() + ": " + code.message();
    return false;
}

std::string simulationHeader(const char* method)
{
    return std::string("; How the simulated instrument runs ") + method +
           ".\n; RunTime in seconds; Outcome done, failed, aborted, notready or acqerror;\n"
           "; each Message line is a host message shown while the method runs; Standard, Check, Blank\n"
           "; and Sample name the FIA table's samples with their concentrations (docs/host.md).\n";
}

// Each method with its simulation settings and extraSettings after them.
bool installMethods(const HostRoot& root, std::span<const SampleMethod> methods, const std::string& extraSettings,
                    std::string& error)
{
    for (const auto& method : methods) {
        const auto folder = root.onDriveC("Orvane/Methods") / method.folder;
        if (!makeFolder(folder, error) || !writeFile(folder / "FIA.REG", fiaRegister(method), error) ||
            !writeFile(folder / SimulationSettings::fileName,
                       simulationHeader(method.folder) + method.simulation + extraSettings, error))
            return false;
    }
    return true;
}

} // namespace

std::vector<HostVariable> HostInstaller::defaultVariables()
{
    return {
        {"_AUTOPATH$", std::wstring(programFolder)},
        {"_AUTOMSPATH$", std::wstring(moduleFolder)},
        {"_METHPATH$", std::wstring(methodFolder)},
        {"_DATAPATH$", std::wstring(dataFolder)},
        {"_INSTNAME$", std::wstring(instrumentName)},
        {"_OFFLINE", 0.0},
        {"_METHODON", 0.0},
        {"_SERIONON", 0.0},
        {"_SERIONLOAD", 0.0},
        {"_METHODCHANGED", 0.0},
        {"_FIAON", 0.0},
        {"_Abort", 0.0},
        {"METHENDSTATUS", 0.0},
        {"ACQSTATUS$", std::wstring(L"READY")},
        {"GUISYSTEMSTATUS$", std::wstring(instrumentName) + L"|Online|ST:G|Idle"},
        {"_ERRMSG$", std::wstring()},
        {"_ERRCMD$", std::wstring()},
        {"_ERRFILE$", std::wstring()},
        {"_ERRLINE", 0.0},
        {"_ERROR", 0.0},
        {"_METHFILE$", std::wstring()},
        {"_DATAFILE$", std::wstring()},
        {"_DATAFILE1$", std::wstring()},
        {"_DATASUBDIR$", std::wstring()},
        {"_SAMPINFO$", std::wstring()},
        {"_OPERATOR$", std::wstring()},
    };
}

bool HostInstaller::install(const HostRoot& root, std::string& error)
{
    for (const char* folder : {"Orvane/Serion/database", "Orvane/Methods", "Orvane/Data", "Orvane/helpenu"}) {
        if (!makeFolder(root.onDriveC(folder), error))
            return false;
    }
    if (!makeFolder(root.path() / "D", error) || !installMethods(root, sampleMethods, "", error) ||
        !CreateDeliveredDatabase(root.worklistFile(), error) ||
        !writeFile(root.onDriveC("Orvane/helpenu/Orvane.chm"), InstalledHelpFile(), error))
        return false;
    // The variable file comes last: its presence marks a complete installation.
    if (!HostVariableFile::save(root.variableFile(), defaultVariables())) {
        error = root.variableFile().string() + ": cannot be written";
        return false;
    }
    return true;
}

bool HostInstaller::installDemo(const HostRoot& root, std::string& error)
{
    const std::wstring methodPath = methodFolder;
    return installMethods(root, demoMethods, demoDrift, error) && CreateDemoWorklist(root.worklistFile(), std::string(methodPath.begin(), methodPath.end()),
                              error);
}
