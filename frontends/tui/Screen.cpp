// The screen model's drawing primitives; everything is clipped to the current clip rectangle.
#include "Screen.h"

#include <cwctype>

Screen::ClipScope::ClipScope(Screen& screen, const Rect& rect)
    : m_screen(screen)
    , m_saved(screen.m_clip)
{
    m_screen.m_clip = m_saved.intersected(rect);
}

Screen::ClipScope::~ClipScope()
{
    m_screen.m_clip = m_saved;
}

Screen::Screen(int width, int height)
{
    resize(width, height);
}

void Screen::resize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_cells.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), Cell{});
    m_clip = bounds();
    m_cursor.reset();
}

void Screen::put(int x, int y, wchar_t ch, Style style)
{
    if (!m_clip.contains(x, y))
        return;
    // Control characters would move the terminal's cursor; show them as a visible mark.
    if (ch < L' ' || ch == 0x7F)
        ch = L'?';
    m_cells[index(x, y)] = {ch, style};
}

int Screen::text(int x, int y, std::wstring_view text, Style style)
{
    for (const wchar_t ch : text)
        put(x++, y, ch, style);
    return x;
}

int Screen::label(int x, int y, std::wstring_view text, Style style, Style hotStyle)
{
    bool hot = false;
    for (const wchar_t ch : text) {
        if (ch == L'&' && !hot) {
            hot = true;
            continue;
        }
        put(x++, y, ch, hot && ch != L'&' ? hotStyle : style);
        hot = false;
    }
    return x;
}

void Screen::fill(const Rect& rect, wchar_t ch, Style style)
{
    const Rect area = rect.intersected(m_clip);
    for (int y = area.y; y < area.bottom(); ++y)
        for (int x = area.x; x < area.right(); ++x)
            m_cells[index(x, y)] = {ch, style};
}

void Screen::horizontalLine(int x, int y, int width, Style style)
{
    fill({x, y, width, 1}, L'─', style);
}

void Screen::frame(const Rect& rect, Style style, bool doubleLine)
{
    if (rect.width < 2 || rect.height < 2)
        return;
    const wchar_t horizontal = doubleLine ? L'═' : L'─';
    const wchar_t vertical = doubleLine ? L'║' : L'│';
    fill({rect.x + 1, rect.y, rect.width - 2, 1}, horizontal, style);
    fill({rect.x + 1, rect.bottom() - 1, rect.width - 2, 1}, horizontal, style);
    fill({rect.x, rect.y + 1, 1, rect.height - 2}, vertical, style);
    fill({rect.right() - 1, rect.y + 1, 1, rect.height - 2}, vertical, style);
    put(rect.x, rect.y, doubleLine ? L'╔' : L'┌', style);
    put(rect.right() - 1, rect.y, doubleLine ? L'╗' : L'┐', style);
    put(rect.x, rect.bottom() - 1, doubleLine ? L'╚' : L'└', style);
    put(rect.right() - 1, rect.bottom() - 1, doubleLine ? L'╝' : L'┘', style);
}

void Screen::setCursor(int x, int y)
{
    if (m_clip.contains(x, y))
        m_cursor = Point{x, y};
}

std::wstring Screen::rowText(int y) const
{
    std::wstring row;
    if (y < 0 || y >= m_height)
        return row;
    for (int x = 0; x < m_width; ++x)
        row += at(x, y).ch;
    return row;
}

std::wstring Screen::snapshot() const
{
    std::wstring all;
    for (int y = 0; y < m_height; ++y) {
        std::wstring row = rowText(y);
        row.erase(row.find_last_not_of(L' ') + 1);
        all += row;
        all += L'\n';
    }
    return all;
}

std::optional<Screen::Point> Screen::find(std::wstring_view text) const
{
    for (int y = 0; y < m_height; ++y) {
        const auto x = rowText(y).find(text);
        if (x != std::wstring::npos)
            return Point{static_cast<int>(x), y};
    }
    return std::nullopt;
}

std::vector<Screen::Run> Screen::changedRuns(const Screen& shown) const
{
    std::vector<Run> runs;
    const bool sameSize = shown.m_width == m_width && shown.m_height == m_height;
    for (int y = 0; y < m_height; ++y) {
        int x = 0;
        while (x < m_width) {
            if (sameSize && at(x, y) == shown.at(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m_width && !(sameSize && at(x, y) == shown.at(x, y)))
                ++x;
            runs.push_back({y, start, x - start});
        }
    }
    return runs;
}

std::wstring LabelText(std::wstring_view label)
{
    std::wstring text;
    bool marked = false;
    for (const wchar_t ch : label) {
        if (ch == L'&' && !marked) {
            marked = true;
            continue;
        }
        text += ch;
        marked = false;
    }
    return text;
}

wchar_t LabelMnemonic(std::wstring_view label)
{
    for (std::size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != L'&')
            continue;
        if (label[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(label[i + 1])));
        ++i;
    }
    return 0;
}
