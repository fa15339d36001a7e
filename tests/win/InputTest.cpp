// Raw input as a terminal front end gives it, and the contract of an idle loop on the real clock:
// it waits on the input source until the next timer, and never sleeps on its own.
#include "WinTest.h"

#include "kernel/Clock.h"

#include <algorithm>

using InputTest = WinTest;
using testing::ElementsAre;

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

INT_PTR CALLBACK quietProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WinTest::record(dialog, message, wParam, lParam);
    return FALSE;
}

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

TEST_F(InputTest, InjectedKeysAndClicksTakeTheSamePathAsATerminalsAndSkipDisabledWindows)
{
    ScriptedInput input;
    const HWND dialog = CreateDialogParamW(TestInstance(), MAKEINTRESOURCEW(controlsDialogId), nullptr, quietProc, 0);
    ASSERT_TRUE(dialog);
    const HWND edit = GetDlgItem(dialog, 201);
    RECT rect{};
    GetWindowRect(edit, &rect);
    const POINT inside{rect.left + 4, rect.top + 4};
    Automation::injectMouse(WM_LBUTTONDOWN, inside);
    Automation::injectMouse(WM_LBUTTONUP, inside);
    Automation::injectKey(VK_SHIFT, true);
    Automation::injectKey('H', true);
    Automation::injectKey('H', false);
    Automation::injectKey(VK_SHIFT, false);
    Automation::injectChar(L'i');
    Automation::deliverPending();
    EXPECT_EQ(GetFocus(), edit);
    wchar_t text[16]{};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"HI");   // the edit is upper case

    // While a modal box runs, the mouse on the dialog below it does nothing.
    input.then([&] {
        Automation::injectMouse(WM_LBUTTONDOWN, inside);
        Automation::injectMouse(WM_LBUTTONUP, inside);
        Automation::injectChar(L'x');
        Automation::deliverPending();
        EXPECT_NE(GetFocus(), edit);
        EXPECT_TRUE(Done(Automation::pressKey(Automation::findWindow(L"Note"), VK_RETURN)));
    });
    EXPECT_EQ(MessageBoxW(dialog, L"Wait", L"Note", MB_OK), IDOK);
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"HI");
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(InputTest, ComboListsOpenAndCloseFromTheKeyboard)
{
    const HWND dialog = CreateDialogParamW(TestInstance(), MAKEINTRESOURCEW(controlsDialogId), nullptr, quietProc, 0);
    const HWND combo = GetDlgItem(dialog, 204);
    for (LPCWSTR item : {L"a1", L"a2", L"a3", L"a4", L"a5", L"a6"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SetFocus(combo);
    log().clear();
    Automation::injectKey(VK_F4, true);
    Automation::deliverPending();
    WindowInfo info = Automation::describe(combo);
    EXPECT_TRUE(info.droppedDown);
    // The template gave the box 40 units: one row of field and four of list.
    EXPECT_EQ(info.droppedRect.top, info.windowRect.bottom);
    EXPECT_EQ(info.droppedRect.bottom - info.droppedRect.top, 4 * 16);
    EXPECT_EQ(GetCapture(), combo);

    for (int i = 0; i < 5; ++i) {
        Automation::injectKey(VK_DOWN, true);
        Automation::deliverPending();
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETTOPINDEX, 0, 0), 1);   // the list scrolled to show the fifth
    Automation::injectKey(VK_RETURN, true);
    Automation::deliverPending();
    info = Automation::describe(combo);
    EXPECT_FALSE(info.droppedDown);
    EXPECT_EQ(info.currentSelection, 4);
    EXPECT_EQ(info.text, L"a5");
    EXPECT_EQ(GetCapture(), nullptr);

    Automation::injectKey(VK_MENU, true);
    Automation::injectKey(VK_DOWN, true);
    Automation::injectKey(VK_DOWN, false);
    Automation::injectKey(VK_MENU, false);
    Automation::deliverPending();
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    Automation::injectKey(VK_ESCAPE, true);
    Automation::deliverPending();
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(std::count(log().begin(), log().end(), "Controls WM_COMMAND 204 CBN_SELCHANGE"), 5);
    EXPECT_EQ(std::count(log().begin(), log().end(), "Controls WM_COMMAND 204 CBN_DROPDOWN"), 2);
    EXPECT_EQ(std::count(log().begin(), log().end(), "Controls WM_COMMAND 204 CBN_CLOSEUP"), 2);
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
