// Dialogs from templates: creation, the modal run, DefDlgProcW, the dialog keyboard and the
// calls on dialog items. Dialog units: 4 horizontal units are one 8-pixel column, 8 vertical
// units one 16-pixel row.
#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "win/Activation.h"
#include "win/DialogNavigation.h"
#include "win/MessageLoop.h"
#include "win/WinGdi.h"
#include "win/WindowGeometry.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr int baseUnitX = WindowGeometry::cellWidth;
constexpr int baseUnitY = WindowGeometry::cellHeight;

int unitsToX(int units) { return units * baseUnitX / 4; }
int unitsToY(int units) { return units * baseUnitY / 8; }

DialogState* dialogStateOf(HWND dialog)
{
    Window* window = WindowTable::instance().find(dialog);
    if (!window)
        return nullptr;
    if (!window->dialog)
        window->dialog = std::make_unique<DialogState>();
    return window->dialog.get();
}

HFONT createDialogFont(const DialogTemplate& dialogTemplate)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(dialogTemplate.pointSize) * 96 / 72;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, dialogTemplate.fontName ? dialogTemplate.fontName : L"MS Sans Serif", LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

// The window rectangle of a dialog: client size from the template; placed relative to the
// owner's client area, or centred on the screen with DS_CENTER.
RECT dialogRect(const DialogTemplate& dialogTemplate, HWND owner, bool hasMenu)
{
    Window probe;
    probe.style = dialogTemplate.style;
    probe.exStyle = dialogTemplate.exStyle;
    probe.menu = hasMenu ? reinterpret_cast<HMENU>(1) : nullptr;
    const RECT insets = WindowGeometry::frameInsets(probe);
    const int width = unitsToX(dialogTemplate.cx) + insets.left + insets.right;
    const int height = unitsToY(dialogTemplate.cy) + insets.top + insets.bottom;
    int x = unitsToX(dialogTemplate.x);
    int y = unitsToY(dialogTemplate.y);
    const auto& screen = WindowTable::instance();
    if (dialogTemplate.style & WS_CHILD) {
        // A child dialog lies in its parent's client area as given.
    } else if (dialogTemplate.style & DS_CENTER) {
        x = (screen.screenWidth - width) / 2;
        y = (screen.screenHeight - height) / 2;
    } else if (owner && !(dialogTemplate.style & DS_ABSALIGN)) {
        const POINT origin = WindowGeometry::clientOrigin(owner);
        x += origin.x;
        y += origin.y;
    }
    if (!(dialogTemplate.style & WS_CHILD)) {
        x = std::clamp(x, 0, std::max(0, screen.screenWidth - width));
        y = std::clamp(y, 0, std::max(0, screen.screenHeight - height));
    }
    return RECT{x, y, x + width, y + height};
}

bool createItem(HWND dialog, HINSTANCE instance, const DialogItemTemplate& item, HFONT font)
{
    const WORD id = static_cast<WORD>(item.id);
    const HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className, item.text,
                                         item.style | WS_CHILD, unitsToX(item.x), unitsToY(item.y), unitsToX(item.cx),
                                         unitsToY(item.cy), dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                         instance, nullptr);
    if (!control)
        return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const DWORD type = item.style & BS_TYPEMASK;
    if (EqualsNoCase(WindowClassRegistry::nameOf(item.className), WC_BUTTONW) && type == BS_DEFPUSHBUTTON)
        dialogStateOf(dialog)->defaultId = id;
    return true;
}

