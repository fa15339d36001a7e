// Fonts, brushes, device contexts and system colours, and the Win32 calls on them.
#include "win/GdiObjects.h"

#include "kernel/FileApi.h"

#include <cstring>
#include <cwchar>

namespace {

LOGFONTW makeLogFont(LONG height, LONG weight, const wchar_t* face)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

} // namespace

GdiObjects& GdiObjects::instance()
{
    static GdiObjects objects;
    return objects;
}

HGDIOBJ GdiObjects::add(Object object, bool stock)
{
    const auto handle = reinterpret_cast<HGDIOBJ>(m_nextHandle);
    m_nextHandle += 4;
    m_objects.emplace(handle, Entry{std::move(object), stock});
    return handle;
}

GdiObjects::Object* GdiObjects::find(HGDIOBJ handle)
{
    const auto it = m_objects.find(handle);
    return it == m_objects.end() ? nullptr : &it->second.object;
}

bool GdiObjects::remove(HGDIOBJ handle)
{
    const auto it = m_objects.find(handle);
    if (it == m_objects.end())
        return false;
    if (!it->second.stock)
        m_objects.erase(it);
    return true;
}

HGDIOBJ GdiObjects::stock(int index)
{
    if (const auto it = m_stock.find(index); it != m_stock.end())
        return it->second;
    Object object;
    switch (index) {
    case WHITE_BRUSH: object = Brush{RGB(255, 255, 255), false}; break;
    case LTGRAY_BRUSH: object = Brush{RGB(192, 192, 192), false}; break;
    case GRAY_BRUSH: object = Brush{RGB(128, 128, 128), false}; break;
    case DKGRAY_BRUSH: object = Brush{RGB(64, 64, 64), false}; break;
    case BLACK_BRUSH: object = Brush{RGB(0, 0, 0), false}; break;
    case NULL_BRUSH: object = Brush{0, true}; break;
    case DC_BRUSH: object = Brush{RGB(255, 255, 255), false}; break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: object = Font{makeLogFont(-16, FW_NORMAL, L"Courier")}; break;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: object = Font{makeLogFont(-16, FW_BOLD, L"System")}; break;
    case DEFAULT_GUI_FONT: object = Font{makeLogFont(-11, FW_NORMAL, L"MS Shell Dlg")}; break;
    default:
        return nullptr;
    }
    const HGDIOBJ handle = add(object, true);
    m_stock[index] = handle;
    return handle;
}

COLORREF GdiObjects::systemColor(int colorIndex)
{
    switch (colorIndex) {
    case COLOR_WINDOW:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_BTNHIGHLIGHT:
        return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT:
    case COLOR_MENUTEXT:
    case COLOR_BTNTEXT:
    case COLOR_CAPTIONTEXT:
    case COLOR_INFOTEXT:
    case COLOR_WINDOWFRAME:
        return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
    case COLOR_ACTIVECAPTION:
        return RGB(0, 0, 128);
    case COLOR_INACTIVECAPTION:
    case COLOR_BTNSHADOW:
    case COLOR_GRAYTEXT:
        return RGB(128, 128, 128);
    case COLOR_INFOBK:
        return RGB(255, 255, 225);
    case COLOR_BACKGROUND:
    case COLOR_APPWORKSPACE:
        return RGB(0, 128, 128);
    default:
        return RGB(192, 192, 192);
    }
}

HBRUSH GdiObjects::systemBrush(int colorIndex)
{
    if (const auto it = m_systemBrushes.find(colorIndex); it != m_systemBrushes.end())
        return it->second;
    const auto brush = static_cast<HBRUSH>(add(Brush{systemColor(colorIndex), false}, true));
    m_systemBrushes[colorIndex] = brush;
    return brush;
}

HGDIOBJ GetStockObject(int object) { return GdiObjects::instance().stock(object); }

BOOL DeleteObject(HGDIOBJ object) { return GdiObjects::instance().remove(object); }

int GetObjectW(HGDIOBJ object, int size, LPVOID buffer)
{
    auto& objects = GdiObjects::instance();
    if (const auto* font = objects.findAs<GdiObjects::Font>(object)) {
        if (!buffer)
            return sizeof(LOGFONTW);
        if (size < static_cast<int>(sizeof(LOGFONTW)))
            return 0;
        std::memcpy(buffer, &font->logFont, sizeof(LOGFONTW));
        return sizeof(LOGFONTW);
    }
    if (const auto* brush = objects.findAs<GdiObjects::Brush>(object)) {
        if (!buffer)
            return sizeof(LOGBRUSH);
        if (size < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        const LOGBRUSH info{brush->hollow ? BS_HOLLOW : BS_SOLID, brush->color, 0};
        std::memcpy(buffer, &info, sizeof(LOGBRUSH));
        return sizeof(LOGBRUSH);
    }
    if (const auto* bitmap = objects.findAs<GdiObjects::Bitmap>(object)) {
        if (!buffer)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        const BITMAP info{0, bitmap->picture->cx, bitmap->picture->cy, 0, 1, 0, nullptr};
        std::memcpy(buffer, &info, sizeof(BITMAP));
        return sizeof(BITMAP);
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

HFONT CreateFontIndirectW(const LOGFONTW* font)
{
    if (!font) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HFONT>(GdiObjects::instance().add(GdiObjects::Font{*font}));
}

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(GdiObjects::instance().add(GdiObjects::Brush{color, false})); }

COLORREF GetSysColor(int index) { return GdiObjects::systemColor(index); }

HBRUSH GetSysColorBrush(int index) { return GdiObjects::instance().systemBrush(index); }

HDC GetDC(HWND window)
{
    if (window && !IsWindow(window))
        return nullptr;
    const auto font = reinterpret_cast<HGDIOBJ>(window ? SendMessageW(window, WM_GETFONT, 0, 0) : 0);
    return static_cast<HDC>(GdiObjects::instance().add(GdiObjects::DeviceContext{
        window, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), OPAQUE, font ? font : GetStockObject(SYSTEM_FONT)}));
}

int ReleaseDC(HWND, HDC dc)
{
    auto& objects = GdiObjects::instance();
    return objects.findAs<GdiObjects::DeviceContext>(dc) && objects.remove(dc) ? 1 : 0;
}

namespace {

GdiObjects::DeviceContext* contextOf(HDC dc) { return GdiObjects::instance().findAs<GdiObjects::DeviceContext>(dc); }

} // namespace

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    GdiObjects::DeviceContext* context = contextOf(dc);
    if (context && GdiObjects::instance().findAs<GdiObjects::Bitmap>(object)) {
        const HGDIOBJ previous = context->bitmap;
        context->bitmap = static_cast<HBITMAP>(object);
        return previous;
    }
    if (!context || !GdiObjects::instance().findAs<GdiObjects::Font>(object))
        return nullptr;
    const HGDIOBJ previous = context->font;
    context->font = object;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    GdiObjects::DeviceContext* context = contextOf(dc);
    if (!context)
        return CLR_INVALID;
    const COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

COLORREF GetTextColor(HDC dc)
{
    const GdiObjects::DeviceContext* context = contextOf(dc);
    return context ? context->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    GdiObjects::DeviceContext* context = contextOf(dc);
    if (!context)
        return CLR_INVALID;
    const COLORREF previous = context->backgroundColor;
    context->backgroundColor = color;
    return previous;
}

COLORREF GetBkColor(HDC dc)
{
    const GdiObjects::DeviceContext* context = contextOf(dc);
    return context ? context->backgroundColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode)
{
    GdiObjects::DeviceContext* context = contextOf(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = context->backgroundMode;
    context->backgroundMode = mode;
    return previous;
}
