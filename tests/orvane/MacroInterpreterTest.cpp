// The macro language as a user types it and as modules queue it: statements, errors kept in the
// error variables, queued lines in order, and user macros from macro files.
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"
#include "orvane/MacroInterpreter.h"

#include "kernel/Text.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class Macro : public ::testing::Test {
protected:
    void SetUp() override
    {
        CpVariables::instance().clear();
        CpCommandQueue::instance().clear();
        interpreter.reset();
        interpreter.setPrintOutput([this](const std::wstring& text) { printed.push_back(text); });
        interpreter.setErrorOutput([this](const std::wstring& text) { errors.push_back(text); });
        context = CpCreateContext();
    }
    void TearDown() override
    {
        interpreter.setPrintOutput(nullptr);
        interpreter.setErrorOutput(nullptr);
        CpDestroyContext(context);
    }

    int run(const std::wstring& line) { return interpreter.execute(line, context); }
    CpValue var(const char* name) { return CpVariables::instance().get(name).value_or(CpValue(L"<missing>")); }

    TempRoot root;
    MacroInterpreter& interpreter = MacroInterpreter::instance();
    HCPCONTEXT context = 0;
    std::vector<std::wstring> printed;
    std::vector<std::wstring> errors;
};

TEST_F(Macro, ExpressionsFollowPrecedenceAndPrintNumbersPlainly)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"1 + 2 * 3", L"7"},
        {L"(1 + 2) * 3", L"9"},
        {L"10 - 4 - 3", L"3"},
        {L"12 / 4 / 3", L"1"},
        {L"-2 * -3", L"6"},
        {L"1 / 3", L"0.333333333333333"},
        {L"1e20", L"1e+20"},
        {L".5 + 0.25", L"0.75"},
        {L"\"a\" + 1 + 2", L"a12"},
        {L"1 + 2 + \"a\"", L"3a"},
        {L"\"abc\" < \"abd\"", L"1"},
        {L"2 <> 2 Or 3 >= 3 And Not 1 <= 0", L"1"},
        {L"Not 1 = 1", L"0"},
        {L"2 > 1 = 1", L"1"},
        {L"\"b\" = \"B\"", L"0"},
    };
    for (const auto& [expression, expected] : cases) {
        SCOPED_TRACE(expression);
        printed.clear();
        EXPECT_EQ(run(std::wstring(L"Print ") + expression), MACRO_OK);
        EXPECT_EQ(printed, std::vector<std::wstring>{expected});
    }
}

struct BadLine {
    const wchar_t* line;
    int error;
    const wchar_t* message;
};

TEST_F(Macro, QueuedLinesRunInOrderAfterTheHandlerThatQueuedThemEvenWhenOneFails)
{
    std::vector<std::wstring> events;
    interpreter.registerCommand("StartMethod", 0, 0, [&](MacroCall& call) {
        CpExecCommand(call.context(), L"LoadMethParams  ", 0, 0, 0);
        CpExecCommand(call.context(), L"RUNMETHOD ", 0, 0, 0);
        // A nested loop inside the handler must not run them yet.
        EXPECT_EQ(interpreter.runQueuedCommands(), 0);
        events.push_back(L"StartMethod returns");
    });
    interpreter.registerCommand("LoadMethParams", 0, 0, [&](MacroCall& call) {
        events.push_back(L"LoadMethParams");
        CpExecCommand(call.context(), L"Print \"loaded\"", 0, 0, 0);
    });
    interpreter.registerCommand("RUNMETHOD", 0, 0, [&](MacroCall&) { events.push_back(L"RUNMETHOD"); });
    interpreter.setPrintOutput([&](const std::wstring& text) { events.push_back(L"Print " + text); });

    EXPECT_EQ(run(L"StartMethod"), MACRO_OK);
    EXPECT_EQ(events, std::vector<std::wstring>{L"StartMethod returns"});
    EXPECT_EQ(interpreter.runQueuedCommands(), 3);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"StartMethod returns", L"LoadMethParams", L"RUNMETHOD",
                                                 L"Print loaded"}));
    EXPECT_TRUE(CpCommandQueue::instance().empty());

    // A failing queued line is reported and the rest still run.
    CpExecCommand(context, L"NOSUCH", 0, 0, 0);
    CpExecCommand(context, L"_Abort=1 ", 0, 0, 0);
    EXPECT_EQ(interpreter.runQueuedCommands(), 2);
    EXPECT_EQ(errors, std::vector<std::wstring>{L"Unknown command: NOSUCH"});
    EXPECT_EQ(var("_ABORT"), CpValue(1.0));
}

