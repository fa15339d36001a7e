// Device context operations over the painting calls.
#include "CDC.h"

#include "CBitmap.h"

#include <memory>
#include <vector>

CDC::~CDC()
{
    if (m_bOwned)
        ::DeleteDC(m_hDC);
}

CDC* CDC::FromHandle(HDC hDC)
{
    // Handed out while painting only: the few most recent wrappers are enough.
    constexpr std::size_t kKept = 8;
    static std::vector<std::unique_ptr<CDC>> temporaries;
    for (const auto& temporary : temporaries)
        if (temporary->m_hDC == hDC)
            return temporary.get();
    if (temporaries.size() == kKept)
        temporaries.erase(temporaries.begin());
    temporaries.push_back(std::make_unique<CDC>(hDC));
    return temporaries.back().get();
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    CBitmap* previous = m_pSelectedBitmap;
    if (pBitmap && ::SelectObject(m_hDC, pBitmap->m_hObject))
        m_pSelectedBitmap = pBitmap;
    else if (pBitmap && pBitmap->m_hObject)
        return nullptr;
    return previous;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF color)
{
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

int CDC::DrawText(const std::wstring& text, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), lpRect, nFormat);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}
