// The Win32 calls that create and destroy windows and walk, name, show, enable and focus them.
#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "win/Activation.h"
#include "win/HookChain.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowGeometry.h"
#include "win/WindowTable.h"
#include "win/WindowTimers.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

WindowTable& table() { return WindowTable::instance(); }

std::vector<HWND>& siblingsOf(const Window& window)
{
    if (!window.parent)
        return table().topLevels();
    if (Window* parent = table().find(window.parent))
        return parent->children;
    // A parent already gone leaves its child no siblings to walk.
    static std::vector<HWND> none;
    none.clear();
    return none;
}

void unlink(const Window& window)
{
    std::erase(siblingsOf(window), window.handle);
}

// Top-level windows with no place given get a default one, as CW_USEDEFAULT asks.
RECT initialRect(DWORD style, int x, int y, int width, int height)
{
    if (!(style & WS_CHILD)) {
        const auto& screen = table();
        if (x == CW_USEDEFAULT) {
            x = 0;
            y = 0;
        }
        if (width == CW_USEDEFAULT) {
            width = screen.screenWidth / 2;
            height = screen.screenHeight / 2;
        }
    }
    return RECT{x, y, x + width, y + height};
}

void sendSizeAndMove(HWND handle)
{
    const Window* window = table().find(handle);
    if (!window)
        return;
    const SIZE size = WindowGeometry::clientSize(*window);
    SendMessageW(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy)));
    if (!(window = table().find(handle)))
        return;
    const RECT insets = WindowGeometry::frameInsets(*window);
    SendMessageW(handle, WM_MOVE, 0,
                 MAKELPARAM(static_cast<WORD>(window->rect.left + insets.left), static_cast<WORD>(window->rect.top + insets.top)));
}

// Creation failed after the window existed: it goes without WM_DESTROY, as on Windows.
HWND abandon(HWND handle)
{
    DestroyWindow(handle);
    return nullptr;
}

void sendDestroy(HWND handle)
{
    SendMessageW(handle, WM_DESTROY, 0, 0);
    const Window* window = table().find(handle);
    if (!window)
        return;
    for (HWND child : std::vector<HWND>(window->children))
        if (IsWindow(child))
            sendDestroy(child);
}

// Children go before their parent; each window's record is dropped after WM_NCDESTROY.
void freeTree(HWND handle)
{
    const Window* window = table().find(handle);
    if (!window)
        return;
    for (HWND child : std::vector<HWND>(window->children))
        freeTree(child);
    WindowTimers::instance().killAll(handle);
    SendMessageW(handle, WM_NCDESTROY, 0, 0);
    window = table().find(handle);
    if (!window)
        return;
    if (window->menu && !(window->style & WS_CHILD))
        DestroyMenu(window->menu);
    if (window->systemMenu)
        DestroyMenu(window->systemMenu);
    unlink(*window);
    table().remove(handle);
}

