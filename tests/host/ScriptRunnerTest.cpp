// Scripts go on inside modal dialogs, as a user's input would: the lines after the one that
// opened a dialog fill it in and close it, and a dialog left waiting fails the script.
#include "FreshHost.h"

#include "host/ScriptRunner.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/MacroInterpreter.h"
#include "win/WinUser.h"

#include <gtest/gtest.h>

namespace {

class ScriptRunnerTest : public FreshHost {
protected:
    void SetUp() override
    {
        FreshHost::SetUp();
        start();
        // A host command whose handler asks the user a question, as module commands do.
        MacroInterpreter::instance().registerCommand("ASK", 0, 0, [this](MacroCall&) {
            answer = MessageBoxW(host->window().handle(), L"Start the run?", L"Question", MB_OKCANCEL);
        });
        // A script that never ends fails the test after an hour of virtual time instead of hanging.
        watchdog = Clock::addTimer(3600 * 1000, [] {
            ADD_FAILURE() << "the script did not end";
            PostQuitMessage(3);
        });
    }
    void TearDown() override
    {
        Clock::removeTimer(watchdog);
        FreshHost::TearDown();
    }

    int runScript(const std::string& text)
    {
        WriteFileBytes(temp.path() / "script", text);
        return ScriptRunner(host->commandLine(), collect())
            .run(temp.path() / "script");
    }

    int answer = 0;
    Clock::TimerId watchdog = 0;
};

TEST_F(ScriptRunnerTest, LinesAfterTheOneThatOpenedADialogAnswerItAndAScriptThatLeavesItWaitingFails)
{
    EXPECT_EQ(runScript("ASK\nWaitWindow \"Question\"\nExpect \"Question\", 2, \"Cancel\"\nClick \"Question\", 1\n"
                        "WaitNoWindow \"Question\"\nPrint \"after\"\n"),
              0);
    EXPECT_EQ(answer, IDOK);
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output.back(), L"after");

    // A script that fails or ends while the dialog waits cancels it and says why.
    const std::pair<const char*, std::vector<std::wstring>> failures[] = {
        {"ASK\nPrint \"inside\"\n",
         {L"Script failed after line 2: a window waits for input the script does not give", L"Start the run?"}},
        {"ASK\nClick \"Question\", 4711\nPrint \"never\"\n", {L"Script failed at line 2: Click \"Question\", 4711"}},
        {"ASK\nExpect \"Question\", 1, \"Yes\"\n", {L"Reason: control 1 of \"Question\" shows \"OK\", expected \"Yes\""}},
    };
    for (const auto& [script, shown] : failures) {
        SCOPED_TRACE(script);
        output.clear();
        answer = 0;
        EXPECT_EQ(runScript(script), 1);
        EXPECT_EQ(answer, IDCANCEL);
        for (const std::wstring& text : shown)
            EXPECT_TRUE(printed(text)) << WideToUtf8(output.back());
        EXPECT_FALSE(printed(L"never"));
    }

    std::filesystem::create_directory(temp.path() / "scripts");
    EXPECT_EQ(ScriptRunner(host->commandLine(), collect())
                  .run(temp.path() / "scripts"),
              1);
    EXPECT_TRUE(printed(L"scripts cannot be read.")) << WideToUtf8(output.back());
}

} // namespace
