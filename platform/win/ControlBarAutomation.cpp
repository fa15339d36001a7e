// Tool bar and status bar automation through injected mouse input and the bars' painting.
#include "win/ControlBarAutomation.h"

#include "win/CommCtrl.h"
#include "win/ControlSupport.h"
#include "win/StatusBarControl.h"
#include "win/ToolTipControl.h"

namespace {

ActionResult fail(std::wstring message) { return ActionResult{false, std::move(message)}; }

std::wstring buttonName(UINT command) { return L"tool bar button " + std::to_wstring(command); }

HWND childOfClass(HWND window, LPCWSTR className, const std::function<bool(HWND)>& wanted)
{
    for (HWND child : Automation::children(window))
        if (ControlSupport::isClass(child, className) && wanted(child))
            return child;
    return nullptr;
}

// The button's middle on the screen.
POINT middleOf(HWND toolBar, UINT command)
{
    const auto index = SendMessageW(toolBar, TB_COMMANDTOINDEX, command, 0);
    RECT button{};
    SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(toolBar, &middle);
    return middle;
}

// The button's bar, when a user could use the button now.
ActionResult usableButton(HWND window, UINT command, HWND& toolBar)
{
    if (!IsWindow(window))
        return fail(L"no such window");
    toolBar = ControlBarAutomation::toolBarWith(window, command);
    if (!toolBar)
        return fail(L"the window has no " + buttonName(command));
    const auto state = SendMessageW(toolBar, TB_GETSTATE, command, 0);
    if (!(state & TBSTATE_ENABLED))
        return fail(buttonName(command) + L" is greyed");
    if (state & TBSTATE_HIDDEN || !IsWindowVisible(toolBar))
        return fail(buttonName(command) + L" is hidden");
    if (!IsWindowEnabled(GetAncestor(toolBar, GA_ROOT)))
        return fail(buttonName(command) + L" is covered by a modal window");
    if (WindowFromPoint(middleOf(toolBar, command)) != toolBar)
        return fail(buttonName(command) + L" is covered by another window");
    return {};
}

} // namespace

HWND ControlBarAutomation::toolBarWith(HWND window, UINT command)
{
    return childOfClass(window, TOOLBARCLASSNAMEW,
                        [command](HWND bar) { return SendMessageW(bar, TB_COMMANDTOINDEX, command, 0) >= 0; });
}

ActionResult ControlBarAutomation::clickButton(HWND window, UINT command)
{
    HWND toolBar = nullptr;
    if (ActionResult usable = usableButton(window, command, toolBar); !usable)
        return usable;
    const POINT middle = middleOf(toolBar, command);
    Automation::injectMouse(WM_LBUTTONDOWN, middle);
    Automation::deliverPending();
    Automation::injectMouse(WM_LBUTTONUP, middle);
    Automation::deliverPending();
    return {};
}

ActionResult ControlBarAutomation::restOnButton(HWND window, UINT command, std::wstring& tip)
{
    tip.clear();
    if (!IsWindow(window))
        return fail(L"no such window");
    HWND toolBar = toolBarWith(window, command);
    if (!toolBar)
        return fail(L"the window has no " + buttonName(command));
    const HWND tipWindow = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
    if (!tipWindow)
        return fail(L"the tool bar of " + buttonName(command) + L" shows no tips");
    // Off the bar first, so that the button is a new arrival.
    RECT bar{};
    GetWindowRect(toolBar, &bar);
    Automation::injectMouse(WM_MOUSEMOVE, POINT{bar.left, bar.bottom});
    Automation::injectMouse(WM_MOUSEMOVE, middleOf(toolBar, command));
    Automation::deliverPending();
    if (Automation::runUntil([tipWindow] { return IsWindowVisible(tipWindow) != FALSE; },
                             2 * static_cast<int>(ToolTipControl::restDelayMs)))
        tip = Automation::describe(tipWindow).text;
    Automation::injectMouse(WM_MOUSEMOVE, POINT{bar.left, bar.bottom});
    Automation::deliverPending();
    return {};
}

ActionResult ControlBarAutomation::paneText(HWND window, int pane, std::wstring& text)
{
    text.clear();
    if (!IsWindow(window))
        return fail(L"no such window");
    const HWND statusBar = childOfClass(window, STATUSCLASSNAMEW, [](HWND) { return true; });
    if (!statusBar)
        return fail(L"the window has no status bar");
    const auto parts = StatusBarControl::paintedParts(statusBar);
    if (pane < 0 || static_cast<std::size_t>(pane) >= parts.size())
        return fail(L"the status bar has no pane " + std::to_wstring(pane) + L" (it has " + std::to_wstring(parts.size()) +
                    L")");
    std::wstring picture;
    for (const PaintOperation& operation : parts[static_cast<std::size_t>(pane)]) {
        if (operation.kind == PaintOperation::Text)
            text += operation.text;
        if (operation.kind == PaintOperation::Picture)
            picture += operation.text;
    }
    if (text.empty())
        text = picture;
    return {};
}
