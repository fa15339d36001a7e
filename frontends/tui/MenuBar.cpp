// Menu bar drawing and navigation.
#include "MenuBar.h"

#include "Theme.h"

#include <cwctype>

namespace {
constexpr int titleGap = 2;
}

void MenuBar::setMenus(std::vector<MenuItem> menus)
{
    if (menus == m_menus)
        return;
    m_menus = std::move(menus);
    close();
}

std::vector<int> MenuBar::titleColumns() const
{
    std::vector<int> columns;
    int x = m_row.x + 1;
    for (const MenuItem& menu : m_menus) {
        columns.push_back(x);
        x += static_cast<int>(LabelText(menu.text).size()) + titleGap;
    }
    return columns;
}

void MenuBar::draw(Screen& screen, const Rect& row) const
{
    m_row = row;
    screen.fill(row, L' ', Theme::menuBar);
    const auto columns = titleColumns();
    for (std::size_t i = 0; i < m_menus.size(); ++i) {
        const MenuItem& menu = m_menus[i];
        const bool selected = static_cast<int>(i) == m_active;
        const Style style = menu.grayed ? Theme::menuDisabled : selected ? Theme::menuSelected : Theme::menuBar;
        const Style hot = menu.grayed ? style : selected ? Theme::menuSelectedHot : Theme::menuHot;
        screen.put(columns[i] - 1, row.y, L' ', style);
        const int end = screen.label(columns[i], row.y, menu.text, style, hot);
        screen.put(end, row.y, L' ', style);
    }
    if (m_popup)
        m_popup->draw(screen);
}

void MenuBar::activate()
{
    if (!m_menus.empty())
        open(0);
}

std::optional<unsigned> MenuBar::open(int index)
{
    const int count = static_cast<int>(m_menus.size());
    if (count == 0)
        return std::nullopt;
    m_active = (index % count + count) % count;
    m_popup.reset();
    const MenuItem& menu = m_menus[m_active];
    if (menu.isPopup())
        m_popup.emplace(menu.items, titleColumns()[m_active] - 1, m_row.y + 1);
    return std::nullopt;
}

bool MenuBar::openByMnemonic(wchar_t letter)
{
    const auto upper = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(letter)));
    for (std::size_t i = 0; i < m_menus.size(); ++i) {
        if (!m_menus[i].grayed && LabelMnemonic(m_menus[i].text) == upper) {
            open(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

std::optional<unsigned> MenuBar::clickTitle(int x)
{
    const auto columns = titleColumns();
    for (std::size_t i = 0; i < m_menus.size(); ++i) {
        const int width = static_cast<int>(LabelText(m_menus[i].text).size());
        if (x < columns[i] - 1 || x > columns[i] + width)
            continue;
        if (m_menus[i].grayed)
            return std::nullopt;
        if (!m_menus[i].isPopup()) {
            close();
            return m_menus[i].id;
        }
        return open(static_cast<int>(i));
    }
    close();
    return std::nullopt;
}

std::optional<unsigned> MenuBar::handle(const InputEvent& event, int screenWidth, int screenHeight)
{
    if (!isActive())
        return std::nullopt;
    if (event.kind == InputEvent::Kind::Click && event.y == m_row.y)
        return clickTitle(event.x);
    if (!m_popup) {
        // A top-level command is selected with no drop-down: Enter chooses it.
        const MenuItem& menu = m_menus[m_active];
        if (event.isKey(Key::Enter) && !menu.grayed) {
            close();
            return menu.id;
        }
        if (event.isKey(Key::Left) || event.isKey(Key::Right))
            return open(m_active + (event.isKey(Key::Left) ? -1 : 1));
        if (event.isKey(Key::Escape) || event.isKey(Key::F10) || event.kind == InputEvent::Kind::Click)
            close();
        return std::nullopt;
    }
    const MenuPopup::Result result = m_popup->handle(event, screenWidth, screenHeight);
    switch (result.outcome) {
    case MenuPopup::Outcome::Open: return std::nullopt;
    case MenuPopup::Outcome::Closed: close(); return std::nullopt;
    case MenuPopup::Outcome::PreviousMenu: return open(m_active - 1);
    case MenuPopup::Outcome::NextMenu: return open(m_active + 1);
    case MenuPopup::Outcome::Chosen: close(); return result.id;
    }
    return std::nullopt;
}

void MenuBar::close()
{
    m_active = -1;
    m_popup.reset();
}