HWND createDialog(HINSTANCE instance, const DialogTemplate* dialogTemplate, HWND owner, DLGPROC procedure, LPARAM param,
                  bool modal)
{
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (owner && !IsWindow(owner))
        return nullptr;
    const bool isChild = (dialogTemplate->style & WS_CHILD) != 0;
    if (owner && !isChild)
        owner = GetAncestor(owner, GA_ROOT);
    HMENU menu = dialogTemplate->menuId ? LoadMenuW(instance, MAKEINTRESOURCEW(dialogTemplate->menuId)) : nullptr;
    const RECT rect = dialogRect(*dialogTemplate, owner, menu != nullptr);
    const HWND dialog = CreateWindowExW(dialogTemplate->exStyle,
                                        dialogTemplate->className ? dialogTemplate->className : WC_DIALOG,
                                        dialogTemplate->caption, dialogTemplate->style & ~WS_VISIBLE, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, owner, menu, instance, nullptr);
    if (!dialog) {
        if (menu)
            DestroyMenu(menu);
        return nullptr;
    }
    DialogState* state = dialogStateOf(dialog);
    state->modal = modal;
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    const HFONT font = createDialogFont(*dialogTemplate);
    state->font = font;
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const DialogItemTemplate& item : dialogTemplate->items) {
        if (!IsWindow(dialog))
            return nullptr;
        if (!createItem(dialog, instance, item, font) && !(dialogTemplate->style & DS_NOFAILCREATE)) {
            DestroyWindow(dialog);
            return nullptr;
        }
    }
    const HWND firstTabStop = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT setFocus = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), param);
    if (!IsWindow(dialog))
        return nullptr;
    if (setFocus && firstTabStop && IsWindow(firstTabStop))
        DialogNavigation::focusControl(firstTabStop);
    if ((dialogTemplate->style & WS_VISIBLE) && !modal && !dialogStateOf(dialog)->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

const DialogTemplate* findTemplate(HINSTANCE instance, LPCWSTR name)
{
    const HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
    if (!resource)
        return nullptr;
    return static_cast<const DialogTemplate*>(LockResource(LoadResource(instance, resource)));
}

void sendCommand(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

} // namespace

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM initParam)
{
    return createDialog(instance, dialogTemplate, owner, procedure, initParam, false);
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM initParam)
{
    const DialogTemplate* dialogTemplate = findTemplate(instance, templateName);
    return dialogTemplate ? createDialog(instance, dialogTemplate, owner, procedure, initParam, false) : nullptr;
}

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM initParam)
{
    const HWND dialog = createDialog(instance, dialogTemplate, owner, procedure, initParam, true);
    if (!dialog)
        return -1;
    // The owner chain is unusable while the dialog runs; only what this run disabled is enabled again.
    std::vector<HWND> disabled;
    for (HWND current = GetWindow(dialog, GW_OWNER); current; current = GetWindow(current, GW_OWNER)) {
        if (IsWindowEnabled(current)) {
            EnableWindow(current, FALSE);
            disabled.push_back(current);
        }
    }
    if (!dialogStateOf(dialog)->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    MessageLoop::runModal(dialog);
    const DialogState* state = IsWindow(dialog) ? dialogStateOf(dialog) : nullptr;
    const INT_PTR result = state && state->ended ? state->result : -1;
    for (auto it = disabled.rbegin(); it != disabled.rend(); ++it)
        EnableWindow(*it, TRUE);
    DestroyWindow(dialog);
    return result;
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM initParam)
{
    const DialogTemplate* dialogTemplate = findTemplate(instance, templateName);
    return dialogTemplate ? DialogBoxIndirectParamW(instance, dialogTemplate, owner, procedure, initParam) : -1;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    DialogState* state = dialogStateOf(dialog);
    if (!state)
        return FALSE;
    // A second end keeps the first result.
    if (state->ended)
        return TRUE;
    state->ended = true;
    state->result = result;
    if (!state->modal)
        ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

namespace {

// Messages whose dialog-procedure result is the answer itself rather than DWLP_MSGRESULT.
bool answersDirectly(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

void restoreDialogFocus(HWND dialog)
{
    if (Activation::restoreFocus(dialog))
        return;
    const HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (first)
        DialogNavigation::focusControl(first);
    else
        SetFocus(dialog);
}

void setDefaultId(HWND dialog, int id)
{
    DialogState* state = dialogStateOf(dialog);
    const auto restyle = [](HWND button, DWORD type) {
        const LRESULT code = SendMessageW(button, WM_GETDLGCODE, 0, 0);
        if (button && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SendMessageW(button, BM_SETSTYLE, type, TRUE);
    };
    if (state->defaultId)
        restyle(GetDlgItem(dialog, state->defaultId), BS_PUSHBUTTON);
    state->defaultId = id;
    restyle(GetDlgItem(dialog, id), BS_DEFPUSHBUTTON);
}

} // namespace

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogState* state = dialogStateOf(dialog);
    if (!state)
        return 0;
    if (const auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC))) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        const INT_PTR handled = WindowTable::instance().call(procedure, dialog, message, wParam, lParam);
        if (!IsWindow(dialog) || message == WM_INITDIALOG)
            return handled;
        if (handled)
            return answersDirectly(message) ? handled : GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
        state = dialogStateOf(dialog);
    }
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            restoreDialogFocus(dialog);
        return 0;
    case WM_SETFOCUS:
        restoreDialogFocus(dialog);
        return 0;
    case WM_CLOSE: {
        const HWND cancel = GetDlgItem(dialog, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            sendCommand(dialog, IDCANCEL);
        return 0;
    }
    case DM_GETDEFID:
        return state->defaultId ? MAKELRESULT(static_cast<WORD>(state->defaultId), DC_HASDEFID) : 0;
    case DM_SETDEFID:
        setDefaultId(dialog, static_cast<int>(wParam));
        return TRUE;
    case WM_NEXTDLGCTL: {
        const HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                           : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
        if (target && IsWindow(target))
            DialogNavigation::focusControl(target);
        return 0;
    }
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case WM_NCDESTROY:
        // The template's font was made for this dialog alone.
        if (state->font)
            DeleteObject(state->font);
        state->font = nullptr;
        return 0;
    default:
        return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

BOOL IsDialogMessageW(HWND dialog, LPMSG message)
{
    if (!message || !IsWindow(dialog) || (message->hwnd != dialog && !IsChild(dialog, message->hwnd)))
        return FALSE;
    const LRESULT code = SendMessageW(message->hwnd, WM_GETDLGCODE, message->wParam, reinterpret_cast<LPARAM>(message));
    switch (message->message) {
    case WM_KEYDOWN:
        if (code & DLGC_WANTMESSAGE)
            break;
        switch (message->wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB)
                break;
            if (const HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0))
                DialogNavigation::focusControl(next);
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (code & DLGC_WANTARROWS)
                break;
            const HWND focus = GetFocus();
            const HWND next = GetNextDlgGroupItem(dialog, focus, message->wParam == VK_LEFT || message->wParam == VK_UP);
            if (next && next != DialogNavigation::directChild(dialog, focus)) {
                DialogNavigation::focusControl(next);
                if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                    SendMessageW(next, BM_CLICK, 0, 0);
            }
            return TRUE;
        }
        case VK_RETURN: {
            int id = IDOK;
            const HWND focus = GetFocus();
            if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                id = GetDlgCtrlID(focus);
            else if (const LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0); HIWORD(defaultId) == DC_HASDEFID)
                id = LOWORD(defaultId);
            const HWND button = GetDlgItem(dialog, id);
            if (!button || IsWindowEnabled(button))
                sendCommand(dialog, id);
            return TRUE;
        }
        case VK_ESCAPE: {
            const HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (!cancel || IsWindowEnabled(cancel))
                sendCommand(dialog, IDCANCEL);
            return TRUE;
        }
        default:
            break;
        }
        break;
    case WM_CHAR:
        // Plain letters are mnemonics only where the focused control does not take characters.
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))
            break;
        [[fallthrough]];
    case WM_SYSCHAR:
        if (const HWND target = DialogNavigation::findMnemonic(dialog, static_cast<wchar_t>(message->wParam))) {
            DialogNavigation::useMnemonic(dialog, target);
            return TRUE;
        }
        break;
    default:
        break;
    }
    TranslateMessage(message);
    DispatchMessageW(message);
    return TRUE;
}

LONG GetDialogBaseUnits() { return static_cast<LONG>(MAKELONG(baseUnitX, baseUnitY)); }

HWND GetDlgItem(HWND dialog, int id)
{
    const Window* window = WindowTable::instance().find(dialog);
    if (!window)
        return nullptr;
    const auto wanted = static_cast<UINT_PTR>(static_cast<WORD>(id));
    for (HWND child : window->children)
        if (const Window* control = WindowTable::instance().find(child); control && (control->id & 0xFFFF) == wanted)
            return child;
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int GetDlgCtrlID(HWND control)
{
    const Window* window = WindowTable::instance().find(control);
    return window && window->parent ? static_cast<int>(window->id) : 0;
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text)
{
    const HWND control = GetDlgItem(dialog, id);
    return control && SetWindowTextW(control, text);
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int capacity)
{
    if (buffer && capacity > 0)
        buffer[0] = L'\0';
    const HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(GetWindowTextW(control, buffer, capacity)) : 0;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    const HWND button = GetDlgItem(dialog, id);
    return button ? static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId)
{
    if (!IsWindow(dialog))
        return FALSE;
    for (int id = firstId; id <= lastId; ++id)
        if (const HWND button = GetDlgItem(dialog, id))
            SendMessageW(button, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}
