// Logbook drawing and scrolling.
#include "LogbookPane.h"

#include "Theme.h"

void LogbookPane::setEntries(std::vector<std::wstring> entries)
{
    // Newly written entries bring the view back to the newest.
    if (entries.size() != m_entries.size())
        m_scrolledBack = 0;
    m_entries = std::move(entries);
}

std::vector<std::wstring> LogbookPane::wrappedRows(int width) const
{
    std::vector<std::wstring> rows;
    const auto step = static_cast<std::size_t>(std::max(1, width));
    for (const std::wstring& entry : m_entries) {
        if (entry.empty())
            rows.emplace_back();
        for (std::size_t start = 0; start < entry.size(); start += step)
            rows.push_back(entry.substr(start, step));
    }
    return rows;
}

void LogbookPane::draw(Screen& screen, const Rect& area) const
{
    screen.fill(area, L' ', Theme::logbook);
    const Rect text{area.x + 1, area.y, area.width - 2, area.height};
    m_drawn = text;
    const auto rows = wrappedRows(text.width);
    const int total = static_cast<int>(rows.size());
    const int last = total - std::min(m_scrolledBack, std::max(0, total - text.height));
    const int first = std::max(0, last - text.height);
    // The newest row sits on the pane's last line.
    int y = text.bottom() - (last - first);
    const Screen::ClipScope clip(screen, text);
    for (int i = first; i < last; ++i)
        screen.text(text.x, y++, rows[i], Theme::logbook);
}

bool LogbookPane::scroll(const InputEvent& event)
{
    const int page = std::max(1, m_drawn.height - 1);
    const int mostBack = std::max(0, static_cast<int>(wrappedRows(m_drawn.width).size()) - m_drawn.height);
    if (event.isKey(Key::PageUp))
        m_scrolledBack = std::min(mostBack, m_scrolledBack + page);
    else if (event.isKey(Key::PageDown))
        m_scrolledBack = std::max(0, m_scrolledBack - page);
    else
        return false;
    return true;
}