TEST_F(Macro, UserMacrosFromAFileRunWithParametersLocalsAndBlocksAndTheirErrorsNameFileAndLine)
{
    WriteFileBytes(root.onDriveC("macros/greet.mac"), "! Greets the operator.\r\n"
                                                      "Name Greet\r\n"
                                                      "  Parameter who$, times\r\n"
                                                      "  Local i\r\n"
                                                      "  While i < times\r\n"
                                                      "    Print \"Hello, \", who$\r\n"
                                                      "    i = i + 1\r\n"
                                                      "  EndWhile\r\n"
                                                      "  If times = 0 Then\r\n"
                                                      "    Print \"Nobody greeted\"\r\n"
                                                      "    Return\r\n"
                                                      "  Else\r\n"
                                                      "    Greetings = Greetings + times\r\n"
                                                      "  EndIf\r\n"
                                                      "  Print \"done\"\r\n"
                                                      "EndMacro\r\n");
    EXPECT_EQ(run(L"Macro \"C:\\Macros\\GREET.MAC\""), MACRO_OK);
    EXPECT_TRUE(interpreter.isKnownCommand("GREET"));
    run(L"Greetings = 0");

    EXPECT_EQ(run(L"greet \"Ann\", 2"), MACRO_OK);
    EXPECT_EQ(run(L"Greet \"Bob\", 0"), MACRO_OK);
    EXPECT_EQ(printed, (std::vector<std::wstring>{L"Hello, Ann", L"Hello, Ann", L"done", L"Nobody greeted"}));
    EXPECT_EQ(var("GREETINGS"), CpValue(2.0));
    EXPECT_FALSE(CpVariables::instance().exists("i")); // locals are not host variables
    EXPECT_FALSE(CpVariables::instance().exists("who$"));

    EXPECT_EQ(run(L"Greet \"Ann\""), MACRO_ERR_ARGUMENTS);
    EXPECT_EQ(var("_ERRMSG$"), CpValue(L"Greet: missing argument (needs 2, got 1)"));
    EXPECT_EQ(run(L"Greet 1, 2"), MACRO_ERR_TYPE);

    // An error inside a macro names its file and line.
    printed.clear();
    errors.clear();
    WriteFileBytes(root.onDriveC("m.mac"), "Name Outer\n  Inner\nEndMacro\nName Inner\n  Print 1\n  Lamp ON\nEndMacro\n"
                                           "Name Forever\n  Forever\nEndMacro\n");
    ASSERT_EQ(interpreter.loadMacroFile(L"C:\\m.mac"), MACRO_OK);

    EXPECT_EQ(run(L"Outer"), MACRO_ERR_UNKNOWN_COMMAND);
    EXPECT_EQ(var("_ERRFILE$"), CpValue(L"C:\\m.mac"));
    EXPECT_EQ(var("_ERRLINE"), CpValue(6.0));
    EXPECT_EQ(errors, std::vector<std::wstring>{L"C:\\m.mac, line 6: Unknown command: Lamp"});

    EXPECT_EQ(run(L"Forever"), MACRO_ERR_NESTING);
    EXPECT_EQ(run(L"Print 2"), MACRO_OK); // the interpreter is usable after a deep failure
    EXPECT_EQ(printed, (std::vector<std::wstring>{L"1", L"2"}));
}

TEST_F(Macro, AMacroFileWithASyntaxErrorLoadsNothing)
{
    const std::pair<const char*, const wchar_t*> files[] = {
        {"Name Good\nEndMacro\nName Bad\n  Print \"open\nEndMacro\n",
         L"C:\\bad.mac, line 4: Unterminated quote in:   Print \"open"},
        {"Name Good\nEndMacro\nName Bad\n  If 1 Then\nEndMacro\n",
         L"C:\\bad.mac, line 5: EndMacro before the block begun on line 4 was closed"},
        {"Name Good\nEndMacro\nName Bad\n  EndIf\nEndMacro\n", L"C:\\bad.mac, line 4: 'EndIf' without its opening line"},
        {"Name Good\nEndMacro\nName Bad\n  Print 1\n", L"C:\\bad.mac, line 4: The macro Bad has no EndMacro"},
        {"Print 1\n", L"C:\\bad.mac, line 1: Expected 'Name' to begin a macro"},
    };
    for (const auto& [text, message] : files) {
        SCOPED_TRACE(text);
        WriteFileBytes(root.onDriveC("bad.mac"), text);
        errors.clear();
        EXPECT_EQ(interpreter.loadMacroFile(L"C:\\bad.mac"), MACRO_ERR_SYNTAX);
        EXPECT_EQ(errors, std::vector<std::wstring>{message});
        EXPECT_FALSE(interpreter.isKnownCommand("Good"));
    }
    EXPECT_EQ(run(L"Macro \"C:\\none.mac\""), MACRO_ERR_FILE);
    EXPECT_EQ(var("_ERRMSG$"), CpValue(L"Cannot read macro file: C:\\none.mac"));
}

