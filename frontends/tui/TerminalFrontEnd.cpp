// Drawing the host's screen and its windows, and routing the user's input: the menus and the
// command line are the front end's own; everything for a window goes in as framework input.
#include "TerminalFrontEnd.h"

#include "CellGeometry.h"
#include "ControlBarDrawers.h"
#include "MenuReader.h"
#include "Theme.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/Automation.h"
#include "win/CommCtrl.h"
#include "win/ControlBarAutomation.h"

#include <algorithm>
#include <cwctype>
#include <functional>
#include <ranges>

namespace {

UINT virtualKeyOf(Key key)
{
    switch (key) {
    case Key::Tab: return VK_TAB;
    case Key::BackTab: return VK_TAB;
    case Key::Up: return VK_UP;
    case Key::Down: return VK_DOWN;
    case Key::Left: return VK_LEFT;
    case Key::Right: return VK_RIGHT;
    case Key::Home: return VK_HOME;
    case Key::End: return VK_END;
    case Key::PageUp: return VK_PRIOR;
    case Key::PageDown: return VK_NEXT;
    case Key::Enter: return VK_RETURN;
    case Key::Escape: return VK_ESCAPE;
    case Key::Backspace: return VK_BACK;
    case Key::Delete: return VK_DELETE;
    case Key::Insert: return VK_INSERT;
    case Key::F1: return VK_F1;
    case Key::F4: return VK_F4;
    case Key::F6: return VK_F6;
    case Key::F7: return VK_F7;
    case Key::F8: return VK_F8;
    case Key::F10: return VK_F10;
    case Key::F2: // the decoder's own: it puts Ctrl on the key that follows
    case Key::None: break;
    }
    return 0;
}

// Presses and releases a key, with a modifier key held around it when one is given.
void pressKey(UINT virtualKey, UINT modifierKey = 0)
{
    if (modifierKey)
        Automation::injectKey(modifierKey, true);
    Automation::injectKey(virtualKey, true);
    Automation::injectKey(virtualKey, false);
    if (modifierKey)
        Automation::injectKey(modifierKey, false);
}

// The modifier keys held with a key or a click, pressed around what inject sends.
void holdingModifiers(const InputEvent& event, const std::function<void()>& inject)
{
    const std::pair<bool, UINT> modifiers[] = {{event.ctrl, VK_CONTROL}, {event.shift, VK_SHIFT}, {event.alt, VK_MENU}};
    for (const auto& [held, key] : modifiers)
        if (held)
            Automation::injectKey(key, true);
    inject();
    for (const auto& [held, key] : modifiers)
        if (held)
            Automation::injectKey(key, false);
}

// A click on a cell goes to the framework in the middle of the cell: the window drawn on the cell
// covers that pixel. The second press of a double click comes as one (WM_LBUTTONDBLCLK).
void click(int x, int y, bool secondOfDouble = false)
{
    const POINT point = CellGeometry::pixelOf(x, y);
    Automation::injectMouse(secondOfDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, point);
    Automation::injectMouse(WM_LBUTTONUP, point);
}

// The smallest terminal the module's windows are laid out for.
constexpr int kMinimumWidth = 80;
constexpr int kMinimumHeight = 24;
constexpr std::int64_t kDoubleClickMs = 500;

} // namespace

TerminalFrontEnd::TerminalFrontEnd(Terminal& terminal, TerminalHost host)
    : m_terminal(terminal)
    , m_host(std::move(host))
{
}

bool TerminalFrontEnd::runNextAction()
{
    if (m_terminal.gone()) {
        // Nobody can answer any more: once no timer is left (a running group has ended), the host
        // ends as by Ctrl+Q, a window that still refuses (a group paused for Run) notwithstanding.
        if (Clock::nextDueMs())
            return false;
        quit();
        PostQuitMessage(0);
        return true;
    }
    if (!m_pending)
        m_pending = m_terminal.read(0);
    if (!m_pending)
        return false;
    const InputEvent event = *m_pending;
    m_pending.reset();
    // The user acts on what is shown: clicks are hit-tested against the screen as last drawn.
    render();
    handle(event);
    return true;
}

void TerminalFrontEnd::waitForInput(int timeoutMs)
{
    render();
    if (!m_pending)
        m_pending = m_terminal.read(timeoutMs);
}

void TerminalFrontEnd::reportStall(HWND, const std::wstring&)
{
    m_notice = L"A window waited for input that could not come; it was cancelled.";
}

void TerminalFrontEnd::addOutputLine(const std::wstring& line)
{
    m_output.push_back(line);
}

