// Acting as a user through injected input.
#include "win/Automation.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/Activation.h"
#include "win/BeepLog.h"
#include "win/ComboBoxControl.h"
#include "win/CommCtrl.h"
#include "win/ControlBarAutomation.h"
#include "win/ControlSupport.h"
#include "win/KeyboardState.h"
#include "win/MessageLoop.h"
#include "win/MessageQueue.h"
#include "win/WindowGeometry.h"
#include "win/WindowInspection.h"
#include "win/WindowTable.h"

#include <algorithm>

namespace {

InputSource*& currentSource()
{
    static InputSource* source = nullptr;
    return source;
}

ActionResult fail(std::wstring message) { return ActionResult{false, std::move(message)}; }

std::wstring nameOf(int id) { return L"control " + std::to_wstring(id); }

bool isClass(HWND window, LPCWSTR className) { return ControlSupport::isClass(window, className); }

HWND findControl(HWND window, int id)
{
    if (const HWND direct = GetDlgItem(window, id))
        return direct;
    for (HWND child : Automation::children(window))
        if (const HWND nested = findControl(child, id))
            return nested;
    return nullptr;
}

// Why a user could not reach the window now, or nothing when they could.
std::wstring whyUnusable(HWND window)
{
    if (!IsWindow(window))
        return L"the window no longer exists";
    if (!IsWindowVisible(window))
        return L"is hidden";
    for (HWND current = window; current; current = GetAncestor(current, GA_PARENT)) {
        if (current == GetDesktopWindow() || IsWindowEnabled(current))
            continue;
        if (current == window)
            return L"is disabled";
        return current == GetAncestor(window, GA_ROOT) ? L"is covered by a modal window" : L"lies in a disabled window";
    }
    return {};
}

ActionResult findUsable(HWND window, int id, HWND& control)
{
    if (!IsWindow(window))
        return fail(L"no such window");
    control = findControl(window, id);
    if (!control)
        return fail(L"the window has no " + nameOf(id));
    if (const std::wstring why = whyUnusable(control); !why.empty())
        return fail(nameOf(id) + L" " + why);
    return {};
}

void deliver() { MessageLoop::deliverPending(); }

POINT centreOf(HWND window)
{
    const RECT rect = WindowGeometry::screenRect(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

ActionResult clickAt(HWND control, POINT point, int id)
{
    const HWND hit = WindowFromPoint(point);
    if (hit != control && !IsChild(control, hit))
        return fail(nameOf(id) + L" is covered by another window");
    Automation::injectMouse(WM_LBUTTONDOWN, point);
    deliver();
    Automation::injectMouse(WM_LBUTTONUP, point);
    deliver();
    return {};
}

void pressKeys(UINT virtualKey, UINT modifiers)
{
    Automation::withModifiers(modifiers, [virtualKey] {
        Automation::injectKey(virtualKey, true);
        Automation::injectKey(virtualKey, false);
    });
}

// The edit a user types into for this control: an edit, or the edit of a drop-down combo box.
ActionResult typingTarget(HWND control, int id, HWND& target)
{
    target = control;
    if (isClass(control, WC_COMBOBOXW)) {
        target = GetDlgItem(control, ComboBoxControl::editId);
        if (!target)
            return fail(nameOf(id) + L" is a drop-down list: choose one of its entries");
    } else if (!isClass(control, WC_EDITW)) {
        return fail(nameOf(id) + L" does not take typed text");
    }
    if (GetWindowLongPtrW(target, GWL_STYLE) & ES_READONLY)
        return fail(nameOf(id) + L" is read-only");
    return {};
}

ActionResult type(HWND window, int id, std::wstring_view text, bool replace)
{
    HWND control = nullptr;
    if (ActionResult found = findUsable(window, id, control); !found)
        return found;
    HWND target = nullptr;
    if (ActionResult typing = typingTarget(control, id, target); !typing)
        return typing;
    // A field that has the focus is typed into where its caret is; another is clicked first.
    if (GetFocus() != target) {
        if (ActionResult clicked = clickAt(target, centreOf(target), id); !clicked)
            return clicked;
    }
    if (GetFocus() != target)
        return fail(nameOf(id) + L" did not take the focus");
    if (replace) {
        pressKeys(VK_HOME, MOD_CONTROL);
        pressKeys(VK_END, MOD_CONTROL | MOD_SHIFT);
        if (text.empty())
            pressKeys(VK_DELETE, 0);
    }
    for (wchar_t character : text) {
        if (GetFocus() != target)
            return fail(nameOf(id) + L" lost the focus while typing");
        Automation::injectChar(character);
        deliver();
    }
    if (replace && IsWindow(target) && !EqualsNoCase(ControlSupport::text(target), text))
        return fail(nameOf(id) + L" refused part of the text: it holds \"" + ControlSupport::text(target) + L"\"");
    return {};
}

} // namespace

InputSource* Automation::setInputSource(InputSource* source)
{
    InputSource* previous = currentSource();
    currentSource() = source;
    return previous;
}

InputSource* Automation::inputSource() { return currentSource(); }

HWND Automation::findWindow(std::wstring_view title)
{
    for (HWND window : topLevelWindows())
        if (ControlSupport::text(window) == title)
            return window;
    return nullptr;
}

HWND Automation::waitForWindow(std::wstring_view title, int timeoutMs)
{
    runUntil([title] { return findWindow(title) != nullptr; }, timeoutMs);
    return findWindow(title);
}

bool Automation::runUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const std::int64_t deadline = Clock::nowMs() + timeoutMs;
    while (!condition()) {
        MSG message{};
        if (MessageLoop::retrieve(message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return condition();
            }
            MessageLoop::deliver(message);
            continue;
        }
        const std::int64_t now = Clock::nowMs();
        const auto next = Clock::nextDueMs();
        if (now >= deadline || !next)
            return condition();
        if (*next > deadline) {
            Clock::advance(deadline - now);
            return condition();
        }
        if (Clock::isVirtual())
            Clock::advanceToNextTimer();
        else
            Clock::advance(*next - now);
    }
    return true;
}

void Automation::deliverPending() { MessageLoop::deliverPending(); }

ActionResult Automation::findUsableControl(HWND window, int controlId, HWND& control) { return findUsable(window, controlId, control); }

void Automation::withModifiers(UINT modifiers, const std::function<void()>& inject)
{
    // The whole gesture is queued before any of it is handled, as the hardware would have it: a
    // key or click that opens a modal window finds the modifiers released in that window's loop,
    // rather than held down through everything done in it.
    const std::pair<UINT, UINT> held[] = {{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}};
    for (const auto& [flag, key] : held)
        if (modifiers & flag)
            injectKey(key, true);
    inject();
    for (const auto& [flag, key] : held)
        if (modifiers & flag)
            injectKey(key, false);
    deliver();
}

ActionResult Automation::setText(HWND window, int controlId, std::wstring_view text)
{
    return type(window, controlId, text, true);
}

ActionResult Automation::typeText(HWND window, int controlId, std::wstring_view text)
{
    return type(window, controlId, text, false);
}

ActionResult Automation::click(HWND window, int controlId)
{
    HWND control = nullptr;
    if (ActionResult found = findUsable(window, controlId, control); !found)
        return found;
    return clickAt(control, centreOf(control), controlId);
}

ActionResult Automation::chooseEntry(HWND window, int controlId, std::wstring_view entry)
{
    HWND control = nullptr;
    if (ActionResult found = findUsable(window, controlId, control); !found)
        return found;
    if (!isClass(control, WC_COMBOBOXW))
        return fail(nameOf(controlId) + L" has no entries to choose from");
    if (!SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0)) {
        // The arrow is the field's last cell.
        const RECT field = WindowGeometry::screenRect(control);
        const POINT arrow{field.right - WindowGeometry::cellWidth / 2, (field.top + field.bottom) / 2};
        if (ActionResult clicked = clickAt(control, arrow, controlId); !clicked)
            return clicked;
        if (!IsWindow(control) || !SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0))
            return fail(nameOf(controlId) + L" did not open its list");
    }
    const std::wstring wanted(entry);
    const auto index = SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    if (index < 0) {
        pressKeys(VK_ESCAPE, 0);
        return fail(nameOf(controlId) + L" has no entry \"" + wanted + L"\"");
    }
    // Scrolling the list brings the entry into view, as the wheel would.
    LRESULT top = SendMessageW(control, CB_GETTOPINDEX, 0, 0);
    RECT list{};
    SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    const LRESULT rows = (list.bottom - list.top) / WindowGeometry::cellHeight;
    if (index < top || index >= top + rows) {
        SendMessageW(control, CB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        top = SendMessageW(control, CB_GETTOPINDEX, 0, 0);
    }
    const POINT point{(list.left + list.right) / 2,
                      list.top + static_cast<LONG>(index - top) * WindowGeometry::cellHeight + WindowGeometry::cellHeight / 2};
    injectMouse(WM_LBUTTONDOWN, point);
    deliver();
    injectMouse(WM_LBUTTONUP, point);
    deliver();
    if (IsWindow(control) && SendMessageW(control, CB_GETCURSEL, 0, 0) != index)
        return fail(nameOf(controlId) + L" did not select \"" + wanted + L"\"");
    return {};
}

