// The terminal front end: the input source that every message loop consults when idle. It draws
// the host's screen and every window, and turns the terminal's keys and clicks into the window
// framework's input, so that they reach windows exactly as automation's actions do.
#pragma once

#include "HostScreen.h"
#include "MenuBar.h"
#include "MenuPopup.h"
#include "Screen.h"
#include "Terminal.h"
#include "TerminalHost.h"
#include "WindowPainter.h"

#include "win/InputSource.h"

#include <cstdint>
#include <optional>
#include <utility>

class TerminalFrontEnd : public InputSource {
public:
    TerminalFrontEnd(Terminal& terminal, TerminalHost host);

    bool runNextAction() override;
    void waitForInput(int timeoutMs) override;
    void reportStall(HWND window, const std::wstring& snapshot) override;

    // A line of the host's output (printed values, errors, logbook entries) for the pane.
    void addOutputLine(const std::wstring& line);
    // Draws the whole screen into the model and shows what changed on the terminal.
    void render();
    void handle(const InputEvent& event);

    const Screen& screen() const { return m_screen; }
    bool commandLineFocused() const;

private:
    bool hostAcceptsInput() const;
    // Below 80 x 24 the screen only says how large the terminal must be.
    bool tooSmall() const;
    HWND activeWindow() const;
    std::vector<HWND> windows() const;

    void handleClick(const InputEvent& event);
    bool handleMenus(const InputEvent& event);
    bool openMenuOfActiveWindow(const InputEvent& event);
    void openSystemMenu();
    void chooseSystemCommand(UINT command);
    void handleMove(const InputEvent& event);
    // F8: the active window's tool bar has the keys; the button with the attention shows its tip.
    void attendToolBar();
    void moveToolBarAttention(int step);
    void handleToolBar(const InputEvent& event);
    void cycleFocus();
    void followNewWindows();
    void activate(HWND window);
    void sendToWindows(const InputEvent& event);
    void runCommandLine(const InputEvent& event);
    void quit();
    // F1 at the command line: the keys of the front end, in a message box.
    void showKeys();
    std::wstring statusText() const;

    Terminal& m_terminal;
    TerminalHost m_host;
    Screen m_screen{0, 0};
    HostScreen m_hostScreen;
    WindowPainter m_painter;
    std::optional<InputEvent> m_pending;
    std::vector<std::wstring> m_output;
    // The keyboard goes to the windows rather than the command line.
    bool m_windowsFocused = false;
    // The menu bar of the active window while it is open, and the window it belongs to.
    MenuBar m_windowMenu;
    HWND m_windowMenuOwner = nullptr;
    std::optional<MenuPopup> m_systemMenu;
    HWND m_systemMenuOwner = nullptr;
    // The window moved with the arrow keys, after its system menu's Move or F7.
    HWND m_moving = nullptr;
    // The tool bar that has the keys, after F8.
    HWND m_toolBar = nullptr;
    // The windows shown at the last render, to notice the ones that open.
    std::vector<HWND> m_knownWindows;
    // Windows brought up by F6 since the command line had the keys.
    int m_cycled = 0;
    // The cell and time of the last click in a window, to tell a double click (which a window
    // may still take as a click of its own, as a list does when its items moved in between).
    std::optional<std::pair<int, int>> m_lastClick;
    std::int64_t m_lastClickMs = 0;
    // A message for the status line until the next key, such as why a menu command failed.
    std::wstring m_notice;
};
