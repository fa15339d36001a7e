// One entry of a menu as the front end shows it: a command, a separator or a sub-menu.
#pragma once

#include <string>
#include <vector>

struct MenuItem {
    // "&" marks the mnemonic; a tab separates the accelerator's name shown on the right.
    std::wstring text;
    unsigned id = 0;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuItem> items;

    static MenuItem command(std::wstring text, unsigned id, bool grayed = false, bool checked = false)
    {
        return {std::move(text), id, false, grayed, checked, {}};
    }
    static MenuItem popup(std::wstring text, std::vector<MenuItem> items) { return {std::move(text), 0, false, false, false, std::move(items)}; }
    static MenuItem separatorLine() { return {{}, 0, true, false, false, {}}; }

    bool isPopup() const { return !items.empty(); }
    bool operator==(const MenuItem&) const = default;
};
