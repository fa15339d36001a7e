// Loading and releasing a bitmap.
#include "CBitmap.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"
#include "win/CommCtrlLists.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    DeleteObject();
    m_hObject = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(static_cast<WORD>(nIDResource)));
    return m_hObject != nullptr;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* pBitmap) const { return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitmap); }
