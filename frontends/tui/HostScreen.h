// The host's screen: menu bar on the top row, the logbook pane, a status line and the command
// line at the bottom. Windows are drawn over it by the front end; while the command line has the
// keys, its bottom rows with the newest output are drawn over the windows again (drawConsole).
#pragma once

#include "CommandLine.h"
#include "LogbookPane.h"
#include "MenuBar.h"
#include "Screen.h"

#include <string>

class HostScreen {
public:
    struct Layout {
        Rect menuBar;
        Rect logbook;
        Rect statusLine;
        Rect commandLine;
    };
    static Layout layout(int width, int height);

    MenuBar& menuBar() { return m_menuBar; }
    CommandLine& commandLine() { return m_commandLine; }
    LogbookPane& logbook() { return m_logbook; }
    void setStatus(std::wstring text) { m_status = std::move(text); }

    // Everything but the menu bar's drop-down, which goes over the windows (drawMenus).
    void draw(Screen& screen, bool commandLineFocused) const;
    void drawMenus(Screen& screen) const;
    // The newest output, the status line and the command line over the screen's bottom rows.
    void drawConsole(Screen& screen) const;

    // Rows of output the console shows above the status line.
    static constexpr int consoleOutputRows = 5;

private:
    void drawStatusAndCommandLine(Screen& screen, const Layout& parts, bool commandLineFocused) const;

    MenuBar m_menuBar;
    CommandLine m_commandLine;
    LogbookPane m_logbook;
    std::wstring m_status;
};
