// A fresh installation as the module and a user find it.
#include "host/HostInstaller.h"
#include "host/SimulationSettings.h"

#include "kernel/DriveMap.h"
#include "kernel/Text.h"
#include "orvane/RegApi.h"
#include "orvane/RegisterStore.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::wstring textOf(const std::vector<HostVariable>& variables, const std::string& name)
{
    const auto found = std::find_if(variables.begin(), variables.end(), [&](const auto& v) { return v.name == name; });
    return found == variables.end() ? L"<missing>" : std::get<std::wstring>(found->value);
}

TEST(HostInstaller, FreshRootHoldsFoldersVariablesAndSampleMethods)
{
    TempRoot temp;
    const HostRoot root(temp.path() / "install");
    ASSERT_FALSE(root.isInstalled());
    std::string error;
    ASSERT_TRUE(HostInstaller::install(root, error)) << error;
    EXPECT_TRUE(root.isInstalled());

    std::string loadError;
    const auto variables = HostVariableFile::load(root.variableFile(), loadError);
    ASSERT_TRUE(variables) << loadError;
    // The module appends "database\worklist.mdb" and method names directly: these end in a backslash.
    EXPECT_EQ(textOf(*variables, "_AUTOMSPATH$"), L"C:\\Orvane\\Serion\\");
    EXPECT_EQ(textOf(*variables, "_METHPATH$"), L"C:\\Orvane\\Methods\\");
    EXPECT_EQ(textOf(*variables, "_DATAPATH$"), L"C:\\Orvane\\Data\\");
    EXPECT_EQ(textOf(*variables, "_AUTOPATH$"), L"C:\\Orvane");
    EXPECT_EQ(textOf(*variables, "ACQSTATUS$"), L"READY");

    EXPECT_TRUE(std::filesystem::is_regular_file(root.onDriveC("Orvane/Serion/database/worklist.mdb")));
    EXPECT_TRUE(std::filesystem::is_directory(root.onDriveC("Orvane/Data")));
    EXPECT_TRUE(std::filesystem::is_directory(root.path() / "D"));
    EXPECT_TRUE(std::filesystem::is_regular_file(root.onDriveC("Orvane/helpenu/Orvane.chm")));

    // Every way a run can end has a sample method whose settings read back.
    std::vector<RunOutcome> outcomes;
    for (const auto& entry : std::filesystem::directory_iterator(root.onDriveC("Orvane/Methods"))) {
        ASSERT_TRUE(entry.path().filename().string().ends_with(".M"));
        std::string settingsError;
        const auto settings = SimulationSettings::load(entry.path() / SimulationSettings::fileName, settingsError);
        ASSERT_TRUE(settings) << settingsError;
        EXPECT_GT(settings->runSeconds, 0);
        outcomes.push_back(settings->outcome);
    }
    // The FIA register files read as the module reads them: a table FIATable in the first object.
    DriveMap::setRoot(root.path());
    Register& reg = RegisterStore::instance().obtain(L"INSTALLER_TEST");
    ASSERT_EQ(RegLoadFile(L"C:\\Orvane\\Methods\\NITRATE.M\\FIA.REG", 1, 1, reg.handle(), 0), REG_OK)
        << WideToUtf8(RegLastLoadError());
    RegTable* table = reg.object(1)->table(L"FIATable");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->header(L"FIAEnabled")->number(), 1.0);
    ASSERT_EQ(table->rowCount(), 3u);
    EXPECT_EQ(table->getLong(3, L"INJPERVIAL"), 2);
    EXPECT_EQ(table->getString(3, L"SAMPLENAME"), L"River inlet");
    ASSERT_EQ(RegLoadFile(L"C:\\Orvane\\Methods\\BLANK.M\\FIA.REG", 1, 1, reg.handle(), 0), REG_OK);
    EXPECT_EQ(reg.object(1)->table(L"FIATable")->header(L"FIAEnabled")->number(), 0.0);
    RegisterStore::instance().remove(reg.handle());

    for (auto outcome : {RunOutcome::Done, RunOutcome::Failed, RunOutcome::Aborted, RunOutcome::NotReady,
                         RunOutcome::AcquisitionError})
        EXPECT_NE(std::find(outcomes.begin(), outcomes.end(), outcome), outcomes.end());
}