ActionResult Automation::pressKey(HWND window, UINT virtualKey, UINT modifiers)
{
    if (!IsWindow(window))
        return fail(L"no such window");
    if (const std::wstring why = whyUnusable(window); !why.empty())
        return fail(L"the window " + why);
    const HWND root = GetAncestor(window, GA_ROOT);
    if (GetActiveWindow() != root && !Activation::activate(root))
        return fail(L"the window cannot be activated");
    pressKeys(virtualKey, modifiers);
    return {};
}

namespace {

// The chain of sub-menus from the menu down to the command, with each one's position.
bool pathTo(HMENU menu, UINT commandId, std::vector<std::pair<HMENU, int>>& path)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (const HMENU popup = GetSubMenu(menu, position)) {
            path.emplace_back(menu, position);
            if (pathTo(popup, commandId, path))
                return true;
            path.pop_back();
        } else if (GetMenuItemID(menu, position) == commandId && !(GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR)) {
            path.emplace_back(menu, position);
            return true;
        }
    }
    return false;
}

bool isUnavailable(HMENU menu, int position)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
}

} // namespace

ActionResult Automation::chooseMenuCommand(HWND window, UINT commandId)
{
    if (!IsWindow(window))
        return fail(L"no such window");
    if (const std::wstring why = whyUnusable(window); !why.empty())
        return fail(L"the window " + why);
    const std::wstring command = L"menu command " + std::to_wstring(commandId);
    // A tool bar button follows its menu item; a greyed button refuses its command as the item would.
    if (const HWND toolBar = ControlBarAutomation::toolBarWith(window, commandId);
        toolBar && !(SendMessageW(toolBar, TB_GETSTATE, commandId, 0) & TBSTATE_ENABLED))
        return fail(L"tool bar button " + std::to_wstring(commandId) + L" is greyed");
    std::vector<std::pair<HMENU, int>> path;
    const HMENU bar = GetMenu(window);
    if (bar && pathTo(bar, commandId, path)) {
        SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
        for (std::size_t step = 0; step + 1 < path.size(); ++step) {
            const auto [menu, position] = path[step];
            if (isUnavailable(menu, position))
                return fail(command + L" lies in a greyed menu");
            SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, position)),
                         MAKELPARAM(static_cast<WORD>(position), FALSE));
        }
        if (isUnavailable(path.back().first, path.back().second))
            return fail(command + L" is greyed");
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(commandId), 0), 0);
        deliver();
        return {};
    }
    const HMENU system = (GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) ? GetSystemMenu(window, FALSE) : nullptr;
    if (!system || !pathTo(system, commandId, path)) {
        if (ControlBarAutomation::toolBarWith(window, commandId))
            return ControlBarAutomation::clickButton(window, commandId);
        return fail(L"the window has no " + command);
    }
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
    if (isUnavailable(path.back().first, path.back().second))
        return fail(command + L" is greyed");
    PostMessageW(window, WM_SYSCOMMAND, commandId, 0);
    deliver();
    return {};
}

