// The host's menu bar: the titles on the top row and the drop-down of the open one. F10 or an
// Alt+mnemonic opens it; choosing an item gives its command id.
#pragma once

#include "InputEvent.h"
#include "MenuItem.h"
#include "MenuPopup.h"
#include "Screen.h"

#include <optional>
#include <vector>

class MenuBar {
public:
    void setMenus(std::vector<MenuItem> menus);
    const std::vector<MenuItem>& menus() const { return m_menus; }

    void draw(Screen& screen, const Rect& row) const;
    // The row the bar was last drawn on.
    const Rect& row() const { return m_row; }

    bool isActive() const { return m_active >= 0; }
    // F10: opens the first menu.
    void activate();
    // Alt+letter: opens the menu whose title has that mnemonic; false when none has.
    bool openByMnemonic(wchar_t letter);
    // A click on the menu bar's row at column x: the title there opens (or chooses a top-level command).
    std::optional<unsigned> clickTitle(int x);
    // While active: moves in the menus; the chosen command's id closes the bar.
    std::optional<unsigned> handle(const InputEvent& event, int screenWidth, int screenHeight);
    void close();

private:
    // The first column of each title on the bar.
    std::vector<int> titleColumns() const;
    std::optional<unsigned> open(int index);

    std::vector<MenuItem> m_menus;
    int m_active = -1;
    std::optional<MenuPopup> m_popup;
    // The bar's row as last drawn, where titles are and drop-downs open below.
    mutable Rect m_row{0, 0, 0, 1};
};
