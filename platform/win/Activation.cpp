// Activation of top-level windows and their z-order.
#include "win/Activation.h"

#include "win/WindowTable.h"

#include <algorithm>

namespace {

bool isUsableTopLevel(HWND handle)
{
    const Window* window = WindowTable::instance().find(handle);
    return window && !window->parent && (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED);
}

bool isOwnedBy(HWND handle, HWND owner)
{
    for (const Window* window = WindowTable::instance().find(handle); window && window->owner;
         window = WindowTable::instance().find(window->owner))
        if (window->owner == owner)
            return true;
    return false;
}

} // namespace

bool Activation::activate(HWND topLevel)
{
    auto& table = WindowTable::instance();
    // A hidden window may be activated, as a dialog that sets its focus in WM_INITDIALOG is.
    const Window* window = table.find(topLevel);
    if (!window || window->parent || (window->style & WS_DISABLED))
        return false;
    bringToTop(topLevel);
    const HWND previous = table.active;
    if (previous == topLevel)
        return true;
    // The focus leaves with the old window, which remembers it for its return.
    if (table.focus && GetAncestor(table.focus, GA_ROOT) == previous) {
        table.find(previous)->lastFocus = table.focus;
        SetFocus(nullptr);
    }
    table.active = topLevel;
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(topLevel));
    if (table.active == topLevel && IsWindow(topLevel))
        SendMessageW(topLevel, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(previous));
    return true;
}

void Activation::activateNext(HWND leaving)
{
    auto& table = WindowTable::instance();
    if (table.active != leaving)
        return;
    const Window* window = table.find(leaving);
    if (window && isUsableTopLevel(window->owner) && activate(window->owner))
        return;
    for (HWND candidate : std::vector<HWND>(table.topLevels()))
        if (candidate != leaving && isUsableTopLevel(candidate) && activate(candidate))
            return;
    if (table.active == leaving)
        table.active = nullptr;
}

void Activation::bringToTop(HWND topLevel)
{
    auto& order = WindowTable::instance().topLevels();
    std::vector<HWND> group;
    for (HWND handle : order)
        if (handle != topLevel && isOwnedBy(handle, topLevel))
            group.push_back(handle);
    group.push_back(topLevel);
    std::erase_if(order, [&](HWND handle) { return std::find(group.begin(), group.end(), handle) != group.end(); });
    // The owned windows stay above their owner, in their own order.
    order.insert(order.begin(), group.begin(), group.end());
}

bool Activation::restoreFocus(HWND topLevel)
{
    const Window* window = WindowTable::instance().find(topLevel);
    if (!window)
        return false;
    const HWND last = window->lastFocus;
    if (!last || !IsChild(topLevel, last) || !IsWindowVisible(last) || !IsWindowEnabled(last) ||
        WindowTable::instance().isDestroying(last))
        return false;
    SetFocus(last);
    return true;
}
