// Message boxes on an 80 x 24 terminal: long lines wrap whole, and a text taller than the screen
// scrolls while the buttons stay in sight.
#include "ScriptedTerminal.h"

#include "tui/TerminalFrontEnd.h"

#include "support/ScriptedInput.h"
#include "win/Automation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MessageBoxScreen : public testing::Test {
protected:
    MessageBoxScreen() { frontEnd.render(); }
    ~MessageBoxScreen() override { Automation::setScreenSize(80 * 8, 25 * 16); }

    // What the user sees of the box now: the screen's rows, and whether it ends inside the screen.
    std::wstring shown()
    {
        frontEnd.render();
        return frontEnd.screen().snapshot();
    }

    ScriptedTerminal terminal{80, 24};
    TerminalFrontEnd frontEnd{terminal, {}};
    ScriptedInput user;
};

TEST_F(MessageBoxScreen, LongLinesWrapAtWordsAndATallTextScrollsAboveButtonsThatStayInSight)
{
    // A line far wider than the box: every word shows, the last ones on rows of their own.
    const std::wstring rule = L"A group name is also the start of its data file names: it must have 1 to 50 characters, must "
                              L"not begin with a blank, and must not contain any of these characters: \\ / : * ? \" < > |";
    user.then([&] {
        const std::wstring screen = shown();
        EXPECT_NE(screen.find(L"A group name is also the start of its data file names: it must have 1"), std::wstring::npos)
            << screen;
        EXPECT_NE(screen.find(L"to 50 characters, must not begin with a blank"), std::wstring::npos) << screen;
        EXPECT_NE(screen.find(L"* ? \" < > |"), std::wstring::npos) << screen;
        EXPECT_TRUE(Done(Automation::pressKey(Automation::findWindow(L"Serion"), VK_RETURN)));
    });
    EXPECT_EQ(MessageBoxW(nullptr, rule.c_str(), L"Serion", MB_OK), IDOK);

    user.then([&] {
        const std::wstring screen = shown();
        EXPECT_NE(screen.find(L"option."), std::wstring::npos) << screen;
        EXPECT_TRUE(Done(Automation::pressKey(Automation::findWindow(L"Serion"), VK_RETURN)));
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"A shut-down command can have at most 50 characters; the group keeps its option.",
                          L"Serion", MB_OK | MB_ICONEXCLAMATION),
              IDOK);

    // Thirty methods to delete, one a line, and a line wider than the box: more than the screen holds.
    std::wstring question = L"Are you sure you want to delete ";
    for (int method = 1; method <= 30; ++method)
        question += L"\nsample" + std::to_wstring(100 + method).substr(1);
    question += L"\nTheir data files stay on the disk where the runs left them; delete those that are no longer needed "
                L"yourself, the other methods of the group keep theirs.";
    user.then([&] {
        const HWND box = Automation::findWindow(L"Serion");
        RECT frame{};
        GetWindowRect(box, &frame);
        EXPECT_GE(frame.top, 0);
        EXPECT_LE(frame.bottom, 24 * 16) << "the whole box is on the screen";
        std::wstring screen = shown();
        EXPECT_NE(screen.find(L"Are you sure"), std::wstring::npos) << screen;
        EXPECT_NE(screen.find(L"Yes"), std::wstring::npos) << screen;
        EXPECT_NE(screen.find(L"sample01"), std::wstring::npos) << screen;
        EXPECT_EQ(screen.find(L"sample30"), std::wstring::npos) << screen;
        // Shift+Tab reaches the text from the default button; End and Page Up scroll it.
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_TAB, MOD_SHIFT)));
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_END)));
        screen = shown();
        EXPECT_NE(screen.find(L"sample30"), std::wstring::npos) << screen;
        EXPECT_NE(screen.find(L"group keep theirs."), std::wstring::npos) << screen;
        EXPECT_EQ(screen.find(L"Are you sure"), std::wstring::npos) << screen;
        EXPECT_NE(screen.find(L"Yes"), std::wstring::npos) << screen;
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_PRIOR)));
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_UP)));
        screen = shown();
        EXPECT_NE(screen.find(L"Are you sure"), std::wstring::npos) << screen;
        EXPECT_TRUE(Done(Automation::click(box, IDYES)));
    });
    EXPECT_EQ(MessageBoxW(nullptr, question.c_str(), L"Serion", MB_YESNO), IDYES);
}

} // namespace
