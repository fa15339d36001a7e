// Menus through the Win32 menu calls.
#include "CMenu.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"
#include "CHandleMap.h"

namespace {

bool isMenuLive(HMENU hMenu) { return ::IsMenu(hMenu) != FALSE; }

// Never destroyed: menu objects of other static objects may go after it at exit.
CHandleMap<CMenu, HMENU, &CMenu::m_hMenu, isMenuLive>& menuMap()
{
    static auto* map = new CHandleMap<CMenu, HMENU, &CMenu::m_hMenu, isMenuLive>;
    return *map;
}

} // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu) { return menuMap().FromHandle(hMenu); }

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu)
        return FALSE;
    m_hMenu = hMenu;
    menuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu)
        menuMap().RemoveHandle(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(static_cast<WORD>(nIDResource))));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
