// The host's screen: menu bar on the top row, the logbook pane, a status line and the command
// line at the bottom. Windows are drawn over it by the front end.
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

private:
    MenuBar m_menuBar;
    CommandLine m_commandLine;
    LogbookPane m_logbook;
    std::wstring m_status;
};
