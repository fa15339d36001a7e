// A menu: a loaded or attached HMENU, or a temporary wrapper of a window's menu from FromHandle.
#pragma once

#include "CObject.h"
#include "win/WinUser.h"

class CMenu : public CObject {
public:
    CMenu() = default;
    // Destroys the menu it owns, if any.
    ~CMenu() override;

    // The object attached to the menu, or a temporary wrapper valid while the menu exists.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // Both return the item's previous state, or -1 when there is no such item.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const;
    CMenu* GetSubMenu(int nPos) const;

    HMENU m_hMenu = nullptr;
};
