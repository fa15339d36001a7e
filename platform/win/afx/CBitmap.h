// A bitmap a window owns: loaded from the module's resources, released with the object.
#pragma once

#include "CObject.h"
#include "win/WinGdi.h"

class CBitmap : public CObject {
public:
    ~CBitmap() override { DeleteObject(); }

    // From the resource handle in force; FALSE when there is no such bitmap.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL DeleteObject();
    int GetBitmap(BITMAP* pBitmap) const;

    operator HBITMAP() const { return m_hObject; }
    HBITMAP GetSafeHandle() const { return m_hObject; }

    HBITMAP m_hObject = nullptr;
};
