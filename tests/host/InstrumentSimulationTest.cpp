// The simulated instrument as the module drives it: the command lines a method start queues,
// then the variables, register texts and data folders the module and the user see.
#include "FreshHost.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/BspHub.h"
#include "orvane/CpApi.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/RegisterStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The lines of a CSV file without quoted fields, each split at its commas.
std::vector<std::vector<std::string>> csvLines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.emplace_back();
        std::istringstream fields(line + ",");
        for (std::string field; std::getline(fields, field, ',');)
            lines.back().push_back(field);
    }
    return lines;
}

class InstrumentSimulationTest : public FreshHost {
protected:
    void SetUp() override
    {
        FreshHost::SetUp();
        start();
        output.clear();
        context = host->context();
        observer = CpVariables::instance().addObserver([this](const std::string& name) {
            if (name == "_METHODON" || name == "_SERIONON")
                changes.push_back(name + "=" + WideToUtf8(CpVariables::instance().get(name)->toText()));
        });
    }
    void TearDown() override
    {
        CpVariables::instance().removeObserver(observer);
        FreshHost::TearDown();
    }

    // The lines a method start sends, after the variables it sets.
    void startMethod(const std::wstring& method, const std::wstring& dataFile)
    {
        CpSetNumVar(context, "_SERIONON", 1.0);
        CpSetStrVar(context, "_DATAFILE$", dataFile.c_str());
        CpSetStrVar(context, "_DATASUBDIR$", L"Group1");
        CpSetStrVar(context, "_METHFILE$", method.c_str());
        execute(L"LoadMethParams  ");
        CpSetNumVar(context, "_SERIONLOAD", 1.0);
        execute(L"FIALOADHOOK ");
        execute(L"RUNMETHOD ");
    }
    int execute(const std::wstring& line) { return MacroInterpreter::instance().execute(line, context); }
    double number(const char* name) { return CpVariables::instance().get(name)->number(); }
    std::wstring text(const char* name) { return CpVariables::instance().get(name)->text(); }
    // Moves the virtual clock by seconds, running the timers due on the way.
    void runFor(double seconds)
    {
        const std::int64_t end = Clock::nowMs() + static_cast<std::int64_t>(seconds * 1000);
        while (Clock::nextDueMs() && *Clock::nextDueMs() <= end)
            Clock::advanceToNextTimer();
        Clock::advance(end - Clock::nowMs());
    }

    bool running() { return host->instrument().running(); }

    HCPCONTEXT context = 0;
    CpVariables::ObserverId observer = 0;
    std::vector<std::string> changes;
};

