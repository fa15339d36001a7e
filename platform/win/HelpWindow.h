// The window in which HTML Help shows a topic: the help file's title as its caption, the topic's
// heading, and its text in a read-only edit that scrolls with the arrows, Page Up and Page Down,
// Home and End and the wheel. Escape, Alt+F4 or the close box closes it. There is one such window:
// a new topic replaces the one shown.
#pragma once

#include "win/HelpFile.h"
#include "win/WinUser.h"

class HelpWindow {
public:
    // Children of the help window, by id.
    static constexpr int headingId = 1;
    static constexpr int textId = 2;

    // Shows the topic in a help window owned by owner (may be null); the window's handle.
    static HWND show(HWND owner, const std::wstring& title, const HelpTopic& topic);
    // The topic's lines laid out for width columns: long lines wrapped at blanks, a line
    // beginning with "- " continued under its text; lines end with "\r\n".
    static std::wstring layOut(const HelpTopic& topic, int width);
};
