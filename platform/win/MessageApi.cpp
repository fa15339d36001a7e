// The Win32 calls that send, post, retrieve, translate and dispatch messages.
#include "kernel/Clock.h"
#include "kernel/FileApi.h"
#include "win/KeyboardState.h"
#include "win/MessageLoop.h"
#include "win/MessageQueue.h"
#include "win/WindowTable.h"

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* record = WindowTable::instance().find(window);
    if (!record)
        return 0;
    return WindowTable::instance().call(record->procedure, window, message, wParam, lParam);
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !WindowTable::instance().find(window))
        return FALSE;
    MessageQueue::instance().post(MSG{window, message, wParam, lParam, 0, {}});
    return TRUE;
}

void PostQuitMessage(int exitCode) { MessageQueue::instance().postQuit(exitCode); }

BOOL GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax)
{
    if (!message || (window && !IsWindow(window)))
        return -1;
    MessageLoop::waitForMessage(*message, window, filterMin, filterMax);
    return message->message != WM_QUIT;
}

BOOL PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!message)
        return FALSE;
    return MessageLoop::retrieve(*message, window, filterMin, filterMax, removeFlags);
}

namespace {

// The character a key makes on a US keyboard, or 0 when it makes none.
wchar_t characterOf(WPARAM key)
{
    const bool shift = KeyboardState::instance().isDown(VK_SHIFT);
    const bool control = KeyboardState::instance().isDown(VK_CONTROL);
    if (key >= 'A' && key <= 'Z') {
        if (control)
            return static_cast<wchar_t>(key - 'A' + 1);
        return static_cast<wchar_t>(shift ? key : key - 'A' + 'a');
    }
    if (key >= '0' && key <= '9')
        return static_cast<wchar_t>(key);
    switch (key) {
    case VK_SPACE: return L' ';
    case VK_RETURN: return L'\r';
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return L'\t';
    case VK_BACK: return 0x08;
    default: return 0;
    }
}

} // namespace

BOOL TranslateMessage(const MSG* message)
{
    if (!message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return FALSE;
    // F1 asks for help: the window's DefWindowProcW turns WM_KEYF1 into WM_HELP.
    if (message->message == WM_KEYDOWN && message->wParam == VK_F1) {
        MessageQueue::instance().postFront(MSG{message->hwnd, WM_KEYF1, 0, 0, 0, {}});
        return TRUE;
    }
    const wchar_t character = characterOf(message->wParam);
    if (!character)
        return FALSE;
    const UINT charMessage = message->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    MessageQueue::instance().postFront(MSG{message->hwnd, charMessage, static_cast<WPARAM>(character), message->lParam, 0, {}});
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* message)
{
    if (!message)
        return 0;
    if (message->message == WM_TIMER && message->lParam) {
        const auto procedure = reinterpret_cast<TIMERPROC>(message->lParam);
        if (!message->hwnd || IsWindow(message->hwnd))
            procedure(message->hwnd, WM_TIMER, message->wParam, Clock::tickCount());
        return 0;
    }
    if (!message->hwnd)
        return 0;
    return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}
