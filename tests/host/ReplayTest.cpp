// Replays the corpus of bad input in replay/corpus (written by replay/generate.py) through the
// host in script and line mode: every case ends with the host alive and, where one is due, an
// error. Built with the sanitizers, a case that reads out of bounds or overflows fails here.
#include "FreshHost.h"

#include "host/LineMode.h"
#include "host/ScriptRunner.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path corpus = REPLAY_CORPUS;

// The corpus files of one kind, in name order; "bad-" ones must end in an error. A kind with no
// files fails the test, so that a lost corpus cannot pass as one that holds no fault.
std::vector<std::filesystem::path> corpusFiles(const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    EXPECT_FALSE(files.empty()) << "the corpus " << corpus << " holds no " << extension << " files";
    return files;
}

bool errorIsDue(const std::filesystem::path& file) { return file.filename().string().starts_with("bad-"); }

class ReplayTest : public FreshHost {
protected:
    void SetUp() override
    {
        FreshHost::SetUp();
        start();
    }

    // Runs the text as a script file; true when the case ended in an error: the script failed or
    // a command line left its error.
    bool runAsScript(const std::string& text)
    {
        clearError();
        WriteFileBytes(temp.path() / "case.script", text);
        const int exitCode = ScriptRunner(host->commandLine(), collect()).run(temp.path() / "case.script");
        return exitCode != 0 || hostError() != 0;
    }

    // Types the text in line mode, from a pipe; true when line mode showed an error.
    bool runInLineMode(const std::string& text)
    {
        clearError();
        int pipeEnds[2];
        EXPECT_EQ(pipe(pipeEnds), 0);
        EXPECT_EQ(write(pipeEnds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
        close(pipeEnds[1]);
        // Line mode reads its input on the real clock, as a user types; the corpus holds no waits.
        const std::int64_t virtualNow = Clock::nowMs();
        Clock::useReal();
        const std::size_t first = output.size();
        LineMode(host->commandLine(), collect(), pipeEnds[0]).run();
        close(pipeEnds[0]);
        Clock::useVirtual(virtualNow);
        return std::any_of(output.begin() + static_cast<std::ptrdiff_t>(first), output.end(),
                           [](const std::wstring& line) { return line.starts_with(L"Error: "); });
    }

    // Runs the text in both modes: an error in each when one is due, and the host alive after.
    void replayInBothModes(const std::string& text, bool due)
    {
        const bool scriptError = runAsScript(text);
        const bool lineError = runInLineMode(text);
        EXPECT_TRUE(scriptError || !due);
        EXPECT_TRUE(lineError || !due);
        expectAlive();
    }

    void expectAlive()
    {
        output.clear();
        host->commandLine().run(L"Print \"alive\"");
        ASSERT_FALSE(output.empty());
        EXPECT_EQ(output.back(), L"alive");
    }

    static void clearError() { CpVariables::instance().set("_ERROR", 0.0); }
    static double hostError() { return CpVariables::instance().get("_ERROR")->number(); }
    static std::wstring hostErrorMessage() { return CpVariables::instance().get("_ERRMSG$")->text(); }
};

TEST_F(ReplayTest, MalformedCommandLinesAreRefusedInScriptAndLineMode)
{
    std::ifstream in(corpus / "command-lines.txt", std::ios::binary);
    int cases = 0;
    for (std::string line; std::getline(in, line); ++cases) {
        const bool due = line.starts_with("bad ");
        const std::string text = line.substr(4);
        SCOPED_TRACE(text.substr(0, 200));
        replayInBothModes(text + "\n", due);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(cases, 1000);
}

TEST_F(ReplayTest, MalformedScriptsEndInBothModes)
{
    for (const auto& file : corpusFiles(".script")) {
        SCOPED_TRACE(file.filename().string());
        replayInBothModes(ReadFileBytes(file), errorIsDue(file));
    }
}

TEST_F(ReplayTest, BrokenVariableFilesStopTheStartWithOneLineNamingTheFile)
{
    for (const auto& file : corpusFiles(".var")) {
        SCOPED_TRACE(file.filename().string());
        WriteFileBytes(temp.path() / "orvane.var", ReadFileBytes(file));
        CpVariables::instance().clear();
        host.emplace(HostRoot(temp.path()), collect());
        std::string error;
        const bool started = host->start({}, error);
        EXPECT_FALSE(errorIsDue(file) && started);
        if (!started) {
            EXPECT_NE(error.find("orvane.var"), std::string::npos) << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << error;
            continue;
        }
        expectAlive();
    }
}

TEST_F(ReplayTest, BrokenMethodFilesFailTheMethodWithTheirNameAndEveryRunEnds)
{
    const auto method = temp.onDriveC("Orvane/Methods/LEAK.M");
    for (const auto& file : corpusFiles(".ini")) {
        SCOPED_TRACE(file.filename().string());
        WriteFileBytes(method / "SIMULATE.INI", ReadFileBytes(file));
        // Whatever the settings, a run that starts has ended a day later.
        EXPECT_FALSE(runAsScript("_METHFILE$ = \"LEAK.M\"\nRUNMETHOD\nWait 86400\nWait 1\nExpectVar _METHODON, 0\n") &&
                     hostError() == 0);
        EXPECT_FALSE(errorIsDue(file) && hostError() == 0);
        EXPECT_TRUE(hostError() == 0 || hostErrorMessage().find(L"SIMULATE.INI:") != std::wstring::npos)
            << WideToUtf8(hostErrorMessage());
        expectAlive();
    }
    WriteFileBytes(method / "SIMULATE.INI", "RunTime=1\n");
    for (const auto& file : corpusFiles(".reg")) {
        SCOPED_TRACE(file.filename().string());
        WriteFileBytes(method / "FIA.REG", ReadFileBytes(file));
        runAsScript("_METHFILE$ = \"LEAK.M\"\nLoadMethParams\n");
        EXPECT_FALSE(errorIsDue(file) && hostError() == 0);
        EXPECT_TRUE(hostError() == 0 || hostErrorMessage().find(L"FIA.REG") != std::wstring::npos)
            << WideToUtf8(hostErrorMessage());
        expectAlive();
    }
}

TEST_F(ReplayTest, BrokenAndRunawayMacroFilesEndInAnError)
{
    WriteFileBytes(temp.onDriveC("neutral.mac"), "Name Replay\nEndMacro\n");
    for (const auto& file : corpusFiles(".mac")) {
        SCOPED_TRACE(file.filename().string());
        WriteFileBytes(temp.onDriveC("case.mac"), ReadFileBytes(file));
        // A file that does not load leaves the harmless Replay of the neutral file to be called.
        host->commandLine().run(L"Macro \"C:\\neutral.mac\"");
        const bool failed = runAsScript("Macro \"C:\\case.mac\"\nReplay\n");
        EXPECT_FALSE(errorIsDue(file) && !failed);
        EXPECT_FALSE(failed && hostErrorMessage().empty());
        expectAlive();
    }
}

} // namespace
