// The shared parts of every message loop.
#include "win/MessageLoop.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/Automation.h"
#include "win/HookChain.h"
#include "win/KeyboardState.h"
#include "win/MessageQueue.h"
#include "win/WindowTable.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace {

std::vector<HWND>& modalDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

bool hasEnded(HWND dialog)
{
    const Window* window = WindowTable::instance().find(dialog);
    return !window || !window->dialog || window->dialog->ended;
}

} // namespace

bool MessageLoop::retrieve(MSG& message, HWND window, UINT first, UINT last, UINT removeFlags)
{
    auto& queue = MessageQueue::instance();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (!queue.take(message, window, first, last, remove)) {
        if (!Clock::runDueTimers() || !queue.take(message, window, first, last, remove))
            return false;
    }
    if (remove)
        KeyboardState::instance().noteRetrieved(message);
    HookChain::instance().callFirst(WH_GETMESSAGE, HC_ACTION, removeFlags & PM_REMOVE, reinterpret_cast<LPARAM>(&message));
    return true;
}

void MessageLoop::waitForMessage(MSG& message, HWND window, UINT first, UINT last)
{
    while (!retrieve(message, window, first, last, PM_REMOVE)) {
        if (idle())
            continue;
        // A dialog already ended by an earlier stall cannot end again: then the whole loop ends.
        const HWND modal = innermostModal();
        const bool canEnd = modal && !hasEnded(modal);
        reportStall(canEnd ? modal : nullptr);
        if (canEnd) {
            // The modal loop waiting here sees its dialog ended after this harmless message.
            message = MSG{nullptr, WM_NULL, 0, 0, Clock::tickCount(), KeyboardState::instance().cursor};
            return;
        }
    }
}

void MessageLoop::deliver(MSG& message)
{
    const HWND modal = innermostModal();
    if (modal && IsDialogMessageW(modal, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void MessageLoop::deliverPending()
{
    MSG message{};
    while (retrieve(message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        deliver(message);
    }
}

void MessageLoop::runModal(HWND dialog)
{
    modalDialogs().push_back(dialog);
    while (!hasEnded(dialog)) {
        MSG message{};
        if (retrieve(message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The outer loop must see the quit too; the dialog ends as cancelled.
                PostQuitMessage(static_cast<int>(message.wParam));
                EndDialog(dialog, IDCANCEL);
                break;
            }
            deliver(message);
        } else if (!idle()) {
            reportStall(dialog);
        }
    }
    std::erase(modalDialogs(), dialog);
}

HWND MessageLoop::innermostModal()
{
    auto& dialogs = modalDialogs();
    while (!dialogs.empty() && !IsWindow(dialogs.back()))
        dialogs.pop_back();
    return dialogs.empty() ? nullptr : dialogs.back();
}

bool MessageLoop::idle()
{
    if (Clock::runDueTimers())
        return true;
    InputSource* source = Automation::inputSource();
    if (source && source->runNextAction())
        return true;
    if (!MessageQueue::instance().empty())
        return true;
    if (Clock::isVirtual())
        return Clock::advanceToNextTimer();
    const auto next = Clock::nextDueMs();
    const int timeoutMs = next ? static_cast<int>(std::clamp<std::int64_t>(*next - Clock::nowMs(), 0, INT_MAX)) : -1;
    if (source) {
        source->waitForInput(timeoutMs);
        return true;
    }
    if (next) {
        Clock::advance(timeoutMs);
        return true;
    }
    return false;
}

void MessageLoop::reportStall(HWND window)
{
    std::wstring snapshot;
    if (window) {
        snapshot = Automation::snapshot(window);
    } else {
        for (HWND topLevel : Automation::topLevelWindows())
            snapshot += Automation::snapshot(topLevel);
    }
    if (InputSource* source = Automation::inputSource())
        source->reportStall(window, snapshot);
    else
        std::fprintf(stderr, "No input can arrive; giving up the wait for:\n%s", WideToUtf8(snapshot).c_str());
    if (window)
        EndDialog(window, IDCANCEL);
    else
        PostQuitMessage(0);
}
