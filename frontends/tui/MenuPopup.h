// A drop-down list of menu items: the open menu of the menu bar or a window's system menu.
#pragma once

#include "InputEvent.h"
#include "MenuItem.h"
#include "Screen.h"

#include <optional>
#include <vector>

class MenuPopup {
public:
    enum class Outcome { Open, Closed, Chosen, PreviousMenu, NextMenu };
    struct Result {
        Outcome outcome = Outcome::Open;
        unsigned id = 0;
    };

    MenuPopup(std::vector<MenuItem> items, int x, int y);

    // Where it is drawn: below (x, y), moved left or up to stay on a screen of the given size.
    Rect rect(int screenWidth, int screenHeight) const;
    void draw(Screen& screen) const;
    Result handle(const InputEvent& event, int screenWidth, int screenHeight);

    const std::vector<MenuItem>& items() const { return m_items; }
    int selected() const { return m_selected; }

private:
    Result choose(int index);
    void moveSelection(int step);
    int contentWidth() const;

    std::vector<MenuItem> m_items;
    int m_x = 0;
    int m_y = 0;
    int m_selected = -1;
};
