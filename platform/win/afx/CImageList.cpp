// Image list objects over the ImageList_ calls.
#include "CImageList.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    DeleteImageList();
    m_hImageList = ImageList_LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(static_cast<WORD>(nBitmapID)), cx,
                                        nGrow, crMask, IMAGE_BITMAP, LR_DEFAULTCOLOR);
    return m_hImageList != nullptr;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    DeleteImageList();
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    ImageList_Destroy(Detach());
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}
