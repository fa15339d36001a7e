// Menu templates as the platform keeps them: a plain tree, registered as an RT_MENU resource whose
// data points to it (the platform's form of a MENUITEMTEMPLATE list).
#pragma once

#include "kernel/WinTypes.h"

#include <span>

struct MenuTemplate;

// One item: a command (text and id), a separator (MF_SEPARATOR, no text) or a sub-menu (popup).
struct MenuItemTemplate {
    LPCWSTR text = nullptr;
    UINT id = 0;
    UINT flags = 0;   // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR
    const MenuTemplate* popup = nullptr;
};

struct MenuTemplate {
    std::span<const MenuItemTemplate> items;
};
