// Memory device contexts, and the painting calls that a device context records for a front end to
// show.
#include "win/BitmapTemplate.h"
#include "win/GdiObjects.h"
#include "win/WindowGeometry.h"

#include <algorithm>

namespace {

GdiObjects::DeviceContext* contextOf(HDC dc) { return GdiObjects::instance().findAs<GdiObjects::DeviceContext>(dc); }

void record(HDC dc, PaintOperation operation)
{
    if (GdiObjects::DeviceContext* context = contextOf(dc))
        context->painted.push_back(std::move(operation));
}

// The pictures of the tiles that start in the pixel columns [from, from + width), and the colours
// of the first.
PaintOperation copiedTiles(const BitmapTemplate& picture, RECT target, int from, int width)
{
    PaintOperation copy{PaintOperation::Picture, target, 0, 0, {}};
    if (picture.tileWidth <= 0 || from < 0)
        return copy;
    const int firstStart = (from + picture.tileWidth - 1) / picture.tileWidth * picture.tileWidth;
    for (int x = firstStart; x < from + width; x += picture.tileWidth) {
        const BitmapTile* tile = picture.tileAt(x);
        if (!tile)
            break;
        if (copy.text.empty()) {
            copy.foreground = tile->color;
            copy.background = tile->background;
        }
        copy.text += tile->glyph;
    }
    return copy;
}

} // namespace

std::vector<PaintOperation> GetPaintOperations(HDC dc)
{
    const GdiObjects::DeviceContext* context = contextOf(dc);
    return context ? context->painted : std::vector<PaintOperation>{};
}

HDC CreateCompatibleDC(HDC)
{
    return static_cast<HDC>(GdiObjects::instance().add(GdiObjects::DeviceContext{
        nullptr, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), OPAQUE, GetStockObject(SYSTEM_FONT)}));
}

BOOL DeleteDC(HDC dc) { return contextOf(dc) && GdiObjects::instance().remove(dc); }

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int, DWORD)
{
    const GdiObjects::DeviceContext* from = contextOf(source);
    const auto* bitmap = from ? GdiObjects::instance().findAs<GdiObjects::Bitmap>(from->bitmap) : nullptr;
    if (!bitmap || !bitmap->picture || !contextOf(target))
        return FALSE;
    // Only what the bitmap has can be copied.
    width = std::min(width, bitmap->picture->cx - sourceX);
    height = std::min(height, static_cast<int>(bitmap->picture->cy));
    if (width <= 0 || height <= 0)
        return TRUE;
    record(target, copiedTiles(*bitmap->picture, RECT{x, y, x + width, y + height}, sourceX, width));
    return TRUE;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT length, const INT*)
{
    const GdiObjects::DeviceContext* context = contextOf(dc);
    if (!context)
        return FALSE;
    if ((options & ETO_OPAQUE) && rect)
        record(dc, {PaintOperation::Fill, *rect, context->textColor, context->backgroundColor, {}});
    if (text && length > 0) {
        const RECT at = rect ? RECT{x, y, rect->right, rect->bottom} : RECT{x, y, x, y};
        record(dc, {PaintOperation::Text, at, context->textColor, context->backgroundColor, std::wstring(text, length)});
    }
    return TRUE;
}

int DrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT)
{
    const GdiObjects::DeviceContext* context = contextOf(dc);
    if (!context || !text || !rect)
        return 0;
    const std::wstring shown = length < 0 ? std::wstring(text) : std::wstring(text, static_cast<std::size_t>(length));
    record(dc, {PaintOperation::Text, *rect, context->textColor, context->backgroundColor, shown});
    return 16;
}

BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int length, SIZE* size)
{
    if (!contextOf(dc) || (!text && length > 0) || length < 0 || !size)
        return FALSE;
    *size = SIZE{length * WindowGeometry::cellWidth, WindowGeometry::cellHeight};
    return TRUE;
}
