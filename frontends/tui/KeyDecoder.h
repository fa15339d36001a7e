// Turns what ncurses reads (function-key codes and characters) into input events. An Escape
// followed at once by a character is Alt with that character, as terminals send it. F2 then a
// key is Ctrl with that key: a terminal sends Ctrl+M, Ctrl+I and Ctrl+[ as Enter, Tab and Escape.
#pragma once

#include "InputEvent.h"

#include <map>
#include <optional>

class KeyDecoder {
public:
    // code is a function-key code when isFunctionKey (get_wch's KEY_CODE_YES), a character otherwise.
    // Mouse codes are not decoded here: the terminal reads the mouse event itself.
    std::optional<InputEvent> feed(int code, bool isFunctionKey);
    // Nothing followed a pending Escape in time: it was the Escape key itself.
    std::optional<InputEvent> escapeTimedOut();
    bool escapePending() const { return m_escapePending; }
    // A code the terminal description gives a key with modifiers, such as Ctrl+Up.
    void addKey(int code, const InputEvent& event) { m_extraKeys[code] = event; }

private:
    std::optional<InputEvent> decodeFunctionKey(int code) const;
    std::optional<InputEvent> decodeCharacter(wchar_t ch) const;
    InputEvent withControl(InputEvent event);

    bool m_escapePending = false;
    bool m_controlPending = false;
    std::map<int, InputEvent> m_extraKeys;
};
