// The one queue: posted messages in order, the quit request, the get-message hook, timers on the
// virtual clock, and a main loop that can never receive anything ending instead of hanging.
#include "WinTest.h"

#include "kernel/Clock.h"

using MessageLoopTest = WinTest;
using testing::ElementsAre;

namespace {

// Runs a main loop as the host does; returns the quit code.
int runMainLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK swallowSecond(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_USER + 2)
        message->message = WM_NULL;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int g_threadTimerTicks = 0;

void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++g_threadTimerTicks; }

} // namespace

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderThroughTheHookAndQuitEndsTheLoop)
{
    const HWND window = createRecordingWindow(L"Main", WS_OVERLAPPEDWINDOW);
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, swallowSecond, nullptr, GetCurrentThreadId());
    log().clear();
    for (UINT i = 1; i <= 3; ++i)
        PostMessageW(window, WM_USER + i, 0, 0);
    PostQuitMessage(7);
    PostMessageW(window, WM_USER + 4, 0, 0);

    EXPECT_EQ(runMainLoop(), 7);
    // The quit comes once the queue is empty; the hook turned the second message into WM_NULL.
    EXPECT_THAT(log(), ElementsAre("Main WM_USER+1", "Main WM_USER+3", "Main WM_USER+4"));
    UnhookWindowsHookEx(hook);

    MSG message{};
    PostMessageW(window, WM_USER + 5, 0, 0);
    EXPECT_TRUE(PeekMessageW(&message, window, WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_USER + 5);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageLoopTest, TimersFireOnTheVirtualClockAndCoalesceWhileTheQueueIsBusy)
{
    g_threadTimerTicks = 0;
    const HWND window = createRecordingWindow(L"Main", WS_OVERLAPPEDWINDOW);
    ScriptedInput input;
    const std::int64_t start = Clock::nowMs();
    EXPECT_EQ(SetTimer(window, 9, 500, nullptr), 9u);
    const UINT_PTR threadTimer = SetTimer(nullptr, 0, 2000, countTick);
    ASSERT_NE(threadTimer, 0u);
    log().clear();
    // The loop sleeps through virtual time: a tick each 500 ms until the thread timer quits.
    input.then([&] { Automation::runUntil([] { return g_threadTimerTicks == 1; }, 5000); })
        .then([&] {
            KillTimer(window, 9);
            KillTimer(nullptr, threadTimer);
            PostQuitMessage(0);
        });
    runMainLoop();
    EXPECT_EQ(Clock::nowMs() - start, 2000);
    EXPECT_THAT(log(), ElementsAre("Main WM_TIMER 9", "Main WM_TIMER 9", "Main WM_TIMER 9", "Main WM_TIMER 9"));

    // Due ticks while nobody takes messages leave one WM_TIMER, not a pile.
    SetTimer(window, 3, 100, nullptr);
    Clock::advance(1000);
    MSG message{};
    int timers = 0;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        timers += message.message == WM_TIMER;
    EXPECT_EQ(timers, 1);
    EXPECT_TRUE(KillTimer(window, 3));
    EXPECT_FALSE(KillTimer(window, 3));
}

TEST_F(MessageLoopTest, AMainLoopThatCanNeverReceiveAnythingReportsAStallAndEnds)
{
    const HWND window = createRecordingWindow(L"Waiting Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_TRUE(window);
    ScriptedInput input;
    input.expectStalls();
    EXPECT_EQ(runMainLoop(), 0);
    ASSERT_EQ(input.stallSnapshots().size(), 1u);
    EXPECT_NE(input.stallSnapshots()[0].find(L"Window \"Waiting Main\""), std::wstring::npos);
}

namespace {

// A procedure that runs a loop of its own inside the modal dialog and never looks at its end.
INT_PTR CALLBACK nestedLoopProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        PostMessageW(dialog, WM_USER, 0, 0);
        return TRUE;
    }
    if (message == WM_USER) {
        MSG queued{};
        while (GetMessageW(&queued, nullptr, 0, 0))
            DispatchMessageW(&queued);
        return TRUE;
    }
    return FALSE;
}

} // namespace

TEST_F(MessageLoopTest, ALoopThatIgnoresItsCancelledDialogIsEndedByTheNextStall)
{
    ScriptedInput input;
    input.expectStalls();
    EXPECT_EQ(DialogBoxParamW(TestInstance(), MAKEINTRESOURCEW(testDialogId), nullptr, nestedLoopProc, 0), IDCANCEL);
    EXPECT_EQ(input.stallSnapshots().size(), 2u);
}