std::wstring TerminalFrontEnd::statusText() const
{
    if (!m_notice.empty())
        return m_notice;
    if (m_moving)
        return L"Moving the window: arrows, then Enter";
    if (m_toolBar)
        return L"Tool bar: Left and Right to a button, Enter presses it, Escape leaves";
    if (commandLineFocused())
        return L"Command line";
    const HWND active = activeWindow();
    if (!active)
        return {};
    return Automation::describe(active).text;
}

bool TerminalFrontEnd::hostAcceptsInput() const
{
    return !m_host.window || IsWindowEnabled(m_host.window);
}

std::vector<HWND> TerminalFrontEnd::windows() const
{
    std::vector<HWND> shown = Automation::topLevelWindows();
    std::erase(shown, m_host.window);
    // A tip is drawn over the windows but never takes the keys.
    std::erase_if(shown, IsToolTip);
    return shown;
}

HWND TerminalFrontEnd::activeWindow() const
{
    const HWND active = GetActiveWindow();
    return active && active != m_host.window ? active : nullptr;
}

bool TerminalFrontEnd::commandLineFocused() const
{
    return hostAcceptsInput() && (!m_windowsFocused || windows().empty());
}

void TerminalFrontEnd::followNewWindows()
{
    std::vector<HWND> shown = windows();
    // A window that has just opened, such as the one a typed command opened, takes the keys.
    if (std::ranges::any_of(shown, [&](HWND window) { return std::ranges::find(m_knownWindows, window) == m_knownWindows.end(); }))
        m_windowsFocused = true;
    m_knownWindows = std::move(shown);
}

bool TerminalFrontEnd::tooSmall() const { return m_screen.width() < kMinimumWidth || m_screen.height() < kMinimumHeight; }

void TerminalFrontEnd::render()
{
    followNewWindows();
    const int width = m_terminal.width();
    const int height = m_terminal.height();
    if (width != m_screen.width() || height != m_screen.height()) {
        m_screen.resize(width, height);
        Automation::setScreenSize(width * CellGeometry::cellWidthPx, height * CellGeometry::cellHeightPx);
    }
    m_screen.hideCursor();
    if (tooSmall()) {
        // Windows laid out for 80 x 24 would be cut off and clicks would miss: say so instead.
        m_screen.fill(m_screen.bounds(), L' ', Theme::desktop);
        const std::wstring lines[] = {L"The terminal is " + std::to_wstring(width) + L" x " + std::to_wstring(height) + L".",
                                      L"Orvane needs at least 80 x 24:", L"enlarge it, or press Ctrl+Q to quit."};
        for (int row = 0; row < 3; ++row)
            m_screen.text(0, std::max(0, height / 2 - 1) + row, lines[row], Theme::desktop);
        m_terminal.show(m_screen);
        return;
    }
    if (m_host.window)
        m_hostScreen.menuBar().setMenus(ReadMenu(GetMenu(m_host.window)));
    m_hostScreen.logbook().setEntries(m_output);
    m_hostScreen.setStatus(statusText());
    const bool typing = commandLineFocused();
    m_hostScreen.draw(m_screen, typing);
    auto commandCursor = m_screen.cursor();

    const std::vector<HWND> shown = windows();
    for (HWND window : std::views::reverse(shown))
        m_painter.draw(m_screen, window);
    m_painter.drawOverlays(m_screen);
    for (HWND tip : Automation::topLevelWindows())
        if (IsToolTip(tip))
            DrawToolTip(m_screen, Automation::describe(tip));
    // The user types over the windows and sees what the host answers, as Page Up and Down scroll.
    if (typing && !shown.empty()) {
        m_screen.hideCursor();
        m_hostScreen.drawConsole(m_screen);
        commandCursor = m_screen.cursor();
    }
    if (m_windowMenu.isActive())
        m_windowMenu.draw(m_screen, m_windowMenu.row());
    if (m_systemMenu)
        m_systemMenu->draw(m_screen);
    if (m_hostScreen.menuBar().isActive())
        m_hostScreen.drawMenus(m_screen);
    // A focused edit of a window keeps its caret in the framework, but the keys go to the command line.
    if (typing && commandCursor)
        m_screen.setCursor(commandCursor->x, commandCursor->y);
    else if (typing)
        m_screen.hideCursor();
    m_terminal.show(m_screen);
}

