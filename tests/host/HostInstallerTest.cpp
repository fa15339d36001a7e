// Installing where no root can be made, and reading the variable file and a method's simulation settings.
#include "host/HostInstaller.h"
#include "host/SimulationSettings.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

namespace {

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