void Automation::injectKey(UINT virtualKey, bool down)
{
    auto& keys = KeyboardState::instance();
    keys.injectedDown[virtualKey & 0xFF] = down;
    const HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    if (!target)
        return;
    const bool alt = keys.injectedDown[VK_MENU];
    const bool system = (alt && !keys.injectedDown[VK_CONTROL]) || virtualKey == VK_F10 || virtualKey == VK_MENU;
    const UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    const auto lParam = static_cast<LPARAM>(1u | (alt ? 1u << 29 : 0u) | (down ? 0u : 3u << 30));
    MessageQueue::instance().post(MSG{target, message, virtualKey, lParam, 0, {}});
}

void Automation::injectChar(wchar_t character)
{
    const HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    if (target)
        MessageQueue::instance().post(MSG{target, WM_CHAR, static_cast<WPARAM>(character), 1, 0, {}});
}

void Automation::injectMouse(UINT message, POINT screenPoint)
{
    auto& keys = KeyboardState::instance();
    keys.cursor = screenPoint;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_LBUTTONUP)
        keys.injectedDown[VK_LBUTTON] = message != WM_LBUTTONUP;
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
        keys.injectedDown[VK_RBUTTON] = message == WM_RBUTTONDOWN;
    HWND target = GetCapture();
    if (!target) {
        target = WindowFromPoint(screenPoint);
        if (!target)
            return;
        // A window disabled by a modal one ignores the mouse.
        const HWND root = GetAncestor(target, GA_ROOT);
        if (!IsWindowEnabled(root))
            return;
        if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN) && GetActiveWindow() != root)
            Activation::activate(root);
    }
    // A window whose class takes no double clicks gets the second press as a press, as on Windows.
    const Window* record = WindowTable::instance().find(target);
    if (message == WM_LBUTTONDBLCLK && !(record && (record->windowClass->style & CS_DBLCLKS)))
        message = WM_LBUTTONDOWN;
    POINT client = screenPoint;
    ScreenToClient(target, &client);
    WPARAM buttons = 0;
    if (keys.injectedDown[VK_LBUTTON])
        buttons |= MK_LBUTTON;
    if (keys.injectedDown[VK_RBUTTON])
        buttons |= MK_RBUTTON;
    if (keys.injectedDown[VK_SHIFT])
        buttons |= MK_SHIFT;
    if (keys.injectedDown[VK_CONTROL])
        buttons |= MK_CONTROL;
    MessageQueue::instance().post(
        MSG{target, message, buttons, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)), 0, {}});
}