void TerminalFrontEnd::handle(const InputEvent& event)
{
    if (event.kind == InputEvent::Kind::Resize)
        return;
    const bool quitting = event.kind == InputEvent::Kind::Character && event.ctrl && event.ch == L'Q';
    if (tooSmall() && !quitting)
        return;
    // The mouse moving over a window: tips show where it rests; a notice stays.
    if (event.kind == InputEvent::Kind::Move) {
        if (!m_moving && !m_systemMenu && !m_windowMenu.isActive() && !m_hostScreen.menuBar().isActive())
            Automation::injectMouse(WM_MOUSEMOVE, CellGeometry::pixelOf(event.x, event.y));
        return;
    }
    m_notice.clear();
    if (m_moving) {
        handleMove(event);
        return;
    }
    if (m_toolBar) {
        handleToolBar(event);
        return;
    }
    if (handleMenus(event))
        return;
    if (event.kind == InputEvent::Kind::Click) {
        handleClick(event);
        return;
    }
    if (event.kind == InputEvent::Kind::Wheel) {
        // What was under the mouse has moved: the next click starts a double click anew.
        m_lastClick.reset();
        Automation::injectWheel(CellGeometry::pixelOf(event.x, event.y), event.wheel * WHEEL_DELTA);
        return;
    }
    if (event.kind == InputEvent::Kind::Character && event.ctrl && event.ch == L'Q') {
        quit();
        return;
    }
    if (event.isKey(Key::F6)) {
        cycleFocus();
        return;
    }
    const bool typing = commandLineFocused();
    if (event.isKey(Key::F10)) {
        if (!typing && openMenuOfActiveWindow(event))
            return;
        if (hostAcceptsInput())
            m_hostScreen.menuBar().activate();
        return;
    }
    if (event.kind == InputEvent::Kind::Character && event.alt && event.ch == L' ') {
        openSystemMenu();
        return;
    }
    if (event.isKey(Key::F7) && !typing) {
        m_moving = activeWindow();
        return;
    }
    if (event.isKey(Key::F8) && !typing) {
        attendToolBar();
        return;
    }
    if (typing && event.isKey(Key::F1)) {
        showKeys();
        return;
    }
    if (typing) {
        if (event.kind == InputEvent::Kind::Character && event.alt && !event.ctrl)
            m_hostScreen.menuBar().openByMnemonic(event.ch);
        else if (!m_hostScreen.logbook().scroll(event))
            runCommandLine(event);
        return;
    }
    // Alt with a letter opens a menu; with Ctrl too it is a shortcut.
    if (event.kind == InputEvent::Kind::Character && event.alt && !event.ctrl && openMenuOfActiveWindow(event))
        return;
    sendToWindows(event);
}

bool TerminalFrontEnd::handleMenus(const InputEvent& event)
{
    if (m_systemMenu) {
        const auto result = m_systemMenu->handle(event, m_screen.width(), m_screen.height());
        if (result.outcome == MenuPopup::Outcome::Open)
            return true;
        m_systemMenu.reset();
        if (result.outcome == MenuPopup::Outcome::Chosen)
            chooseSystemCommand(result.id);
        return true;
    }
    MenuBar& hostMenu = m_hostScreen.menuBar();
    MenuBar* open = m_windowMenu.isActive() ? &m_windowMenu : hostMenu.isActive() ? &hostMenu : nullptr;
    if (!open)
        return false;
    const HWND owner = open == &m_windowMenu ? m_windowMenuOwner : m_host.window;
    if (const auto command = open->handle(event, m_screen.width(), m_screen.height())) {
        if (const ActionResult result = Automation::chooseMenuCommand(owner, *command); !result)
            m_notice = result.message;
    }
    return true;
}

bool TerminalFrontEnd::openMenuOfActiveWindow(const InputEvent& event)
{
    const HWND active = activeWindow();
    if (!active)
        return false;
    const WindowInfo info = Automation::describe(active);
    if (!info.menu || !info.enabled)
        return false;
    m_windowMenu.setMenus(ReadMenu(info.menu));
    m_windowMenu.draw(m_screen, WindowPainter::partsOf(info).menuBar);
    if (event.isKey(Key::F10))
        m_windowMenu.activate();
    else if (!m_windowMenu.openByMnemonic(event.ch))
        return false;
    m_windowMenuOwner = active;
    return true;
}

