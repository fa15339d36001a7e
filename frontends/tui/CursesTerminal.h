// The real terminal through ncurses: shows a Screen, sending only the cells that changed, and
// reads input events. The terminal is restored when it is closed, when the program exits and when
// a signal ends the program.
#pragma once

#include "KeyDecoder.h"
#include "Terminal.h"

#include <optional>

class CursesTerminal : public Terminal {
public:
    CursesTerminal();
    ~CursesTerminal() override;
    CursesTerminal(const CursesTerminal&) = delete;
    CursesTerminal& operator=(const CursesTerminal&) = delete;

    // False when standard input or output is not a terminal, or ncurses could not start.
    bool open();
    void close();
    bool isOpen() const { return m_open; }

    int width() const override;
    int height() const override;
    void show(const Screen& screen) override;
    std::optional<InputEvent> read(int timeoutMs) override;
    bool gone() const override;

private:
    std::optional<InputEvent> readMouse();
    // Ctrl and Alt with the arrows and the like have no fixed codes: the terminal's description gives them.
    void addControlKeys();

    bool m_open = false;
    KeyDecoder m_decoder;
    Screen m_shown{0, 0};
};