void Automation::injectWheel(POINT screenPoint, int delta)
{
    const HWND target = WindowFromPoint(screenPoint);
    if (!target || !IsWindowEnabled(GetAncestor(target, GA_ROOT)))
        return;
    MessageQueue::instance().post(MSG{target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                                      MAKELPARAM(static_cast<WORD>(screenPoint.x), static_cast<WORD>(screenPoint.y)), 0, {}});
}

std::wstring Automation::snapshot(HWND window) { return WindowInspection::snapshot(window); }

std::vector<HWND> Automation::topLevelWindows()
{
    std::vector<HWND> visible;
    for (HWND window : WindowTable::instance().topLevels())
        if (IsWindowVisible(window))
            visible.push_back(window);
    return visible;
}

std::vector<HWND> Automation::children(HWND window)
{
    const Window* record = WindowTable::instance().find(window);
    return record ? record->children : std::vector<HWND>{};
}

WindowInfo Automation::describe(HWND window) { return WindowInspection::describe(window, true); }

std::vector<UINT> Automation::beeps() { return BeepLog::beeps(); }

void Automation::clearBeeps() { BeepLog::beeps().clear(); }

void Automation::setScreenSize(int width, int height)
{
    WindowTable& table = WindowTable::instance();
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == table.screenWidth && height == table.screenHeight)
        return;
    table.screenWidth = width;
    table.screenHeight = height;
    constexpr WPARAM bitsPerPixel = 32;
    for (HWND window : std::vector<HWND>(table.topLevels()))
        if (IsWindow(window))
            SendMessageW(window, WM_DISPLAYCHANGE, bitsPerPixel, MAKELPARAM(width, height));
}
