// Notifications, fonts, colours and text shared by the built-in controls.
#include "win/ControlSupport.h"

#include "kernel/Text.h"
#include "win/GdiObjects.h"
#include "win/WindowTable.h"

void ControlSupport::notify(HWND control, WORD code)
{
    const HWND parent = GetParent(control);
    if (!parent)
        return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control)), code), reinterpret_cast<LPARAM>(control));
}

bool ControlSupport::handleFont(HWND control, UINT message, WPARAM wParam, LRESULT& result)
{
    Window* window = WindowTable::instance().find(control);
    if (!window || (message != WM_SETFONT && message != WM_GETFONT))
        return false;
    if (message == WM_SETFONT)
        window->font = reinterpret_cast<HFONT>(wParam);
    result = message == WM_GETFONT ? reinterpret_cast<LRESULT>(window->font) : 0;
    return true;
}

UINT ControlSupport::colorMessage(HWND control)
{
    const Window* window = WindowTable::instance().find(control);
    if (!window)
        return 0;
    const std::wstring& name = window->windowClass->name;
    const DWORD style = window->style;
    if (EqualsNoCase(name, WC_EDITW))
        return (style & (ES_READONLY | WS_DISABLED)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    if (EqualsNoCase(name, WC_COMBOBOXW))
        return WM_CTLCOLOREDIT;
    if (EqualsNoCase(name, WC_STATICW))
        return WM_CTLCOLORSTATIC;
    if (EqualsNoCase(name, WC_BUTTONW)) {
        const DWORD type = style & BS_TYPEMASK;
        return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    }
    if (window->dialog)
        return WM_CTLCOLORDLG;
    return 0;
}

void ControlSupport::askColors(HWND control)
{
    const UINT message = colorMessage(control);
    if (!message)
        return;
    const HWND asked = message == WM_CTLCOLORDLG ? control : GetParent(control);
    if (!asked)
        return;
    const HDC dc = GetDC(control);
    const auto brush = reinterpret_cast<HGDIOBJ>(SendMessageW(asked, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    Window* window = WindowTable::instance().find(control);
    if (window) {
        const auto* brushObject = GdiObjects::instance().findAs<GdiObjects::Brush>(brush);
        window->textColor = GetTextColor(dc);
        // A hollow brush shows what lies behind; the text's background colour is the best guess.
        window->backgroundColor = brushObject && !brushObject->hollow ? brushObject->color : GetBkColor(dc);
        // Only colours other than the default handling's count as the parent's choice.
        const bool isField = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        window->hasColors = brushObject && (window->textColor != GetSysColor(COLOR_WINDOWTEXT) ||
                                            window->backgroundColor != GetSysColor(isField ? COLOR_WINDOW : COLOR_3DFACE));
    }
    ReleaseDC(control, dc);
}

bool ControlSupport::isClass(HWND window, LPCWSTR className)
{
    const Window* record = WindowTable::instance().find(window);
    return record && EqualsNoCase(record->windowClass->name, className);
}

const std::wstring& ControlSupport::text(HWND control)
{
    static const std::wstring none;
    const Window* window = WindowTable::instance().find(control);
    return window ? window->text : none;
}

void ControlSupport::storeText(HWND control, std::wstring text)
{
    if (Window* window = WindowTable::instance().find(control))
        window->text = std::move(text);
}
