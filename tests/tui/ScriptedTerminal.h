// A terminal for tests: it hands out a list of events one at a time and keeps the screen last shown.
#pragma once

#include "tui/Terminal.h"

#include <deque>
#include <initializer_list>

class ScriptedTerminal : public Terminal {
public:
    ScriptedTerminal(int width, int height);

    void add(std::initializer_list<InputEvent> events);
    bool consumed() const { return m_events.empty(); }
    const Screen& shown() const { return m_shown; }

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void show(const Screen& screen) override { m_shown = screen; }
    std::optional<InputEvent> read(int timeoutMs) override;

private:
    int m_width;
    int m_height;
    std::deque<InputEvent> m_events;
    Screen m_shown{0, 0};
};
