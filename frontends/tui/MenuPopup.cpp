// Drawing and keyboard/mouse handling of a drop-down menu.
#include "MenuPopup.h"

#include "Theme.h"

#include <cwctype>

namespace {

std::wstring_view labelPart(const MenuItem& item)
{
    return std::wstring_view(item.text).substr(0, item.text.find(L'\t'));
}

std::wstring_view acceleratorPart(const MenuItem& item)
{
    const auto tab = item.text.find(L'\t');
    return tab == std::wstring::npos ? std::wstring_view{} : std::wstring_view(item.text).substr(tab + 1);
}

} // namespace

MenuPopup::MenuPopup(std::vector<MenuItem> items, int x, int y)
    : m_items(std::move(items))
    , m_x(x)
    , m_y(y)
{
    moveSelection(+1);
}

int MenuPopup::contentWidth() const
{
    int width = 0;
    for (const MenuItem& item : m_items) {
        const int accelerator = static_cast<int>(acceleratorPart(item).size());
        width = std::max(width, static_cast<int>(LabelText(labelPart(item)).size()) + (accelerator ? accelerator + 2 : 0));
    }
    // A column for the check mark on the left and one for the sub-menu arrow on the right.
    return width + 4;
}

Rect MenuPopup::rect(int screenWidth, int screenHeight) const
{
    Rect box{m_x, m_y, contentWidth() + 2, static_cast<int>(m_items.size()) + 2};
    box.x = std::max(0, std::min(box.x, screenWidth - box.width));
    box.y = std::max(0, std::min(box.y, screenHeight - box.height));
    return box;
}

void MenuPopup::draw(Screen& screen) const
{
    const Rect box = rect(screen.width(), screen.height());
    screen.fill(box, L' ', Theme::menuBar);
    screen.frame(box, Theme::menuBar);
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        const MenuItem& item = m_items[i];
        const int y = box.y + 1 + i;
        if (item.separator) {
            screen.horizontalLine(box.x + 1, y, box.width - 2, Theme::menuBar);
            screen.put(box.x, y, L'├', Theme::menuBar);
            screen.put(box.right() - 1, y, L'┤', Theme::menuBar);
            continue;
        }
        const bool selected = i == m_selected;
        const Style style = item.grayed ? Theme::menuDisabled : selected ? Theme::menuSelected : Theme::menuBar;
        const Style hot = item.grayed ? style : selected ? Theme::menuSelectedHot : Theme::menuHot;
        screen.fill({box.x + 1, y, box.width - 2, 1}, L' ', style);
        if (item.checked)
            screen.put(box.x + 1, y, L'✓', style);
        screen.label(box.x + 3, y, labelPart(item), style, hot);
        const auto accelerator = acceleratorPart(item);
        screen.text(box.right() - 3 - static_cast<int>(accelerator.size()), y, accelerator, style);
        if (item.isPopup())
            screen.put(box.right() - 2, y, L'►', style);
    }
}

MenuPopup::Result MenuPopup::choose(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return {};
    m_selected = index;
    const MenuItem& item = m_items[index];
    if (item.separator || item.grayed || item.isPopup())
        return {};
    return {Outcome::Chosen, item.id};
}

void MenuPopup::moveSelection(int step)
{
    const int count = static_cast<int>(m_items.size());
    for (int tried = 0, index = m_selected; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (!m_items[index].separator) {
            m_selected = index;
            return;
        }
    }
}

MenuPopup::Result MenuPopup::handle(const InputEvent& event, int screenWidth, int screenHeight)
{
    if (event.kind == InputEvent::Kind::Click) {
        const Rect box = rect(screenWidth, screenHeight);
        if (!box.inner().contains(event.x, event.y))
            return {box.contains(event.x, event.y) ? Outcome::Open : Outcome::Closed, 0};
        return choose(event.y - box.y - 1);
    }
    if (event.kind == InputEvent::Kind::Character && !event.ctrl) {
        const auto letter = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(event.ch)));
        for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
            if (!m_items[i].separator && LabelMnemonic(labelPart(m_items[i])) == letter)
                return choose(i);
        return {};
    }
    switch (event.key) {
    case Key::Up: moveSelection(-1); break;
    case Key::Down: moveSelection(+1); break;
    case Key::Enter: return choose(m_selected);
    case Key::Escape: return {Outcome::Closed, 0};
    case Key::F10: return {Outcome::Closed, 0};
    case Key::Left: return {Outcome::PreviousMenu, 0};
    case Key::Right: return {Outcome::NextMenu, 0};
    default: break;
    }
    return {};
}