void TerminalFrontEnd::openSystemMenu()
{
    const HWND active = activeWindow();
    if (!active)
        return;
    const WindowInfo info = Automation::describe(active);
    if (!(info.style & WS_SYSMENU) || !info.enabled)
        return;
    std::vector<MenuItem> items = ReadMenu(GetSystemMenu(active, FALSE));
    if (items.empty())
        items = {MenuItem::command(L"&Move\tF7", SC_MOVE), MenuItem::separatorLine(), MenuItem::command(L"&Close", SC_CLOSE)};
    const Rect frame = WindowPainter::partsOf(info).frame;
    m_systemMenu.emplace(std::move(items), frame.x, frame.y + 1);
    m_systemMenuOwner = active;
}

void TerminalFrontEnd::chooseSystemCommand(UINT command)
{
    if (command == SC_MOVE) {
        m_moving = m_systemMenuOwner;
        return;
    }
    if (const ActionResult result = Automation::chooseMenuCommand(m_systemMenuOwner, command); !result)
        m_notice = result.message;
}

void TerminalFrontEnd::handleMove(const InputEvent& event)
{
    if (event.isKey(Key::Enter) || event.isKey(Key::Escape) || !IsWindow(m_moving)) {
        m_moving = nullptr;
        return;
    }
    int dx = 0;
    int dy = 0;
    if (event.isKey(Key::Left))
        dx = -1;
    else if (event.isKey(Key::Right))
        dx = 1;
    else if (event.isKey(Key::Up))
        dy = -1;
    else if (event.isKey(Key::Down))
        dy = 1;
    RECT rect{};
    GetWindowRect(m_moving, &rect);
    MoveWindow(m_moving, rect.left + dx * CellGeometry::cellWidthPx, rect.top + dy * CellGeometry::cellHeightPx,
               rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

void TerminalFrontEnd::attendToolBar()
{
    const HWND window = activeWindow();
    for (HWND child : window ? Automation::children(window) : std::vector<HWND>{}) {
        if (EqualsNoCase(Automation::describe(child).className, TOOLBARCLASSNAMEW) && IsWindowVisible(child)) {
            // The attention starts at the first button, wherever the mouse was.
            m_toolBar = child;
            SendMessageW(m_toolBar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
            moveToolBarAttention(1);
            return;
        }
    }
    m_notice = L"This window has no tool bar.";
}

// The next button along (step 1) or back (-1), separators passed over; the first from none.
void TerminalFrontEnd::moveToolBarAttention(int step)
{
    const auto count = static_cast<int>(SendMessageW(m_toolBar, TB_BUTTONCOUNT, 0, 0));
    int index = static_cast<int>(SendMessageW(m_toolBar, TB_GETHOTITEM, 0, 0));
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? 0 : (index + step + count) % count;
        TBBUTTON button{};
        SendMessageW(m_toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & TBSTYLE_SEP) && !(button.fsState & TBSTATE_HIDDEN)) {
            SendMessageW(m_toolBar, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
            return;
        }
    }
}

void TerminalFrontEnd::handleToolBar(const InputEvent& event)
{
    const HWND bar = m_toolBar;
    if (!IsWindow(bar) || !IsWindowVisible(bar)) {
        m_toolBar = nullptr;
        return;
    }
    if (event.isKey(Key::Left) || event.isKey(Key::Right)) {
        moveToolBarAttention(event.isKey(Key::Left) ? -1 : 1);
        return;
    }
    const auto hot = SendMessageW(bar, TB_GETHOTITEM, 0, 0);
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, static_cast<WPARAM>(hot), reinterpret_cast<LPARAM>(&button));
    // Any other key leaves the tool bar; Enter presses the button first.
    SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    m_toolBar = nullptr;
    if (event.isKey(Key::Enter) && hot >= 0) {
        if (const ActionResult pressed = ControlBarAutomation::clickButton(GetAncestor(bar, GA_ROOT), button.idCommand); !pressed)
            m_notice = pressed.message;
    }
}

void TerminalFrontEnd::handleClick(const InputEvent& event)
{
    for (const Rect& list : m_painter.droppedLists()) {
        if (list.contains(event.x, event.y)) {
            click(event.x, event.y);
            return;
        }
    }
    for (HWND window : windows()) {
        const WindowInfo info = Automation::describe(window);
        const WindowPainter::Parts parts = WindowPainter::partsOf(info);
        if (!parts.frame.contains(event.x, event.y))
            continue;
        m_windowsFocused = true;
        if (parts.closeBox.contains(event.x, event.y)) {
            m_systemMenuOwner = window;
            chooseSystemCommand(SC_CLOSE);
        } else if (parts.menuBar.contains(event.x, event.y) && info.enabled) {
            m_windowMenu.setMenus(ReadMenu(info.menu));
            m_windowMenu.draw(m_screen, parts.menuBar);
            m_windowMenuOwner = window;
            if (const auto command = m_windowMenu.clickTitle(event.x))
                Automation::chooseMenuCommand(window, *command);
        } else {
            const std::int64_t now = Clock::nowMs();
            const bool secondOfDouble = m_lastClick && m_lastClick->first == event.x && m_lastClick->second == event.y &&
                                        now - m_lastClickMs <= kDoubleClickMs;
            holdingModifiers(event, [&] { click(event.x, event.y, secondOfDouble); });
            // A third press starts a new click.
            m_lastClick = secondOfDouble ? std::nullopt : std::optional<std::pair<int, int>>{{event.x, event.y}};
            m_lastClickMs = now;
        }
        return;
    }
    if (!hostAcceptsInput())
        return;
    m_windowsFocused = false;
    if (m_hostScreen.menuBar().row().contains(event.x, event.y)) {
        if (const auto command = m_hostScreen.menuBar().clickTitle(event.x))
            Automation::chooseMenuCommand(m_host.window, *command);
    }
}

void TerminalFrontEnd::cycleFocus()
{
    std::vector<HWND> candidates;
    for (HWND window : windows())
        if (IsWindowEnabled(window))
            candidates.push_back(window);
    if (candidates.empty()) {
        m_windowsFocused = false;
        return;
    }
    if (commandLineFocused()) {
        m_windowsFocused = true;
        m_cycled = 0;
        activate(candidates.front());
        return;
    }
    // Bringing the bottom window up visits each in turn; after the last comes the command line.
    if (++m_cycled >= static_cast<int>(candidates.size()) && hostAcceptsInput()) {
        m_windowsFocused = false;
        return;
    }
    activate(candidates.back());
}

void TerminalFrontEnd::activate(HWND window)
{
    const Rect title = WindowPainter::partsOf(Automation::describe(window)).titleBar;
    click(title.x + 1, title.y);
}

void TerminalFrontEnd::sendToWindows(const InputEvent& event)
{
    if (event.kind == InputEvent::Kind::Character) {
        const auto letter = static_cast<UINT>(std::towupper(static_cast<wint_t>(event.ch)));
        if (event.ctrl || event.alt)
            holdingModifiers(event, [letter] { pressKey(letter); }); // Ctrl+Alt+A is not Ctrl+A
        else if (event.ch == L' ')
            pressKey(VK_SPACE); // a button is pressed by the key, an edit gets the character
        else
            Automation::injectChar(event.ch);
        return;
    }
    const UINT virtualKey = virtualKeyOf(event.key);
    if (!virtualKey)
        return;
    if (event.key == Key::BackTab)
        pressKey(virtualKey, VK_SHIFT);
    else
        holdingModifiers(event, [virtualKey] { pressKey(virtualKey); });
}

void TerminalFrontEnd::showKeys()
{
    MessageBoxW(m_host.window,
                L"F10 or Alt+letter   open the menu bar\n"
                L"F6                  next window, then the command line\n"
                L"Alt+Space           the window's system menu\n"
                L"F7                  move the window with the arrows\n"
                L"F8                  the window's tool bar: arrows, Enter, Escape\n"
                L"Tab, Shift+Tab      next and previous control\n"
                L"F2, then a key      Ctrl with the key: F2 M for Ctrl+M, which the\n"
                L"                    terminal sends as Enter (so Ctrl+I, H, J, [)\n"
                L"Enter, Escape       the default button, cancel\n"
                L"Page Up, Page Down  scroll the log\n"
                L"Exit or Ctrl+Q      quit",
                L"Terminal keys", MB_OK | MB_ICONINFORMATION);
}

void TerminalFrontEnd::runCommandLine(const InputEvent& event)
{
    const auto line = m_hostScreen.commandLine().handle(event);
    if (!line || line->empty())
        return;
    m_output.push_back(L"> " + *line);
    if (m_host.runCommandLine)
        m_host.runCommandLine(*line);
    else if (EqualsNoCase(*line, L"Exit") || EqualsNoCase(*line, L"Quit"))
        quit();
}

void TerminalFrontEnd::quit()
{
    // As Alt+F4 on the host: its module windows are asked to close, and one at work refuses.
    if (!m_host.window) {
        PostQuitMessage(0);
        return;
    }
    SendMessageW(m_host.window, WM_CLOSE, 0, 0);
    // A window stayed open: the command line and the host's answer why show over it.
    if (!windows().empty() && hostAcceptsInput())
        m_windowsFocused = false;
}
