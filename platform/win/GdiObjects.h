// The drawing objects the user interface keeps headless: fonts (their LOGFONTW), brushes (their
// colour), device contexts (colours, mode, font and what was painted) and bitmaps. Stock objects
// are never deleted.
#pragma once

#include "win/BitmapTemplate.h"
#include "win/WinGdi.h"

#include <map>
#include <variant>

class GdiObjects {
public:
    struct Font {
        LOGFONTW logFont;
    };
    struct Brush {
        COLORREF color;
        bool hollow;
    };
    struct DeviceContext {
        HWND window;
        COLORREF textColor;
        COLORREF backgroundColor;
        int backgroundMode;
        HGDIOBJ font;
        HBITMAP bitmap = nullptr;  // a memory context's bitmap
        std::vector<PaintOperation> painted = {};
    };
    // A bitmap resource: it stays in its module, the handle only points to it.
    struct Bitmap {
        const BitmapTemplate* picture;
    };
    using Object = std::variant<Font, Brush, DeviceContext, Bitmap>;

    static GdiObjects& instance();

    HGDIOBJ add(Object object, bool stock = false);
    Object* find(HGDIOBJ handle);
    bool remove(HGDIOBJ handle);
    HGDIOBJ stock(int index);
    HBRUSH systemBrush(int colorIndex);
    static COLORREF systemColor(int colorIndex);

    template <typename T> T* findAs(HGDIOBJ handle)
    {
        Object* object = find(handle);
        return object ? std::get_if<T>(object) : nullptr;
    }

private:
    struct Entry {
        Object object;
        bool stock;
    };
    std::map<HGDIOBJ, Entry> m_objects;
    std::map<int, HGDIOBJ> m_stock;
    std::map<int, HBRUSH> m_systemBrushes;
    std::uintptr_t m_nextHandle = 0x30000;
};
