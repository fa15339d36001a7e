// Acting on windows as a user would and inspecting them headless: used by the tests, the host's
// script mode and the terminal front end. Every action enters as keyboard or mouse input through
// the queue, the hooks and the dialog keyboard handling, exactly as real input does.
#pragma once

#include "win/InputSource.h"
#include "win/WinUser.h"
#include "win/WindowInfo.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The outcome of an action: ok, or why a user could not have done it.
struct ActionResult {
    bool ok = true;
    std::wstring message;
    explicit operator bool() const { return ok; }
};

// Modifier keys held during pressKey and injectKey, with the values RegisterHotKey uses.
constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;

class Automation {
public:
    // The source every loop consults when idle; returns the previous one. Null: none.
    static InputSource* setInputSource(InputSource* source);
    static InputSource* inputSource();

    // --- Finding windows
    // A visible top-level window with exactly this title, the topmost first; null when none.
    static HWND findWindow(std::wstring_view title);
    // Lets the loop run (posted messages, timers; virtual time advances) until such a window is
    // shown or timeoutMs passes; null on timeout.
    static HWND waitForWindow(std::wstring_view title, int timeoutMs);
    // Lets the loop run until condition holds or timeoutMs passes; false on timeout, or at once
    // when nothing more can happen (virtual clock, no message, no timer).
    static bool runUntil(const std::function<bool()>& condition, int timeoutMs);
    // Delivers what is queued now (posted messages and injected input), without waiting.
    static void deliverPending();

    // --- Acting as a user. Each fails, changing nothing, when the window or control is missing,
    // hidden, disabled or covered by a modal window.
    // Focuses the edit (or the edit of a drop-down combo), selects all and types text.
    static ActionResult setText(HWND window, int controlId, std::wstring_view text);
    // Focuses the control and types text where the caret is.
    static ActionResult typeText(HWND window, int controlId, std::wstring_view text);
    // Clicks the middle of the control with the left button.
    static ActionResult click(HWND window, int controlId);
    // Opens a combo box's list and clicks the entry with exactly this text.
    static ActionResult chooseEntry(HWND window, int controlId, std::wstring_view entry);
    // Presses and releases a key (VK_RETURN, VK_ESCAPE, VK_TAB, VK_DOWN, 'A', ...) with modifiers
    // (MOD_SHIFT, MOD_CONTROL, MOD_ALT) in the window, which becomes the active one first.
    static ActionResult pressKey(HWND window, UINT virtualKey, UINT modifiers = 0);
    // Chooses a command of the window's menu bar (WM_INITMENUPOPUP first, then WM_COMMAND) or of
    // its system menu (SC_CLOSE ..., as WM_SYSCOMMAND). A greyed or missing command fails.
    static ActionResult chooseMenuCommand(HWND window, UINT commandId);

    // The control a user could act on now: found, visible, enabled and not behind a modal window.
    static ActionResult findUsableControl(HWND window, int controlId, HWND& control);
    // Presses the modifier keys, runs inject (which injects input and delivers none), releases
    // the modifiers and then delivers it all.
    static void withModifiers(UINT modifiers, const std::function<void()>& inject);

    // --- Raw input for a front end: posted to the queue like the terminal's own input.
    static void injectKey(UINT virtualKey, bool down);
    static void injectChar(wchar_t character);
    // WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP or WM_MOUSEMOVE at a screen point;
    // WM_LBUTTONDBLCLK for the second press of a double click that the front end recognised.
    static void injectMouse(UINT message, POINT screenPoint);
    // A turn of the wheel (WHEEL_DELTA a notch, positive away from the user) over the window at the point.
    static void injectWheel(POINT screenPoint, int delta);

    // --- Inspection
    // Title, class and every control with id, class, text and states, one per line.
    static std::wstring snapshot(HWND window);
    // Visible top-level windows, the topmost first.
    static std::vector<HWND> topLevelWindows();
    // Children in z-order (the dialog's tab order), the first on top.
    static std::vector<HWND> children(HWND window);
    // Asks the parent for the control's colours (WM_CTLCOLOR...) as painting would.
    static WindowInfo describe(HWND window);

    // Beeps since the last clear (the MessageBeep type of each).
    static std::vector<UINT> beeps();
    static void clearBeeps();

    // The screen in pixels; a front end sets it to its terminal size (8 x 16 pixels a cell). A
    // change is told to every top-level window with WM_DISPLAYCHANGE, as a new display mode is.
    static void setScreenSize(int width, int height);
};
