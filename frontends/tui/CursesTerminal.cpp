// ncurses output of the screen model and input decoding.
#include "CursesTerminal.h"

#include <curses.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>

namespace {

// How long the second half of an Alt+key pair may lag behind its Escape.
constexpr int altFollowMs = 30;

volatile std::sig_atomic_t g_cursesActive = 0;

void restoreTerminal()
{
    if (!g_cursesActive)
        return;
    g_cursesActive = 0;
    // Mouse motion reports off again, so that the shell gets no stray reports.
    std::fputs("\033[?1003l", stdout);
    std::fflush(stdout);
    endwin();
}

// The terminal hung up: the program goes on without it (the front end decides when it ends).
volatile std::sig_atomic_t g_hungUp = 0;

void noteHangUp(int) { g_hungUp = 1; }

// A signal that ends the program must not leave the terminal in raw mode.
void restoreAndReraise(int signalNumber)
{
    restoreTerminal();
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void installRestorers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    std::atexit(restoreTerminal);
    for (const int signalNumber : {SIGINT, SIGTERM, SIGQUIT, SIGSEGV, SIGABRT, SIGFPE, SIGBUS})
        std::signal(signalNumber, restoreAndReraise);
    std::signal(SIGHUP, noteHangUp);
}

short pairNumber(Style style)
{
    // Pair 0 is the terminal's own default; the 63 others hold every foreground on background.
    return static_cast<short>(static_cast<int>(style.fg) * 8 + static_cast<int>(style.bg));
}

attr_t cursesAttributes(Style style)
{
    attr_t attributes = A_NORMAL;
    if (style.attrs & Attr::Bold)
        attributes |= A_BOLD;
    if (style.attrs & Attr::Underline)
        attributes |= A_UNDERLINE;
    if (style.attrs & Attr::Reverse)
        attributes |= A_REVERSE;
    if (style.attrs & Attr::Dim)
        attributes |= A_DIM;
    return attributes;
}

} // namespace

CursesTerminal::CursesTerminal() = default;

CursesTerminal::~CursesTerminal()
{
    close();
}

bool CursesTerminal::open()
{
    if (m_open)
        return true;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        return false;
    std::setlocale(LC_ALL, "");
    installRestorers();
    if (!initscr())
        return false;
    g_cursesActive = 1;
    m_open = true;
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    set_escdelay(altFollowMs);
    // ncurses only announces a mouse report; its bytes are read by readMouse, because ncurses' own
    // decoding folds a burst of reports (a quick double click) into one event.
    mousemask(0, nullptr);
    addControlKeys();
    // Every move of the mouse is reported, so that a tip can show where the mouse rests.
    std::fputs("\033[?1003h", stdout);
    std::fflush(stdout);
    if (has_colors()) {
        start_color();
        for (int pair = 1; pair < 64 && pair < COLOR_PAIRS; ++pair)
            init_pair(static_cast<short>(pair), static_cast<short>(pair / 8), static_cast<short>(pair % 8));
    }
    m_shown.resize(0, 0);
    return true;
}

void CursesTerminal::close()
{
    if (!m_open)
        return;
    m_open = false;
    restoreTerminal();
}

int CursesTerminal::width() const
{
    return m_open ? getmaxx(stdscr) : 0;
}

int CursesTerminal::height() const
{
    return m_open ? getmaxy(stdscr) : 0;
}

bool CursesTerminal::gone() const { return g_hungUp != 0; }

void CursesTerminal::show(const Screen& screen)
{
    if (!m_open || gone())
        return;
    if (screen.width() != m_shown.width() || screen.height() != m_shown.height())
        clearok(stdscr, TRUE);
    for (const Screen::Run& run : screen.changedRuns(m_shown)) {
        for (int x = run.x; x < run.x + run.length; ++x) {
            const Cell& cell = screen.at(x, run.y);
            const wchar_t text[2] = {cell.ch, 0};
            cchar_t shown;
            setcchar(&shown, text, cursesAttributes(cell.style), pairNumber(cell.style), nullptr);
            // Written, the terminal's last cell would scroll the screen; inserted there, it does not.
            if (x == screen.width() - 1 && run.y == screen.height() - 1)
                mvins_wch(run.y, x, &shown);
            else
                mvadd_wch(run.y, x, &shown);
        }
    }
    m_shown = screen;
    if (const auto cursor = screen.cursor()) {
        curs_set(1);
        move(cursor->y, cursor->x);
    } else {
        curs_set(0);
    }
    refresh();
}

std::optional<InputEvent> CursesTerminal::read(int timeoutMs)
{
    if (!m_open)
        return std::nullopt;
    if (gone()) {
        // Nothing will come: the wait is only for the host's next timer.
        constexpr int kLongestWaitMs = 1000;
        poll(nullptr, 0, timeoutMs < 0 ? kLongestWaitMs : timeoutMs);
        return std::nullopt;
    }
    wtimeout(stdscr, timeoutMs);
    for (;;) {
        wint_t code = 0;
        const int kind = get_wch(&code);
        if (kind == ERR)
            return m_decoder.escapeTimedOut();
        if (kind == KEY_CODE_YES && code == KEY_MOUSE) {
            if (auto click = readMouse())
                return click;
            wtimeout(stdscr, timeoutMs);
            continue;
        }
        if (auto event = m_decoder.feed(static_cast<int>(code), kind == KEY_CODE_YES))
            return event;
        if (m_decoder.escapePending())
            wtimeout(stdscr, altFollowMs);
    }
}

void CursesTerminal::addControlKeys()
{
    const std::pair<const char*, Key> controlKeys[] = {{"kUP5", Key::Up},    {"kDN5", Key::Down}, {"kLFT5", Key::Left},
                                                       {"kRIT5", Key::Right}, {"kHOM5", Key::Home}, {"kEND5", Key::End},
                                                       {"kPRV5", Key::PageUp}, {"kNXT5", Key::PageDown}};
    // Alt+Down and Alt+Up open and close a combo box's list.
    const std::pair<const char*, Key> altKeys[] = {{"kUP3", Key::Up}, {"kDN3", Key::Down}};
    const auto add = [this](const char* name, const InputEvent& event) {
        const char* sequence = tigetstr(name);
        if (!sequence || sequence == reinterpret_cast<char*>(-1))
            return;
        if (const int code = key_defined(sequence); code > 0)
            m_decoder.addKey(code, event);
    };
    for (const auto& [name, key] : controlKeys)
        add(name, InputEvent::ofKey(key).withCtrl());
    for (const auto& [name, key] : altKeys)
        add(name, InputEvent::ofKey(key, true));
}

std::optional<InputEvent> CursesTerminal::readMouse()
{
    // A report's three bytes: the button with its modifier and motion bits, the column and the
    // row, each offset by 32 and the position 1-based.
    int bytes[3];
    wtimeout(stdscr, altFollowMs);
    for (int& byte : bytes)
        if ((byte = wgetch(stdscr)) == ERR)
            return std::nullopt;
    const int button = bytes[0] - 32;
    const int x = bytes[1] - 33;
    const int y = bytes[2] - 33;
    m_decoder.escapeTimedOut();
    if (button & 32)
        return InputEvent::ofMove(x, y);
    if (button & 64)
        return InputEvent::ofWheel(x, y, (button & 1) ? -1 : 1);
    if ((button & 3) != 0)
        return std::nullopt; // a release, or a button other than the left one
    InputEvent click = InputEvent::ofClick(x, y);
    click.shift = (button & 4) != 0;
    click.ctrl = (button & 16) != 0;
    return click;
}
