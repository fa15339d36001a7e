// Where the front end shows its screen and reads its input: the real terminal, or a test's list
// of events.
#pragma once

#include "InputEvent.h"
#include "Screen.h"

#include <optional>

class Terminal {
public:
    virtual ~Terminal() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void show(const Screen& screen) = 0;
    // Waits at most timeoutMs (negative: without limit) for the next event.
    virtual std::optional<InputEvent> read(int timeoutMs) = 0;
    // The terminal has gone (its window was closed: SIGHUP); nothing can be shown or read.
    virtual bool gone() const { return false; }
};
