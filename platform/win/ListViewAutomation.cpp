// List view actions for tests and scripts.
#include "win/ListViewAutomation.h"

#include "win/CommCtrl.h"
#include "win/ControlSupport.h"
#include "win/ListViewControl.h"
#include "win/ToolTipControl.h"

#include <algorithm>
#include <string>

namespace {

ActionResult fail(std::wstring message) { return ActionResult{false, std::move(message)}; }

std::wstring nameOf(int id) { return L"control " + std::to_wstring(id); }

ActionResult findList(HWND window, int controlId, HWND& list)
{
    if (ActionResult found = Automation::findUsableControl(window, controlId, list); !found)
        return found;
    if (!ControlSupport::isClass(list, WC_LISTVIEWW))
        return fail(nameOf(controlId) + L" is no list");
    return {};
}

ActionResult checkIndex(HWND list, int controlId, int index)
{
    const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (index < 0 || index >= count)
        return fail(nameOf(controlId) + L" has no item " + std::to_wstring(index) + L" (it has " + std::to_wstring(count) + L")");
    return {};
}

// The screen point of the item's state image or of its label, scrolled into view.
POINT itemPoint(HWND list, int index, bool onStateImage)
{
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RECT row{};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    int stateWidth = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0)), &stateWidth, &height);
    POINT point{row.left + (onStateImage ? stateWidth / 2 : stateWidth), (row.top + row.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

// The screen point in the middle of the item's text in a column (its part within the list).
POINT cellPoint(HWND list, int index, int column)
{
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RECT row{};
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    LONG left = row.left;
    LONG right = row.right;
    if ((GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) {
        for (int before = 0; before < column; ++before)
            left += static_cast<LONG>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(before), 0));
        right = std::min<LONG>(right, left + static_cast<LONG>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)));
    }
    POINT point{(left + right) / 2, (row.top + row.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

void press(POINT point, UINT down)
{
    Automation::injectMouse(down, point);
    Automation::deliverPending();
    Automation::injectMouse(WM_LBUTTONUP, point);
    Automation::deliverPending();
}

// A click with Ctrl held: all of it queued before any of it is handled.
void controlClick(POINT point)
{
    Automation::withModifiers(MOD_CONTROL, [point] {
        Automation::injectMouse(WM_LBUTTONDOWN, point);
        Automation::injectMouse(WM_LBUTTONUP, point);
    });
}

} // namespace

ActionResult ListViewAutomation::selectItems(HWND window, int controlId, const std::vector<int>& indexes)
{
    HWND list = nullptr;
    if (ActionResult found = findList(window, controlId, list); !found)
        return found;
    for (int index : indexes)
        if (ActionResult valid = checkIndex(list, controlId, index); !valid)
            return valid;
    if (indexes.empty()) {
        // Ctrl+click takes each selected item out of the selection.
        for (int index = -1; (index = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(index), LVNI_SELECTED))) >= 0 && IsWindow(list);)
            controlClick(itemPoint(list, index, false));
        return {};
    }
    press(itemPoint(list, indexes.front(), false), WM_LBUTTONDOWN);
    for (std::size_t i = 1; i < indexes.size() && IsWindow(list); ++i)
        if (!(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(indexes[i]), LVIS_SELECTED) & LVIS_SELECTED))
            controlClick(itemPoint(list, indexes[i], false));
    return {};
}

ActionResult ListViewAutomation::clickItem(HWND window, int controlId, int index, bool onStateImage)
{
    HWND list = nullptr;
    if (ActionResult found = findList(window, controlId, list); !found)
        return found;
    if (ActionResult valid = checkIndex(list, controlId, index); !valid)
        return valid;
    press(itemPoint(list, index, onStateImage), WM_LBUTTONDOWN);
    return {};
}

ActionResult ListViewAutomation::doubleClickItem(HWND window, int controlId, int index)
{
    HWND list = nullptr;
    if (ActionResult found = findList(window, controlId, list); !found)
        return found;
    if (ActionResult valid = checkIndex(list, controlId, index); !valid)
        return valid;
    const POINT point = itemPoint(list, index, false);
    press(point, WM_LBUTTONDOWN);
    press(point, WM_LBUTTONDBLCLK);
    return {};
}

ActionResult ListViewAutomation::restOnItem(HWND window, int controlId, int index, int column, std::wstring& tip)
{
    tip.clear();
    HWND list = nullptr;
    if (ActionResult found = findList(window, controlId, list); !found)
        return found;
    if (ActionResult valid = checkIndex(list, controlId, index); !valid)
        return valid;
    const bool report = (GetWindowLongPtrW(list, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = report ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    if (column < 0 || column >= columns)
        return fail(nameOf(controlId) + L" has no column " + std::to_wstring(column) + L" (it has " + std::to_wstring(columns) + L")");
    const auto tipWindow = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETTOOLTIPS, 0, 0));
    if (!tipWindow)
        return fail(nameOf(controlId) + L" shows no tips");
    // A tip shown before goes, so that the item is a new arrival.
    SendMessageW(tipWindow, TTM_POP, 0, 0);
    Automation::injectMouse(WM_MOUSEMOVE, cellPoint(list, index, column));
    Automation::deliverPending();
    if (Automation::runUntil([tipWindow] { return IsWindowVisible(tipWindow) != FALSE; },
                             2 * static_cast<int>(ToolTipControl::restDelayMs)))
        tip = Automation::describe(tipWindow).text;
    RECT away{};
    GetWindowRect(list, &away);
    Automation::injectMouse(WM_MOUSEMOVE, POINT{away.left, away.bottom});
    Automation::deliverPending();
    SendMessageW(tipWindow, TTM_POP, 0, 0);
    return {};
}

ActionResult ListViewAutomation::inspect(HWND window, int controlId, ListViewInfo& info)
{
    if (!IsWindow(window))
        return fail(L"no such window");
    HWND list = GetDlgItem(window, controlId);
    if (!list || !ControlSupport::isClass(list, WC_LISTVIEWW))
        return fail(list ? nameOf(controlId) + L" is no list" : L"the window has no " + nameOf(controlId));
    info = ListViewControl::inspect(list, 0, static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)));
    return {};
}
