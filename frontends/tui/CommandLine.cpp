// Command line editing and history.
#include "CommandLine.h"

#include "Theme.h"

namespace {
constexpr std::wstring_view prompt = L"> ";
}

std::optional<std::wstring> CommandLine::handle(const InputEvent& event)
{
    if (event.kind == InputEvent::Kind::Character && event.ctrl) {
        switch (event.ch) {
        case L'A': m_caret = 0; break;
        case L'E': m_caret = m_text.size(); break;
        case L'U': replaceText({}); break;
        case L'K': m_text.erase(m_caret); break;
        // As in a shell: a terminal whose Backspace sends Ctrl+H still edits.
        case L'H': return handle(InputEvent::ofKey(Key::Backspace));
        case L'J':
        case L'M': return submit();
        default: break;
        }
        return std::nullopt;
    }
    if (event.kind == InputEvent::Kind::Character && !event.alt) {
        m_text.insert(m_caret++, 1, event.ch);
        return std::nullopt;
    }
    if (event.kind != InputEvent::Kind::Key || event.alt)
        return std::nullopt;
    switch (event.key) {
    case Key::Enter: return submit();
    case Key::Left: m_caret -= m_caret > 0 ? 1 : 0; break;
    case Key::Right: m_caret += m_caret < m_text.size() ? 1 : 0; break;
    case Key::Home: m_caret = 0; break;
    case Key::End: m_caret = m_text.size(); break;
    case Key::Backspace:
        if (m_caret > 0)
            m_text.erase(--m_caret, 1);
        break;
    case Key::Delete:
        if (m_caret < m_text.size())
            m_text.erase(m_caret, 1);
        break;
    case Key::Up: browseHistory(-1); break;
    case Key::Down: browseHistory(+1); break;
    default: break;
    }
    return std::nullopt;
}

std::wstring CommandLine::submit()
{
    std::wstring line = m_text;
    if (!line.empty() && (m_history.empty() || m_history.back() != line))
        m_history.push_back(line);
    m_historyIndex = m_history.size();
    m_draft.clear();
    replaceText({});
    return line;
}

void CommandLine::browseHistory(int step)
{
    if (step < 0 && m_historyIndex == 0)
        return;
    if (step > 0 && m_historyIndex >= m_history.size())
        return;
    if (m_historyIndex == m_history.size())
        m_draft = m_text;
    m_historyIndex = step < 0 ? m_historyIndex - 1 : m_historyIndex + 1;
    replaceText(m_historyIndex == m_history.size() ? m_draft : m_history[m_historyIndex]);
}

void CommandLine::replaceText(std::wstring text)
{
    m_text = std::move(text);
    m_caret = m_text.size();
}

void CommandLine::draw(Screen& screen, const Rect& row, bool focused) const
{
    screen.fill(row, L' ', Theme::commandLine);
    const int start = screen.text(row.x, row.y, prompt, Theme::commandPrompt);
    const int room = std::max(1, row.right() - start);
    // Scroll so that the caret stays visible on a line longer than the row.
    const std::size_t first = m_caret >= static_cast<std::size_t>(room) ? m_caret - room + 1 : 0;
    const Screen::ClipScope clip(screen, row);
    screen.text(start, row.y, std::wstring_view(m_text).substr(first), Theme::commandLine);
    if (focused)
        screen.setCursor(start + static_cast<int>(m_caret - first), row.y);
}
