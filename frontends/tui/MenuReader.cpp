// Menu reading through the framework's own menu calls.
#include "MenuReader.h"

std::vector<MenuItem> ReadMenu(HMENU menu)
{
    std::vector<MenuItem> items;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        const UINT place = static_cast<UINT>(position);
        const UINT state = GetMenuState(menu, place, MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            items.push_back(MenuItem::separatorLine());
            continue;
        }
        wchar_t text[256] = {};
        GetMenuStringW(menu, place, text, 256, MF_BYPOSITION);
        MenuItem item = MenuItem::command(text, GetMenuItemID(menu, position), (state & (MF_GRAYED | MF_DISABLED)) != 0,
                                          (state & MF_CHECKED) != 0);
        if (HMENU popup = GetSubMenu(menu, position))
            item.items = ReadMenu(popup);
        items.push_back(std::move(item));
    }
    return items;
}
