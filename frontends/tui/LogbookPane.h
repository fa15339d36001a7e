// The host's logbook on screen: the newest entries at the bottom, long entries wrapped, older
// ones scrolled back with Page Up and Page Down.
#pragma once

#include "InputEvent.h"
#include "Screen.h"

#include <string>
#include <vector>

class LogbookPane {
public:
    void setEntries(std::vector<std::wstring> entries);
    void draw(Screen& screen, const Rect& area) const;
    // Page Up and Page Down scroll by a page as last drawn; true when the key was used.
    bool scroll(const InputEvent& event);

private:
    // Every entry cut into rows of the given width, oldest first.
    std::vector<std::wstring> wrappedRows(int width) const;

    std::vector<std::wstring> m_entries;
    // Rows scrolled back from the newest; 0 shows the newest entries.
    int m_scrolledBack = 0;
    // The text area as last drawn, which scrolling pages through.
    mutable Rect m_drawn;
};
