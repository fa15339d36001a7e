// Automation lines split as host command lines do: commas, quoted texts, doubled quotes, named
// line breaks.
#include "host/AutomationArguments.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const wchar_t* line;
    const wchar_t* command;
    std::vector<std::wstring> arguments;
    const wchar_t* error; // null when the line splits
};

TEST(AutomationArguments, SplitsLinesAsHostCommandsAndNamesWhatIsWrong)
{
    const SplitCase cases[] = {
        {L"Snapshot", L"Snapshot", {}, nullptr},
        {L"  Wait 5  ", L"Wait", {L"5"}, nullptr},
        {L"SetText \"Add Group\", 19001, \"Nitrates, river\"", L"SetText", {L"Add Group", L"19001", L"Nitrates, river"},
         nullptr},
        {L"Expect \"A\",1,\"say \"\"hi\"\"\"", L"Expect", {L"A", L"1", L"say \"hi\""}, nullptr},
        {L"ExpectVar _INSTNAME$, Instrument 1", L"ExpectVar", {L"_INSTNAME$", L"Instrument 1"}, nullptr},
        {L"Select \"A\", 1, \"\"", L"Select", {L"A", L"1", L""}, nullptr},
        // Line breaks by name in a quoted text only; backslashes are a path's.
        {L"ExpectItem \"A\", 1, 0, \"Lamp failure{CR}{LF}Stopped{LF}\"", L"ExpectItem", {L"A", L"1", L"0", L"Lamp failure\r\nStopped\n"},
         nullptr},
        {L"SetText \"A\", 1, \"C:\\new\\run{x}\"", L"SetText", {L"A", L"1", L"C:\\new\\run{x}"}, nullptr},
        {L"ExpectVar T$, a{LF}", L"ExpectVar", {L"T$", L"a{LF}"}, nullptr},
        {L"Click \"A\", 1,", nullptr, {}, L"Empty argument in: Click \"A\", 1,"},
        {L"Click \"A\" 1", nullptr, {}, L"Text after a closing quote in: Click \"A\" 1"},
        {L"Click \"A, 1", nullptr, {}, L"Unterminated quote in: Click \"A, 1"},
    };
    for (const auto& c : cases) {
        std::wstring error;
        const auto line = AutomationArguments::split(c.line, error);
        if (c.error) {
            EXPECT_FALSE(line) << c.line;
            EXPECT_EQ(error, c.error);
            continue;
        }
        ASSERT_TRUE(line) << c.line;
        EXPECT_EQ(line->command, c.command);
        EXPECT_EQ(line->arguments, c.arguments) << c.line;
    }
}

} // namespace