TEST(HostInstaller, UnwritableRootIsReportedNotInstalled)
{
    TempRoot temp;
    WriteFileBytes(temp.path() / "file", "not a folder");
    const HostRoot root(temp.path() / "file" / "install");
    std::string error;
    EXPECT_FALSE(HostInstaller::install(root, error));
    EXPECT_NE(error.find("install"), std::string::npos) << error;
    EXPECT_FALSE(root.isInstalled());
}

TEST(HostVariableFile, KeepsTextsWithLineBreaksAndPercentSignsAndRejectsBadNumbers)
{
    TempRoot temp;
    const auto file = temp.path() / "vars";
    const std::vector<HostVariable> written = {
        {"_NOTE$", std::wstring(L"100% done\r\nnext line \u00e9")}, {"_VALUE", 0.1}, {"_EMPTY$", std::wstring()}};
    ASSERT_TRUE(HostVariableFile::save(file, written));
    std::string error;
    const auto read = HostVariableFile::load(file, error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->size(), 3u);
    EXPECT_EQ(std::get<std::wstring>((*read)[0].value), L"100% done\r\nnext line \u00e9");
    EXPECT_EQ(std::get<double>((*read)[1].value), 0.1);
    EXPECT_EQ(std::get<std::wstring>((*read)[2].value), L"");

    // Numbers that are not finite, names the host cannot hold, and files without a variable are
    // refused with their line: a host never starts with nothing in silence.
    const std::pair<const char*, const char*> broken[] = {
        {"# comment\n_OFFLINE=zero\n", ":2: _OFFLINE needs a number"},
        {"no equals sign\n", "expected name=value"},
        {"_AUTOPATH$=C:\\\n_OFFLINE=nan\n", ":2: _OFFLINE needs a number, not \"nan\""},
        {"_OFFLINE=-inf\n", ":1: _OFFLINE needs a number, not \"-inf\""},
        {"_OFFLINE=1e400\n", ":1: _OFFLINE needs a number"},
        {"# c\n2X=1\n", ":2: \"2X\" is not a host variable name"},
        {"", "vars: holds no host variables"},
        {"\r\r\r\n\r\n", "vars: holds no host variables"},
    };
    for (const auto& [text, message] : broken) {
        SCOPED_TRACE(text);
        WriteFileBytes(file, text);
        EXPECT_FALSE(HostVariableFile::load(file, error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(HostVariableFile::load(file, error));
    EXPECT_NE(error.find("vars: cannot be read"), std::string::npos) << error;
}

TEST(SimulationSettings, BadLinesAreNamedWithTheirLineAndAMissingFileIsAnError)
{
    TempRoot temp;
    const auto file = temp.path() / SimulationSettings::fileName;
    std::string error;
    EXPECT_FALSE(SimulationSettings::load(file, error));
    EXPECT_NE(error.find("SIMULATE.INI: cannot be read"), std::string::npos) << error;

    WriteFileBytes(file, "; comment\r\nRunTime=2.5\r\nOUTCOME = NotReady\r\nMessage=a\r\nMessage=b\r\n");
    const auto read = SimulationSettings::load(file, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->runSeconds, 2.5);
    EXPECT_EQ(read->outcome, RunOutcome::NotReady);
    EXPECT_EQ(read->messages, (std::vector<std::wstring>{L"a", L"b"}));

    for (const auto& [text, message] : {std::pair{"RunTime=2\nOutcome=exploded\n", ":2: Outcome is one of"},
                                        std::pair{"RunTime=-1\n", ":1: RunTime"}, std::pair{"Colour=blue\n", "unknown setting"}}) {
        WriteFileBytes(file, text);
        EXPECT_FALSE(SimulationSettings::load(file, error));
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

} // namespace
