// Layout and drawing of the host's screen.
#include "HostScreen.h"

#include "Theme.h"

namespace {
constexpr std::wstring_view keyHints = L"F1 Keys  F10 Menu  F6 Next window ";
}

HostScreen::Layout HostScreen::layout(int width, int height)
{
    Layout parts;
    parts.menuBar = {0, 0, width, std::min(1, height)};
    parts.commandLine = {0, height - 1, width, height >= 2 ? 1 : 0};
    parts.statusLine = {0, height - 2, width, height >= 3 ? 1 : 0};
    parts.logbook = {0, 1, width, std::max(0, height - 3)};
    return parts;
}

void HostScreen::draw(Screen& screen, bool commandLineFocused) const
{
    const Layout parts = layout(screen.width(), screen.height());
    m_menuBar.draw(screen, parts.menuBar);
    m_logbook.draw(screen, parts.logbook);
    drawStatusAndCommandLine(screen, parts, commandLineFocused);
}

void HostScreen::drawConsole(Screen& screen) const
{
    const Layout parts = layout(screen.width(), screen.height());
    const int rows = std::min(consoleOutputRows, parts.logbook.height);
    m_logbook.draw(screen, {0, parts.statusLine.y - rows, screen.width(), rows});
    drawStatusAndCommandLine(screen, parts, true);
}

void HostScreen::drawStatusAndCommandLine(Screen& screen, const Layout& parts, bool commandLineFocused) const
{
    screen.fill(parts.statusLine, L' ', Theme::statusLine);
    screen.text(1, parts.statusLine.y, m_status, Theme::statusLine);
    const int hints = static_cast<int>(keyHints.size());
    if (screen.width() > static_cast<int>(m_status.size()) + hints + 2)
        screen.text(screen.width() - hints, parts.statusLine.y, keyHints, Theme::statusLine);
    m_commandLine.draw(screen, parts.commandLine, commandLineFocused);
}

void HostScreen::drawMenus(Screen& screen) const
{
    m_menuBar.draw(screen, layout(screen.width(), screen.height()).menuBar);
}
