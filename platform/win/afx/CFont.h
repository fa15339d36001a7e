// A font the window owns for one of its controls; deleted with the object.
#pragma once

#include "CObject.h"
#include "win/WinGdi.h"

class CFont : public CObject {
public:
    CFont() = default;
    ~CFont() override { DeleteObject(); }

    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont);
    // The LOGFONTW fields in their order; the face name is cut to LF_FACESIZE - 1 characters.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename);
    BOOL DeleteObject();

    HFONT GetSafeHandle() const { return m_hFont; }
    operator HFONT() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};
