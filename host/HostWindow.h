// The host's main window (host handle 0x4003): it takes the modules' registrations, logbook
// entries and unregistrations, runs queued command lines, carries the menu with the module's
// entry that the MenuState command greys and checks, and ends the host when it is closed.
#pragma once

#include "Logbook.h"

#include "orvane/MacroCall.h"
#include "orvane/OrvaneTypes.h"
#include "win/WinUser.h"

#include <functional>
#include <optional>
#include <string>

class HostWindow {
public:
    static constexpr UINT WM_LOGBOOK_ENTRY = WM_USER + 5;
    static constexpr UINT WM_LOGBOOK_REGISTER = WM_USER + 8;
    static constexpr UINT WM_LOGBOOK_UNREGISTER = WM_USER + 9;
    // Posted when a module queues a command line, so that the lines run once its handler returns.
    static constexpr UINT WM_RUN_QUEUED_LINES = WM_APP + 1;
    // The menu entry that opens the module's window: it runs FIARUNNER.
    static constexpr UINT ID_MODULE_WINDOW = 40001;
    static constexpr const wchar_t* title = L"Orvane";

    using Output = std::function<void(const std::wstring& line)>;

    // Output shows why closing the window did not end the host.
    HostWindow(Logbook& logbook, HCPCONTEXT context, Output output);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return m_window; }
    // Ends the host as closing its window does (Exit, Quit, WM_CLOSE): the windows the modules
    // opened over it are asked to close first, as Windows asks a program's windows when it ends.
    // The quit is posted when all closed; otherwise the host runs on and the answer names the
    // window that cannot or will not close (a module's window at work keeps its work so).
    std::optional<std::wstring> exit();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HMENU createMenu() const;
    void menuState(MacroCall& call);

    Logbook& m_logbook;
    HCPCONTEXT m_context;
    Output m_output;
    HWND m_window = nullptr;
};