TEST_F(Macro, RunawayExpressionsAndNumbersAreRefusedWithAClearError)
{
    const auto repeated = [](const wchar_t* text, int times) {
        std::wstring out;
        while (times-- > 0)
            out += text;
        return out;
    };
    const std::wstring deep[] = {L"N = " + repeated(L"(", 2000) + L"1" + repeated(L")", 2000),
                                 L"N = " + repeated(L"-", 10000) + L"1", L"Print " + repeated(L"Not ", 10000) + L"1"};
    const BadLine cases[] = {
        {deep[0].c_str(), MACRO_ERR_NESTING, L"Expression nested deeper than 100"},
        {deep[1].c_str(), MACRO_ERR_NESTING, L"Expression nested deeper than 100"},
        {deep[2].c_str(), MACRO_ERR_NESTING, L"Expression nested deeper than 100"},
        {L"N = 1e400", MACRO_ERR_SYNTAX, L"Number out of range: 1e400"},
        {L"Print 1e400 - 1e400", MACRO_ERR_SYNTAX, L"Number out of range: 1e400"},
        {L"N = 1e300 * 1e300", MACRO_ERR_TYPE, L"The result of '*' is out of range"},
        {L"N = -1e308 - 1e308", MACRO_ERR_TYPE, L"The result of '-' is out of range"},
        {L"N = 1e308 / 1e-308", MACRO_ERR_TYPE, L"The result of '/' is out of range"},
    };
    for (const BadLine& bad : cases) {
        SCOPED_TRACE(std::wstring(bad.line).substr(0, 30));
        EXPECT_EQ(run(bad.line), bad.error);
        EXPECT_EQ(var("_ERRMSG$"), CpValue(bad.message));
    }
    EXPECT_FALSE(CpVariables::instance().exists("N"));
    EXPECT_TRUE(printed.empty());

    // Nesting below the limit still works.
    EXPECT_EQ(run(L"N = " + repeated(L"-(", 45) + L"1" + repeated(L")", 45)), MACRO_OK);
    EXPECT_EQ(var("N"), CpValue(-1.0));
}

TEST_F(Macro, OneCommandLineDoesBoundedWorkWhateverItsMacrosDo)
{
    WriteFileBytes(root.onDriveC("work.mac"), "Name Inner\n  Local j\n  While j < 1000000000\n    j = j + 1\n  EndWhile\n"
                                              "EndMacro\n"
                                              "Name Outer\n  While 1\n    Inner\n  EndWhile\nEndMacro\n"
                                              "Name Tree\n  Parameter depth\n  If depth > 0 Then\n    Tree depth - 1\n"
                                              "    Tree depth - 1\n  EndIf\nEndMacro\n"
                                              "Name Count\n  Parameter n\n  Local i\n  While i < n\n    i = i + 1\n"
                                              "  EndWhile\nEndMacro\n");
    ASSERT_EQ(interpreter.loadMacroFile(L"C:\\work.mac"), MACRO_OK);
    // A loop inside a loop, and a recursion that doubles at every level, both end.
    for (const wchar_t* line : {L"Outer", L"Tree 60"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(run(line), MACRO_ERR_NESTING);
        EXPECT_EQ(var("_ERRMSG$"), CpValue(L"The command line ran more than 100000 macro lines and was stopped"));
    }
    // The limit counts per command line: each of these stays below it, together they do not.
    EXPECT_EQ(run(L"Count 20000"), MACRO_OK);
    EXPECT_EQ(run(L"Count 20000"), MACRO_OK);

    std::filesystem::create_directory(root.onDriveC("folder.mac"));
    EXPECT_EQ(run(L"Macro \"C:\\folder.mac\""), MACRO_ERR_FILE);
    EXPECT_EQ(var("_ERRMSG$"), CpValue(L"Cannot read macro file: C:\\folder.mac"));
}

} // namespace
