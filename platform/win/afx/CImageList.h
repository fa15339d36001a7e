// An image list object: owns its HIMAGELIST and destroys it with itself.
#pragma once

#include "CObject.h"
#include "win/CommCtrl.h"

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override;

    // Images cx pixels wide cut from bitmap resource nBitmapID of the resource module; crMask is
    // the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    // Gives up the handle without destroying it, as when a list view that owns it takes it over.
    HIMAGELIST Detach();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};
