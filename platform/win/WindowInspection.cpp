// Inspecting windows headless: what a front end draws and what a text snapshot shows of a window.
#include "win/WindowInspection.h"

#include "kernel/Text.h"
#include "win/Control.h"
#include "win/ControlSupport.h"
#include "win/ListViewSnapshot.h"
#include "win/WindowGeometry.h"
#include "win/WindowTable.h"

namespace {

std::vector<HWND> childrenOf(HWND window)
{
    const Window* record = WindowTable::instance().find(window);
    return record ? record->children : std::vector<HWND>{};
}

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

WindowInfo collect(HWND window, bool askColors)
{
    WindowInfo info;
    const Window* record = WindowTable::instance().find(window);
    if (!record)
        return info;
    info.hwnd = window;
    info.parent = record->parent;
    info.owner = record->owner;
    info.className = record->windowClass->name;
    // Ids are 16 bits wide: 0xFFFF is the static that is never addressed, the rest count upwards.
    const int id = static_cast<int>(record->id & 0xFFFF);
    info.id = !record->parent ? 0 : id == 0xFFFF ? IDC_STATIC : id;
    info.style = record->style;
    info.exStyle = record->exStyle;
    info.windowRect = WindowGeometry::screenRect(window);
    const POINT origin = WindowGeometry::clientOrigin(window);
    const SIZE size = WindowGeometry::clientSize(*record);
    info.clientRect = RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
    info.visible = IsWindowVisible(window);
    info.enabled = true;
    for (HWND current = window; current && current != GetDesktopWindow(); current = GetAncestor(current, GA_PARENT))
        info.enabled = info.enabled && IsWindowEnabled(current);
    info.focused = GetFocus() == window;
    info.active = GetActiveWindow() == window;
    info.menu = GetMenu(window);
    info.text = windowText(window);
    if (record->control)
        record->control->describe(window, info, askColors);
    if (askColors) {
        ControlSupport::askColors(window);
        if ((record = WindowTable::instance().find(window))) {
            info.hasColors = record->hasColors;
            info.textColor = record->textColor;
            info.backgroundColor = record->backgroundColor;
        }
    }
    return info;
}

std::wstring statesOf(const WindowInfo& info)
{
    std::wstring states;
    const auto add = [&states](const std::wstring& state) { states += L" " + state; };
    if (!(info.style & WS_VISIBLE))
        add(L"hidden");
    if (info.style & WS_DISABLED)
        add(L"disabled");
    if (info.focused)
        add(L"focused");
    if (info.active)
        add(L"active");
    if (info.isDefault)
        add(L"default");
    if (info.checkState == BST_CHECKED)
        add(L"checked");
    if (info.checkState == BST_INDETERMINATE)
        add(L"indeterminate");
    if (info.readOnly)
        add(L"read-only");
    if (info.password)
        add(L"password");
    if (!info.iconName.empty())
        add(L"icon=" + info.iconName);
    if (info.firstVisibleLine)
        add(L"scrolled to line " + std::to_wstring(info.firstVisibleLine));
    if (info.selectionStart != info.selectionEnd)
        add(L"selection=" + std::to_wstring(info.selectionStart) + L"-" + std::to_wstring(info.selectionEnd));
    if (EqualsNoCase(info.className, WC_COMBOBOXW)) {
        std::wstring entries;
        for (std::size_t i = 0; i < info.items.size(); ++i) {
            const bool current = static_cast<int>(i) == info.currentSelection;
            entries += (i ? L", " : L"") + std::wstring(current ? L"[" : L"") + L"\"" + info.items[i] + L"\"" + (current ? L"]" : L"");
        }
        add(L"entries={" + entries + L"}");
        if (info.droppedDown)
            add(L"dropped");
    }
    return states;
}

Control* controlOf(HWND window)
{
    Window* record = WindowTable::instance().find(window);
    return record ? record->control.get() : nullptr;
}

bool isControl(HWND window) { return controlOf(window) != nullptr; }

// What the control itself tells of its state, after a blank.
std::wstring controlStates(HWND window)
{
    Control* control = controlOf(window);
    const std::wstring states = control ? control->states(window) : std::wstring();
    return states.empty() ? states : L" " + states;
}

void appendSnapshot(std::wstring& out, HWND window, int depth)
{
    const WindowInfo info = collect(window, false);
    const std::wstring indent(static_cast<std::size_t>(depth) * 2, L' ');
    if (depth == 0)
        out += L"Window \"" + info.text + L"\" (" + info.className + L")" + statesOf(info) + L"\n";
    else
        out += indent + info.className + L" " + std::to_wstring(info.id) + L" \"" + info.text + L"\"" + statesOf(info) +
               controlStates(window) + L"\n";
    if (!info.listView.columns.empty() || !info.listView.items.empty())
        out += ListViewSnapshot(info.listView, indent + L"  ");
    // A built-in control's children are its own parts (a combo box's edit, a list's header).
    if (depth > 0 && isControl(window))
        return;
    for (HWND child : childrenOf(window))
        appendSnapshot(out, child, depth + 1);
}

} // namespace

WindowInfo WindowInspection::describe(HWND window, bool askColors) { return collect(window, askColors); }

std::wstring WindowInspection::snapshot(HWND window)
{
    if (!IsWindow(window))
        return L"(no window)\n";
    std::wstring out;
    appendSnapshot(out, window, 0);
    return out;
}
