// The host's command line: one line of text with a cursor, editing keys and a history of the
// command lines entered, browsed with Up and Down.
#pragma once

#include "InputEvent.h"
#include "Screen.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CommandLine {
public:
    // Edits the line; returns the line when Enter submits it. Keys it does not use change nothing.
    std::optional<std::wstring> handle(const InputEvent& event);
    // Draws prompt and line on one row; the terminal's cursor goes to the caret when focused.
    void draw(Screen& screen, const Rect& row, bool focused) const;

    const std::wstring& text() const { return m_text; }
    std::size_t caret() const { return m_caret; }
    const std::vector<std::wstring>& history() const { return m_history; }

private:
    std::wstring submit();
    void browseHistory(int step);
    void replaceText(std::wstring text);

    std::wstring m_text;
    std::size_t m_caret = 0;
    std::vector<std::wstring> m_history;
    // Position while browsing the history; history().size() is the line being written.
    std::size_t m_historyIndex = 0;
    std::wstring m_draft;
};