bool isAncestorOrSelf(HWND ancestor, HWND handle)
{
    for (HWND current = handle; current; current = GetAncestor(current, GA_PARENT))
        if (current == ancestor)
            return true;
    return false;
}

} // namespace

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    const auto windowClass = WindowClassRegistry::instance().find(WindowClassRegistry::nameOf(className));
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (parent == table().desktop())
        parent = nullptr;
    if (parent && !IsWindow(parent))
        return nullptr;
    const bool isChild = (style & WS_CHILD) != 0;
    if (isChild && !parent) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!isChild && !(style & WS_POPUP))
        style |= WS_CAPTION | WS_CLIPSIBLINGS;

    auto window = std::make_unique<Window>();
    window->windowClass = windowClass;
    window->procedure = windowClass->procedure;
    window->instance = instance;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->rect = initialRect(style, x, y, width, height);
    window->extra.assign(static_cast<std::size_t>(std::max(windowClass->windowExtraBytes, 0) + 7) / 8, 0);
    if (isChild) {
        window->parent = parent;
        window->id = reinterpret_cast<UINT_PTR>(menuOrId);
    } else {
        window->owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
        window->menu = menuOrId;
    }
    const HWND handle = table().add(std::move(window));
    if (isChild)
        table().find(parent)->children.push_back(handle);
    else
        table().topLevels().insert(table().topLevels().begin(), handle);

    CREATESTRUCTW create{param,   instance, menuOrId, parent,     height,    width,
                         y,       x,        static_cast<LONG>(style), windowName, className, exStyle};
    CBT_CREATEWNDW cbt{&create, HWND_TOP};
    if (HookChain::instance().callFirst(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&cbt)))
        return abandon(handle);
    if (!IsWindow(handle) || !SendMessageW(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)))
        return abandon(handle);
    if (!IsWindow(handle) || SendMessageW(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1)
        return abandon(handle);
    sendSizeAndMove(handle);
    if (!IsWindow(handle))
        return nullptr;
    if (style & WS_VISIBLE) {
        if (isChild)
            table().find(handle)->style |= WS_VISIBLE;
        else
            ShowWindow(handle, SW_SHOW);
    }
    return IsWindow(handle) ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle)
{
    Window* window = table().find(handle);
    if (!window || window->destroying || handle == table().desktop())
        return FALSE;
    if (HookChain::instance().callFirst(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(handle), 0))
        return FALSE;
    window->destroying = true;
    const bool isTopLevel = !window->parent;

    for (HWND owned : std::vector<HWND>(table().topLevels()))
        if (const Window* candidate = table().find(owned); candidate && candidate->owner == handle)
            DestroyWindow(owned);
    if (table().capture && isAncestorOrSelf(handle, table().capture))
        ReleaseCapture();
    if (table().focus && isAncestorOrSelf(handle, table().focus))
        SetFocus(isTopLevel ? nullptr : GetAncestor(handle, GA_PARENT));
    if (isTopLevel && (window = table().find(handle))) {
        window->style &= ~WS_VISIBLE;
        Activation::activateNext(handle);
    }
    sendDestroy(handle);
    freeTree(handle);
    return TRUE;
}

BOOL IsWindow(HWND handle) { return handle && WindowTable::instance().find(handle) != nullptr; }

HWND GetDesktopWindow() { return table().desktop(); }

BOOL SetPropW(HWND handle, LPCWSTR name, HANDLE data)
{
    Window* window = table().find(handle);
    if (!window || !name)
        return FALSE;
    window->properties[name] = data;
    return TRUE;
}

HANDLE GetPropW(HWND handle, LPCWSTR name)
{
    const Window* window = table().find(handle);
    if (!window || !name)
        return nullptr;
    const auto it = window->properties.find(name);
    return it == window->properties.end() ? nullptr : it->second;
}

HANDLE RemovePropW(HWND handle, LPCWSTR name)
{
    Window* window = table().find(handle);
    if (!window || !name)
        return nullptr;
    const auto it = window->properties.find(name);
    if (it == window->properties.end())
        return nullptr;
    const HANDLE data = it->second;
    window->properties.erase(it);
    return data;
}

