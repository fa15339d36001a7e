// Menus by handle: a menu bar or pop-up menu is a list of items, each a command with an id, a
// separator or a sub-menu, with its greyed, disabled and checked states.
#pragma once

#include "win/WinUser.h"

#include <map>
#include <string>
#include <vector>

class MenuTable {
public:
    struct Item {
        UINT flags = 0;   // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, ...
        UINT id = 0;
        std::wstring text;
        HMENU popup = nullptr;
    };
    struct Menu {
        bool isPopup = false;
        std::vector<Item> items;
    };
    // Where an item lies: its menu and position there.
    struct Location {
        HMENU menu = nullptr;
        int position = -1;
    };

    static MenuTable& instance();

    HMENU create(bool popup);
    Menu* find(HMENU menu);
    // Destroys the menu and its sub-menus.
    bool destroy(HMENU menu);
    // An item by position, or by command id searched through the sub-menus.
    Location locate(HMENU menu, UINT item, UINT flags);

private:
    std::map<HMENU, Menu> m_menus;
    std::uintptr_t m_nextHandle = 0x50000;
};
