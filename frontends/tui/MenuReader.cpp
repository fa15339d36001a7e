// Menu reading through the framework's own menu calls.
#include "MenuReader.h"

namespace {

// A terminal sends Ctrl+M, Ctrl+I, Ctrl+H, Ctrl+J and Ctrl+[ as other keys (Enter, Tab...): the
// menu names the key the front end reads for them, F2 then the key.
std::wstring withTerminalShortcut(std::wstring text)
{
    const auto tab = text.find(L'\t');
    const std::wstring_view ctrl = L"Ctrl+";
    if (tab == std::wstring::npos || text.compare(tab + 1, ctrl.size(), ctrl) != 0)
        return text;
    if (std::wstring_view(L"MIHJ[").find(text.back()) != std::wstring_view::npos)
        text.replace(tab + 1, ctrl.size(), L"F2 ");
    return text;
}

} // namespace

std::vector<MenuItem> ReadMenu(HMENU menu)
{
    std::vector<MenuItem> items;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        const UINT place = static_cast<UINT>(position);
        const UINT state = GetMenuState(menu, place, MF_BYPOSITION);
        // A sub-menu's state holds its item count in the high byte, where 8 items look like a separator.
        if ((state & MF_SEPARATOR) && !(state & MF_POPUP)) {
            items.push_back(MenuItem::separatorLine());
            continue;
        }
        wchar_t text[256] = {};
        GetMenuStringW(menu, place, text, 256, MF_BYPOSITION);
        MenuItem item = MenuItem::command(withTerminalShortcut(text), GetMenuItemID(menu, position), (state & (MF_GRAYED | MF_DISABLED)) != 0,
                                          (state & MF_CHECKED) != 0);
        if (HMENU popup = GetSubMenu(menu, position))
            item.items = ReadMenu(popup);
        items.push_back(std::move(item));
    }
    return items;
}