HWND GetParent(HWND handle)
{
    const Window* window = table().find(handle);
    if (!window)
        return nullptr;
    if (window->parent)
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND GetAncestor(HWND handle, UINT flags)
{
    const Window* window = table().find(handle);
    if (!window || handle == table().desktop())
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return window->parent ? window->parent : table().desktop();
    case GA_ROOT:
        while (window->parent)
            window = table().find(window->parent);
        return window->handle;
    case GA_ROOTOWNER: {
        HWND root = GetAncestor(handle, GA_ROOT);
        while (const Window* top = table().find(root)) {
            if (!top->owner)
                break;
            root = top->owner;
        }
        return root;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetWindow(HWND handle, UINT command)
{
    const Window* window = table().find(handle);
    if (!window)
        return nullptr;
    if (command == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front();
    if (command == GW_OWNER)
        return window->owner;
    if (handle == table().desktop())
        return nullptr;
    const std::vector<HWND>& siblings = siblingsOf(*window);
    const auto it = std::find(siblings.begin(), siblings.end(), handle);
    if (it == siblings.end())
        return nullptr;
    switch (command) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return it + 1 == siblings.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == siblings.begin() ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND handle)
{
    return parent && handle && parent != handle && IsWindow(handle) && isAncestorOrSelf(parent, handle) &&
           handle != GetAncestor(handle, GA_ROOT);
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM param)
{
    for (HWND handle : std::vector<HWND>(table().topLevels()))
        if (IsWindow(handle) && !callback(handle, param))
            return FALSE;
    return TRUE;
}

int GetClassNameW(HWND handle, LPWSTR buffer, int capacity)
{
    const Window* window = table().find(handle);
    if (!window || !buffer || capacity <= 0)
        return 0;
    const std::wstring& name = window->windowClass->name;
    const auto count = std::min<std::size_t>(name.size(), static_cast<std::size_t>(capacity - 1));
    std::wmemcpy(buffer, name.data(), count);
    buffer[count] = L'\0';
    return static_cast<int>(count);
}

int GetWindowTextW(HWND handle, LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = L'\0';
    return static_cast<int>(SendMessageW(handle, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND handle) { return static_cast<int>(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetWindowTextW(HWND handle, LPCWSTR text)
{
    return IsWindow(handle) && SendMessageW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
}

BOOL EnableWindow(HWND handle, BOOL enable)
{
    Window* window = table().find(handle);
    if (!window)
        return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable)
        return wasDisabled;
    if (enable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
        // A disabled window cannot keep the keyboard; a top-level one remembers who had it.
        if (table().focus && isAncestorOrSelf(handle, table().focus)) {
            if (!window->parent)
                window->lastFocus = table().focus;
            SetFocus(nullptr);
        }
        if (table().capture && isAncestorOrSelf(handle, table().capture))
            ReleaseCapture();
    }
    SendMessageW(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND handle)
{
    const Window* window = table().find(handle);
    return window && !(window->style & WS_DISABLED);
}

BOOL ShowWindow(HWND handle, int command)
{
    Window* window = table().find(handle);
    if (!window)
        return FALSE;
    const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    if (show != static_cast<bool>(wasVisible)) {
        SendMessageW(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!(window = table().find(handle)))
            return wasVisible;
        if (show)
            window->style |= WS_VISIBLE;
        else
            window->style &= ~WS_VISIBLE;
    }
    const bool isTopLevel = !window->parent;
    if (!show) {
        if (table().focus && isAncestorOrSelf(handle, table().focus))
            SetFocus(isTopLevel ? nullptr : GetAncestor(handle, GA_ROOT));
        if (isTopLevel)
            Activation::activateNext(handle);
        return wasVisible;
    }
    const bool activates = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE;
    if (isTopLevel && activates && !(window->exStyle & WS_EX_NOACTIVATE))
        Activation::activate(handle);
    return wasVisible;
}

BOOL IsWindowVisible(HWND handle)
{
    for (const Window* window = table().find(handle); window; window = window->parent ? table().find(window->parent) : nullptr)
        if (!(window->style & WS_VISIBLE))
            return FALSE;
    return IsWindow(handle);
}

BOOL InvalidateRect(HWND handle, const RECT*, BOOL) { return IsWindow(handle); }
BOOL UpdateWindow(HWND handle) { return IsWindow(handle); }

HWND SetFocus(HWND handle)
{
    auto& state = table();
    const HWND previous = state.focus;
    if (!handle) {
        state.focus = nullptr;
        if (previous && IsWindow(previous))
            SendMessageW(previous, WM_KILLFOCUS, 0, 0);
        return previous;
    }
    if (!IsWindow(handle))
        return nullptr;
    for (HWND current = handle; current; current = GetAncestor(current, GA_PARENT))
        if (current != state.desktop() && !IsWindowEnabled(current))
            return nullptr;
    const HWND root = GetAncestor(handle, GA_ROOT);
    if (state.active != root && !Activation::activate(root))
        return nullptr;
    if (state.focus == handle)
        return previous;
    const HWND leaving = state.focus;
    state.focus = handle;
    if (leaving && IsWindow(leaving))
        SendMessageW(leaving, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    if (state.focus == handle && IsWindow(handle))
        SendMessageW(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(leaving), 0);
    return previous;
}

HWND GetFocus() { return table().focus; }

HWND SetActiveWindow(HWND handle)
{
    const HWND previous = table().active;
    const HWND root = GetAncestor(handle, GA_ROOT);
    return root && Activation::activate(root) ? previous : nullptr;
}

HWND GetActiveWindow() { return table().active; }

BOOL SetForegroundWindow(HWND handle) { return SetActiveWindow(handle) != nullptr || GetActiveWindow() == handle; }

HWND SetCapture(HWND handle)
{
    const HWND previous = table().capture;
    if (!IsWindow(handle))
        return previous;
    table().capture = handle;
    if (previous && previous != handle && IsWindow(previous))
        SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
    return previous;
}

BOOL ReleaseCapture()
{
    const HWND previous = table().capture;
    table().capture = nullptr;
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return table().capture; }

BOOL GetWindowRect(HWND handle, LPRECT rect)
{
    if (!rect || !IsWindow(handle))
        return FALSE;
    *rect = WindowGeometry::screenRect(handle);
    return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect)
{
    const Window* window = table().find(handle);
    if (!rect || !window)
        return FALSE;
    const SIZE size = WindowGeometry::clientSize(*window);
    *rect = RECT{0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    Window* window = table().find(handle);
    if (!window)
        return FALSE;
    const RECT before = window->rect;
    if (!(flags & SWP_NOMOVE))
        OffsetRect(&window->rect, x - window->rect.left, y - window->rect.top);
    if (!(flags & SWP_NOSIZE)) {
        window->rect.right = window->rect.left + std::max(width, 0);
        window->rect.bottom = window->rect.top + std::max(height, 0);
    }
    if (!(flags & SWP_NOZORDER)) {
        std::vector<HWND>& siblings = siblingsOf(*window);
        std::erase(siblings, handle);
        if (insertAfter == HWND_BOTTOM) {
            siblings.push_back(handle);
        } else {
            const auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
            siblings.insert(after == siblings.end() ? siblings.begin() : after + 1, handle);
        }
    }
    const bool sized = (before.right - before.left) != (window->rect.right - window->rect.left) ||
                       (before.bottom - before.top) != (window->rect.bottom - window->rect.top);
    const bool moved = before.left != window->rect.left || before.top != window->rect.top;
    if (sized || moved)
        sendSizeAndMove(handle);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(handle, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(handle, SW_HIDE);
    return IsWindow(handle);
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL)
{
    return SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL ClientToScreen(HWND handle, LPPOINT point)
{
    if (!point || !IsWindow(handle))
        return FALSE;
    const POINT origin = WindowGeometry::clientOrigin(handle);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND handle, LPPOINT point)
{
    if (!point || !IsWindow(handle))
        return FALSE;
    const POINT origin = WindowGeometry::clientOrigin(handle);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    const POINT fromOrigin = from ? WindowGeometry::clientOrigin(from) : POINT{0, 0};
    const POINT toOrigin = to ? WindowGeometry::clientOrigin(to) : POINT{0, 0};
    const LONG dx = fromOrigin.x - toOrigin.x;
    const LONG dy = fromOrigin.y - toOrigin.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace {

// The deepest visible child under the point that does not let the mouse through; disabled
// children pass the point to their parent.
HWND childAt(HWND parent, POINT screenPoint)
{
    const Window* window = table().find(parent);
    if (!window)
        return parent;
    for (HWND child : window->children) {
        if (!IsWindowVisible(child))
            continue;
        const RECT rect = WindowGeometry::screenRect(child);
        if (!PtInRect(&rect, screenPoint))
            continue;
        if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(screenPoint.x), static_cast<WORD>(screenPoint.y))) ==
            HTTRANSPARENT)
            continue;
        if (!IsWindowEnabled(child))
            return parent;
        return childAt(child, screenPoint);
    }
    return parent;
}

} // namespace

HWND WindowFromPoint(POINT screenPoint)
{
    for (HWND handle : table().topLevels()) {
        if (!IsWindowVisible(handle))
            continue;
        const RECT rect = WindowGeometry::screenRect(handle);
        if (PtInRect(&rect, screenPoint))
            return childAt(handle, screenPoint);
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint)
{
    const Window* window = table().find(parent);
    if (!window)
        return nullptr;
    POINT screenPoint = clientPoint;
    ClientToScreen(parent, &screenPoint);
    for (HWND child : window->children) {
        const RECT rect = WindowGeometry::screenRect(child);
        if (PtInRect(&rect, screenPoint))
            return child;
    }
    const SIZE size = WindowGeometry::clientSize(*window);
    const RECT client{0, 0, size.cx, size.cy};
    return PtInRect(&client, clientPoint) ? parent : nullptr;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return table().screenWidth;
    case SM_CYSCREEN:
        return table().screenHeight;
    case SM_CXBORDER:
    case SM_CXDLGFRAME:
        return WindowGeometry::cellWidth;
    case SM_CYBORDER:
    case SM_CYDLGFRAME:
    case SM_CYCAPTION:
    case SM_CYMENU:
        return WindowGeometry::cellHeight;
    case SM_CXICON:
        return 2 * WindowGeometry::cellWidth;
    case SM_CYICON:
        return WindowGeometry::cellHeight;
    default:
        return 0;
    }
}
