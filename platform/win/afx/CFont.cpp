// Fonts through the GDI font calls.
#include "CFont.h"

#include <cwchar>

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    if (m_hFont || !lpLogFont)
        return FALSE;
    m_hFont = ::CreateFontIndirectW(lpLogFont);
    return m_hFont != nullptr;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    LOGFONTW font{nHeight,   nWidth,         nEscapement,    nOrientation, nWeight,         bItalic, bUnderline,
                  cStrikeOut, nCharSet,      nOutPrecision,  nClipPrecision, nQuality,      nPitchAndFamily, {}};
    if (lpszFacename)
        std::wcsncpy(font.lfFaceName, lpszFacename, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

BOOL CFont::DeleteObject()
{
    if (!m_hFont)
        return FALSE;
    BOOL deleted = ::DeleteObject(m_hFont);
    m_hFont = nullptr;
    return deleted;
}
