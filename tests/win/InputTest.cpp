// Raw input as a terminal front end gives it to a multi-line edit, and the contract of an idle loop
// on the real clock: it waits on the input source until the next timer, and never sleeps on its own.
#include "WinTest.h"

#include "kernel/Clock.h"


using InputTest = WinTest;

namespace {

// A terminal that has nothing typed: it notes how long each wait may last.
class IdleTerminal : public InputSource {
public:
    bool runNextAction() override { return false; }
    void waitForInput(int timeoutMs) override
    {
        waits.push_back(timeoutMs);
        if (waits.size() == 1)
            SetTimer(window, 1, 3600 * 1000, nullptr);
        else
            PostQuitMessage(0);
    }
    void reportStall(HWND, const std::wstring&) override { ADD_FAILURE() << "a terminal never stalls"; }

    HWND window = nullptr;
    std::vector<int> waits;
};

} // namespace

TEST_F(InputTest, OnTheRealClockAnIdleLoopWaitsOnTheInputSourceUntilTheNextTimer)
{
    IdleTerminal terminal;
    terminal.window = createRecordingWindow(L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Clock::useReal();
    InputSource* previous = Automation::setInputSource(&terminal);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0))
        DispatchMessageW(&message);
    Automation::setInputSource(previous);
    KillTimer(terminal.window, 1);
    Clock::useVirtual(0);
    ASSERT_EQ(terminal.waits.size(), 2u);
    EXPECT_EQ(terminal.waits[0], -1);
    EXPECT_GT(terminal.waits[1], 3590 * 1000);
    EXPECT_LE(terminal.waits[1], 3600 * 1000);
}

TEST_F(InputTest, MultiLineEditsKeepLinesAndMoveTheCaretByLine)
{
    const HWND parent = createRecordingWindow(L"Notes", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND edit = CreateWindowExW(0, L"EDIT", L"one\r\ntwo", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                      160, 64, parent, reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_TRUE(edit);
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 9, 9);   // after "two"
    Automation::injectKey(VK_UP, true);
    Automation::injectChar(L'!');
    Automation::injectKey(VK_RETURN, true);
    Automation::deliverPending();
    wchar_t text[32]{};
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"one!\r\n\r\ntwo");
    Automation::injectKey(VK_BACK, true);
    Automation::deliverPending();
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"one!\r\ntwo");
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 2);
}