TEST_F(InstrumentSimulationTest, ResultsMeasureEachSampleAgainstTheCalibrationOfTheLastStandardsAsTheDetectorDrifts)
{
    const auto results = [&](const char* dataFile) {
        return csvLines(ReadFileBytes(temp.onDriveC("Orvane/Data/Group1") / dataFile / "RESULTS.CSV"));
    };
    const auto value = [](const std::string& field) { return field.empty() ? -1 : std::stod(field); };
    // NITRATE.M's two standards calibrate the instrument, and its sample is measured against them.
    startMethod(L"NITRATE.M", L"N1.d");
    runFor(20);
    auto lines = results("N1.d");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (std::vector<std::string>{"Location", "Sample", "Kind", "Expected", "Injections", "Height (mAU)",
                                                   "Area (mAU*s)", "RSD (%)", "Concentration", "R2"}));
    EXPECT_EQ(std::vector(lines[1].begin(), lines[1].begin() + 5), (std::vector<std::string>{"1", "Standard 1", "standard", "0.5000", "1"}));
    EXPECT_EQ(lines[1][7], "") << "one injection has no RSD";
    EXPECT_NEAR(value(lines[2][8]), 2.0, 0.02);
    EXPECT_EQ(std::vector(lines[3].begin(), lines[3].begin() + 5), (std::vector<std::string>{"3", "River inlet", "sample", "", "2"}));
    EXPECT_LT(value(lines[3][7]), 2);
    EXPECT_NEAR(value(lines[3][8]), 1.2, 0.03);
    EXPECT_GT(value(lines[3][9]), 0.999);
    EXPECT_NE(ReadFileBytes(temp.onDriveC("Orvane/Data/Group1/N1.d/RUN.LOG")).find("Calibrated by its standards: height = "),
              std::string::npos);

    // PHOSPHATE.M has no standards: its blank, check standard and sample are measured against
    // NITRATE.M's calibration, kept for the runs after it. After the instrument's tenth injection
    // the detector answers 20 % less, and the check standard reads low; a drift per hour has
    // lowered it by the hours the instrument has run.
    const auto settings = temp.onDriveC("Orvane/Methods/PHOSPHATE.M/SIMULATE.INI");
    WriteFileBytes(settings, ReadFileBytes(settings) + "Drift=-20% after 10 injections\n");
    const struct {
        const char* dataFile;
        double check;
    } runs[] = {{"P1.d", 1.0}, {"P2.d", 0.8}};
    for (const auto& run : runs) {
        startMethod(L"PHOSPHATE.M", Utf8ToWide(run.dataFile));
        runFor(30);
        lines = results(run.dataFile);
        ASSERT_EQ(lines.size(), 4u) << run.dataFile;
        EXPECT_EQ(std::vector(lines[1].begin(), lines[1].begin() + 5), (std::vector<std::string>{"10", "Blank", "blank", "0.0000", "1"}));
        EXPECT_NEAR(value(lines[1][8]), 0, 0.05);
        EXPECT_EQ(std::vector(lines[2].begin(), lines[2].begin() + 5), (std::vector<std::string>{"11", "Check standard", "check", "1.0000", "2"}));
        EXPECT_NEAR(value(lines[2][8]), run.check, 0.03) << run.dataFile;
        EXPECT_NEAR(value(lines[3][8]), 0.4 * run.check, 0.03) << run.dataFile;
    }
    WriteFileBytes(settings, ReadFileBytes(settings) + "Drift=-10% per hour\n");
    runFor(3600);
    startMethod(L"PHOSPHATE.M", L"P3.d");
    runFor(30);
    EXPECT_NEAR(value(results("P3.d")[2][8]), 0.9, 0.03);

    // A run stopped before any injection was acquired whole lists its samples without results.
    startMethod(L"NITRATE.M", L"N2.d");
    execute(L"StopMethod");
    EXPECT_EQ(results("N2.d")[3], (std::vector<std::string>{"3", "River inlet", "sample", "", "0", "", "", "", "", ""}));
}

TEST_F(InstrumentSimulationTest, NotReadyMethodIsAbortedByAbortAssignment)
{
    startMethod(L"NOTREADY.M", L"R1.d");
    EXPECT_EQ(text("ACQSTATUS$"), L"NOTREADY");
    runFor(3);
    ASSERT_EQ(execute(L"_Abort=1 "), MACRO_OK);
    EXPECT_FALSE(running());
    EXPECT_EQ(number("_METHODON"), 0.0);
    EXPECT_EQ(number("_SERIONON"), 1.0);
    EXPECT_EQ(number("_Abort"), 0.0);
    EXPECT_EQ(number("METHENDSTATUS"), 3.0);
    EXPECT_EQ(text("ACQSTATUS$"), L"READY");
    // Nothing of the aborted run is left to happen later.
    EXPECT_FALSE(Clock::nextDueMs());
}

TEST_F(InstrumentSimulationTest, StopMethodAndCommandMistakesAreReportedAsHostErrors)
{
    startMethod(L"PHOSPHATE.M", L"P1.d");
    EXPECT_EQ(execute(L"RUNMETHOD"), MACRO_ERR_COMMAND_FAILED);
    EXPECT_EQ(text("_ERRMSG$"), L"A method is running already.");
    EXPECT_EQ(execute(L"STANDBY"), MACRO_ERR_COMMAND_FAILED);
    ASSERT_EQ(execute(L"StopMethod "), MACRO_OK);
    EXPECT_EQ(number("_METHODON"), 0.0);
    EXPECT_EQ(number("_SERIONON"), 1.0);
    EXPECT_EQ(output.back(), L"Method PHOSPHATE.M stopped.");
    EXPECT_EQ(execute(L"StopMethod"), MACRO_OK);
    EXPECT_EQ(output.back(), L"No method is running.");

    CpSetStrVar(context, "_METHFILE$", L"MISSING.M");
    EXPECT_EQ(execute(L"LoadMethParams"), MACRO_ERR_COMMAND_FAILED);
    EXPECT_EQ(text("_ERRMSG$"), L"The method \"C:\\Orvane\\Methods\\MISSING.M\" does not exist.");
    EXPECT_EQ(execute(L"LAMPALL DIM"), MACRO_ERR_COMMAND_FAILED);
    EXPECT_EQ(text("_ERRMSG$"), L"LAMPALL takes ON or OFF, not \"DIM\".");
    EXPECT_EQ(execute(L"lampall off"), MACRO_OK);
    EXPECT_EQ(text("GUISYSTEMSTATUS$"), L"Instrument 1|Online|ST:W|Lamps off");
    EXPECT_EQ(execute(L"STANDBY"), MACRO_OK);
    EXPECT_EQ(text("GUISYSTEMSTATUS$"), L"Instrument 1|Online|ST:C|Standby");
}

