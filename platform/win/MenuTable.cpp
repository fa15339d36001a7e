// Menus and the Win32 calls that build, change, query and load them.
#include "win/MenuTable.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "win/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <optional>

MenuTable& MenuTable::instance()
{
    static MenuTable table;
    return table;
}

HMENU MenuTable::create(bool popup)
{
    const auto menu = reinterpret_cast<HMENU>(m_nextHandle);
    m_nextHandle += 4;
    m_menus[menu].isPopup = popup;
    return menu;
}

MenuTable::Menu* MenuTable::find(HMENU menu)
{
    const auto it = m_menus.find(menu);
    if (it == m_menus.end()) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return nullptr;
    }
    return &it->second;
}

bool MenuTable::destroy(HMENU menu)
{
    const auto it = m_menus.find(menu);
    if (it == m_menus.end())
        return false;
    const std::vector<Item> items = std::move(it->second.items);
    m_menus.erase(it);
    for (const Item& item : items)
        if (item.popup)
            destroy(item.popup);
    return true;
}

MenuTable::Location MenuTable::locate(HMENU menu, UINT item, UINT flags)
{
    Menu* found = find(menu);
    if (!found)
        return {};
    if (flags & MF_BYPOSITION)
        return item < found->items.size() ? Location{menu, static_cast<int>(item)} : Location{};
    for (std::size_t position = 0; position < found->items.size(); ++position) {
        const Item& entry = found->items[position];
        if (!entry.popup && !(entry.flags & MF_SEPARATOR) && entry.id == item)
            return Location{menu, static_cast<int>(position)};
        if (entry.popup)
            if (const Location inner = locate(entry.popup, item, flags); inner.menu)
                return inner;
    }
    return {};
}

namespace {

MenuTable& menus() { return MenuTable::instance(); }

MenuTable::Item* itemAt(const MenuTable::Location& location)
{
    MenuTable::Menu* menu = menus().find(location.menu);
    return menu && location.position >= 0 ? &menu->items[static_cast<std::size_t>(location.position)] : nullptr;
}

constexpr UINT stateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

std::optional<MenuTable::Item> makeItem(UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuTable::Item item;
    item.flags = flags & (stateFlags | MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP);
    if (flags & MF_POPUP) {
        item.popup = reinterpret_cast<HMENU>(idOrPopup);
        if (!menus().find(item.popup))
            return std::nullopt;
    } else {
        item.id = static_cast<UINT>(idOrPopup);
    }
    if (!(flags & MF_SEPARATOR) && text)
        item.text = text;
    return item;
}

} // namespace

HMENU CreateMenu() { return menus().create(false); }

HMENU CreatePopupMenu() { return menus().create(true); }

BOOL DestroyMenu(HMENU menu) { return menus().destroy(menu); }

BOOL IsMenu(HMENU menu) { return menus().find(menu) != nullptr; }

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text)
{
    MenuTable::Menu* found = menus().find(menu);
    const auto item = makeItem(flags, idOrPopup, text);
    if (!found || !item)
        return FALSE;
    found->items.push_back(*item);
    return TRUE;
}

namespace {

DWORD changeState(HMENU menu, UINT item, UINT flags, UINT mask)
{
    MenuTable::Item* found = itemAt(menus().locate(menu, item, flags));
    if (!found)
        return static_cast<DWORD>(-1);
    const DWORD previous = found->flags & mask;
    found->flags = (found->flags & ~mask) | (flags & mask);
    return previous;
}

} // namespace

DWORD EnableMenuItem(HMENU menu, UINT item, UINT enable)
{
    return changeState(menu, item, enable, MF_GRAYED | MF_DISABLED);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) { return changeState(menu, item, check, MF_CHECKED); }

UINT GetMenuState(HMENU menu, UINT item, UINT flags)
{
    const MenuTable::Item* found = itemAt(menus().locate(menu, item, flags));
    if (!found)
        return static_cast<UINT>(-1);
    if (!found->popup)
        return found->flags;
    // A sub-menu reports its item count in the high byte.
    const auto count = static_cast<UINT>(menus().find(found->popup)->items.size());
    return (count << 8) | (found->flags & 0xFF);
}

int GetMenuItemCount(HMENU menu)
{
    const MenuTable::Menu* found = menus().find(menu);
    return found ? static_cast<int>(found->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position)
{
    const MenuTable::Item* item = itemAt(menus().locate(menu, static_cast<UINT>(position), MF_BYPOSITION));
    if (!item || item->popup)
        return static_cast<UINT>(-1);
    return item->id;
}

HMENU GetSubMenu(HMENU menu, int position)
{
    const MenuTable::Item* item = itemAt(menus().locate(menu, static_cast<UINT>(position), MF_BYPOSITION));
    return item ? item->popup : nullptr;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int capacity, UINT flags)
{
    const MenuTable::Item* found = itemAt(menus().locate(menu, item, flags));
    if (!found)
        return 0;
    if (!buffer || capacity <= 0)
        return static_cast<int>(found->text.size());
    const auto count = std::min<std::size_t>(found->text.size(), static_cast<std::size_t>(capacity - 1));
    std::wmemcpy(buffer, found->text.data(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

HMENU GetMenu(HWND window)
{
    const Window* record = WindowTable::instance().find(window);
    return record && !(record->style & WS_CHILD) ? record->menu : nullptr;
}

HMENU GetSystemMenu(HWND window, BOOL revert)
{
    Window* record = WindowTable::instance().find(window);
    if (!record)
        return nullptr;
    if (revert) {
        if (record->systemMenu)
            DestroyMenu(record->systemMenu);
        record->systemMenu = nullptr;
        return nullptr;
    }
    if (!record->systemMenu) {
        const HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, SC_MOVE, L"&Move");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, SC_CLOSE, L"&Close\tAlt+F4");
        record->systemMenu = menu;
    }
    return record->systemMenu;
}

// The front end draws the menu bar from the menu itself every time.
BOOL DrawMenuBar(HWND window) { return IsWindow(window); }

namespace {

bool fill(HMENU menu, const MenuTemplate& menuTemplate)
{
    for (const MenuItemTemplate& item : menuTemplate.items) {
        if (item.popup) {
            const HMENU popup = CreatePopupMenu();
            if (!fill(popup, *item.popup) || !AppendMenuW(menu, MF_POPUP | item.flags, reinterpret_cast<UINT_PTR>(popup), item.text))
                return false;
        } else if (!AppendMenuW(menu, item.flags, item.id, item.text)) {
            return false;
        }
    }
    return true;
}

} // namespace

HMENU LoadMenuIndirectW(const MenuTemplate* menuTemplate)
{
    if (!menuTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HMENU menu = CreateMenu();
    if (!fill(menu, *menuTemplate)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name)
{
    const HRSRC resource = FindResourceW(instance, name, RT_MENU);
    if (!resource)
        return nullptr;
    return LoadMenuIndirectW(static_cast<const MenuTemplate*>(LockResource(LoadResource(instance, resource))));
}