TEST_F(InstrumentSimulationTest, BrokenMethodFilesAreNamedWithTheirLineAndNothingRuns)
{
    // A method name the file system refuses is a method that does not exist, not a crash.
    const std::wstring longName(300, L'N');
    CpSetStrVar(context, "_METHFILE$", longName.c_str());
    EXPECT_EQ(execute(L"LoadMethParams"), MACRO_ERR_COMMAND_FAILED);
    EXPECT_EQ(text("_ERRMSG$"), L"The method \"C:\\Orvane\\Methods\\" + longName + L"\" does not exist.");
    EXPECT_EQ(execute(L"RUNMETHOD"), MACRO_ERR_COMMAND_FAILED);

    // Run times that are not finite or do not fit the clock are refused with their line.
    const auto settings = temp.onDriveC("Orvane/Methods/LEAK.M/SIMULATE.INI");
    CpSetStrVar(context, "_METHFILE$", L"LEAK.M");
    for (const char* runTime : {"nan", "inf", "1e300", "5e15"}) {
        SCOPED_TRACE(runTime);
        WriteFileBytes(settings, std::string("; broken\nRunTime=") + runTime + "\n");
        EXPECT_EQ(execute(L"RUNMETHOD"), MACRO_ERR_COMMAND_FAILED);
        EXPECT_NE(text("_ERRMSG$").find(L"SIMULATE.INI:2: RunTime needs a number of seconds from 0 to 86400"),
                  std::wstring::npos)
            << WideToUtf8(text("_ERRMSG$"));
        EXPECT_FALSE(running());
    }

    for (const char* line : {"Standard=Standard 1", "Check=, 1", "Drift=-5 per hour", "Drift=-5% after many injections"}) {
        SCOPED_TRACE(line);
        WriteFileBytes(settings, std::string(line) + "\n");
        EXPECT_EQ(execute(L"RUNMETHOD"), MACRO_ERR_COMMAND_FAILED);
        EXPECT_NE(text("_ERRMSG$").find(L"SIMULATE.INI:1: " + Utf8ToWide(std::string(line).substr(0, 5))), std::wstring::npos)
            << WideToUtf8(text("_ERRMSG$"));
    }

    // The FIA table is checked when the method loads, before any run.
    WriteFileBytes(settings, "RunTime=1\n");
    WriteFileBytes(temp.onDriveC("Orvane/Methods/LEAK.M/FIA.REG"),
                   "ORVANE REGISTER 1\nObject \"FIA\"\n  Table FIATable\n    Column\n");
    EXPECT_EQ(execute(L"LoadMethParams"), MACRO_ERR_COMMAND_FAILED);
    EXPECT_EQ(text("_ERRMSG$"),
              L"C:\\Orvane\\Methods\\LEAK.M\\FIA.REG, line 4: Column takes a name and Long or String");

    // A method without simulation settings runs with the defaults, and says so.
    std::filesystem::remove(temp.onDriveC("Orvane/Methods/LEAK.M/FIA.REG"));
    std::filesystem::remove(settings);
    output.clear();
    EXPECT_EQ(execute(L"RUNMETHOD"), MACRO_OK);
    EXPECT_EQ(output.front(), L"The method C:\\Orvane\\Methods\\LEAK.M has no SIMULATE.INI; it runs with the defaults.");
    runFor(10);
    EXPECT_EQ(number("METHENDSTATUS"), 1.0);
}

} // namespace
