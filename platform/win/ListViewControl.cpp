// The "SysListView32" class.
#include "win/ListViewControl.h"

#include "kernel/Text.h"
#include "win/ControlSupport.h"
#include "win/HeaderControl.h"
#include "win/ImageList.h"
#include "win/ToolTipControl.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowGeometry.h"
#include "win/WindowInfo.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr int kRowHeight = WindowGeometry::cellHeight;
constexpr int kWheelRows = 3;
// The list's own timer: the keyboard resting on an item.
constexpr UINT_PTR kKeyboardTipTimer = 1;

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

SIZE clientSizeOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

bool held(int key) { return GetKeyState(key) < 0; }

// The width that shows a text whole: a cell a character and a cell of margin.
int widthFor(const std::wstring& text) { return static_cast<int>(text.size() + 1) * WindowGeometry::cellWidth; }

// Dots and blanks alone (a placeholder such as " ... ...") tell nothing: a column that cuts them
// hides nothing a tip could show.
bool tellsSomething(const std::wstring& text) { return text.find_first_not_of(L" .") != std::wstring::npos; }

// The list's one tool in its tip: the whole list, its texts asked of the list.
TOOLINFOW toolOf(HWND window)
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

} // namespace

ListViewControl* ListViewControl::of(HWND window)
{
    return ControlSupport::isClass(window, WC_LISTVIEWW) ? ControlSupport::state<ListViewControl>(window) : nullptr;
}

LRESULT ListViewControl::create(HWND window)
{
    const bool showHeader = (styleOf(window) & LVS_TYPEMASK) == LVS_REPORT && !(styleOf(window) & LVS_NOCOLUMNHEADER);
    m_header = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | (showHeader ? WS_VISIBLE : 0), 0, 0,
                               clientSizeOf(window).cx, kRowHeight, window, nullptr, nullptr, nullptr);
    return 0;
}

LRESULT ListViewControl::resize(HWND window)
{
    placeHeader(window);
    scrollTo(window, m_top);
    return 0;
}

void ListViewControl::placeHeader(HWND window)
{
    const ListViewLayout shown = layout(window);
    m_firstColumn = shown.firstColumn();
    MoveWindow(m_header, -shown.scrolledWidth(), 0, clientSizeOf(window).cx + shown.scrolledWidth(), kRowHeight, TRUE);
}

void ListViewControl::scrollToColumn(HWND window, int first)
{
    const int previous = m_firstColumn;
    m_firstColumn = first;
    placeHeader(window);
    if (m_firstColumn != previous) {
        itemsMoved();
        InvalidateRect(window, nullptr, TRUE);
    }
}

void ListViewControl::destroyImageLists(HWND window) const
{
    // Without LVS_SHAREIMAGELISTS the list owns its image lists, as on Windows.
    if (!(styleOf(window) & LVS_SHAREIMAGELISTS))
        for (HIMAGELIST list : m_imageLists)
            ImageList_Destroy(list);
}

int ListViewControl::columnCount() const
{
    return std::max(static_cast<int>(SendMessageW(m_header, HDM_GETITEMCOUNT, 0, 0)), 1);
}

int ListViewControl::columnWidth(int column) const
{
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    return SendMessageW(m_header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)) ? item.cxy : 0;
}

HIMAGELIST ListViewControl::imageList(int kind) const
{
    return kind >= LVSIL_NORMAL && kind <= LVSIL_STATE ? m_imageLists[static_cast<std::size_t>(kind)] : nullptr;
}

LRESULT ListViewControl::setImageList(int kind, HIMAGELIST list)
{
    if (kind < LVSIL_NORMAL || kind > LVSIL_STATE)
        return 0;
    return reinterpret_cast<LRESULT>(std::exchange(m_imageLists[static_cast<std::size_t>(kind)], list));
}

DWORD ListViewControl::setExtendedStyle(HWND window, DWORD mask, DWORD style)
{
    const DWORD previous = m_extendedStyle;
    if (!mask)
        mask = 0xFFFFFFFF;
    m_extendedStyle = (previous & ~mask) | (style & mask);
    if (m_extendedStyle & LVS_EX_INFOTIP)
        enableInfoTips(window);
    return previous;
}

int ListViewControl::stateImageWidth() const
{
    int cx = 0;
    int cy = 0;
    return ImageList_GetIconSize(m_imageLists[LVSIL_STATE], &cx, &cy) ? cx : 0;
}

int ListViewControl::smallImageWidth() const
{
    int cx = 0;
    int cy = 0;
    return ImageList_GetIconSize(m_imageLists[LVSIL_SMALL], &cx, &cy) ? cx + WindowGeometry::cellWidth : 0;
}

int ListViewControl::textRoom(HWND window, int index, int column) const
{
    int width = layout(window).visibleWidth(column);
    const Item& item = m_items[static_cast<std::size_t>(index)];
    if (column == 0 && (item.state & LVIS_STATEIMAGEMASK))
        width -= stateImageWidth();
    if (column == 0 && item.image >= 0)
        width -= smallImageWidth();
    return width;
}

std::wstring ListViewControl::tipFor(HWND window, int index, int column) const
{
    const std::wstring& whole = text(index, column);
    const bool cut = tellsSomething(whole) && widthFor(whole) > textRoom(window, index, column);
    // As on Windows: a cut text comes whole for the parent to extend; an uncut one, empty for it to fill.
    std::vector<wchar_t> buffer(INFOTIPSIZE, L'\0');
    if (cut)
        std::wmemcpy(buffer.data(), whole.c_str(), std::min<std::size_t>(whole.size(), buffer.size() - 1));
    NMLVGETINFOTIPW request{};
    request.dwFlags = cut ? 0 : LVGIT_UNFOLDED;
    request.pszText = buffer.data();
    request.cchTextMax = static_cast<int>(buffer.size());
    request.iItem = index;
    request.iSubItem = column;
    request.lParam = m_items[static_cast<std::size_t>(index)].param;
    notify(window, LVN_GETINFOTIPW, request.hdr);
    buffer.back() = L'\0';
    return request.pszText ? std::wstring(request.pszText) : std::wstring();
}

bool ListViewControl::isReport(HWND window) const { return (styleOf(window) & LVS_TYPEMASK) == LVS_REPORT; }

int ListViewControl::headerHeight(HWND window) const { return isReport(window) && IsWindowVisible(m_header) ? kRowHeight : 0; }

ListViewLayout ListViewControl::layout(HWND window) const
{
    ListViewLayout::Shape shape;
    shape.report = isReport(window);
    shape.client = clientSizeOf(window);
    shape.headerHeight = headerHeight(window);
    if (shape.report) {
        for (int column = 0; column < columnCount(); ++column)
            shape.columnWidths.push_back(columnWidth(column));
        if (const auto* columns = HeaderControl::itemsOf(m_header))
            for (std::size_t column = 0; column < columns->size(); ++column)
                if ((*columns)[column].format & LVCFMT_FROZEN)
                    shape.frozenColumns = static_cast<int>(column) + 1;
    }
    else
        shape.listColumnWidth = listColumnWidth(window);
    shape.itemCount = static_cast<int>(m_items.size());
    return ListViewLayout(std::move(shape), m_top, m_firstColumn);
}

int ListViewControl::countPerPage(HWND window) const { return layout(window).countPerPage(); }

int ListViewControl::listColumnWidth(HWND window) const
{
    if (m_listColumnWidth > 0)
        return m_listColumnWidth;
    // Wide enough for the widest item, but never wider than the list.
    int widest = 0;
    for (int index = 0; index < static_cast<int>(m_items.size()); ++index)
        widest = std::max(widest, widthFor(text(index, 0)));
    widest += stateImageWidth() + smallImageWidth();
    return std::max<int>(std::min<int>(widest, clientSizeOf(window).cx), WindowGeometry::cellWidth);
}

const std::wstring& ListViewControl::text(int index, int column) const
{
    static const std::wstring none;
    const auto& texts = m_items[static_cast<std::size_t>(index)].texts;
    return column >= 0 && column < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(column)] : none;
}

LRESULT ListViewControl::insertColumn(HWND window, int index, const LVCOLUMNW& column)
{
    HDITEMW item{};
    item.mask = HDI_FORMAT | ((column.mask & LVCF_TEXT) ? HDI_TEXT : 0) | ((column.mask & LVCF_WIDTH) ? HDI_WIDTH : 0);
    item.pszText = column.pszText;
    item.cxy = column.cx;
    item.fmt = (column.mask & LVCF_FMT) ? column.fmt : LVCFMT_LEFT;
    const auto at = static_cast<int>(SendMessageW(m_header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    // Column 0 holds the item's own text; a column inserted before another moves its texts along.
    for (Item& listItem : m_items)
        if (at > 0 && at < static_cast<int>(listItem.texts.size()))
            listItem.texts.insert(listItem.texts.begin() + at, std::wstring());
    placeHeader(window);
    InvalidateRect(window, nullptr, TRUE);
    return at;
}

LRESULT ListViewControl::deleteColumn(HWND window, int index)
{
    const LRESULT deleted = SendMessageW(m_header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    placeHeader(window);
    return deleted;
}

BOOL ListViewControl::getColumn(int index, LVCOLUMNW& column) const
{
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_FORMAT | ((column.mask & LVCF_TEXT) ? HDI_TEXT : 0);
    item.pszText = column.pszText;
    item.cchTextMax = column.cchTextMax;
    if (!SendMessageW(m_header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return FALSE;
    column.cx = item.cxy;
    column.fmt = item.fmt;
    return TRUE;
}

LRESULT ListViewControl::insertItem(HWND window, const LVITEMW& item)
{
    if (item.iSubItem != 0)
        return -1;
    Item added;
    added.texts.resize(static_cast<std::size_t>(columnCount()));
    if ((item.mask & LVIF_TEXT) && item.pszText)
        added.texts[0] = item.pszText;
    if (item.mask & LVIF_PARAM)
        added.param = item.lParam;
    if (item.mask & LVIF_IMAGE)
        added.image = item.iImage;
    if (item.mask & LVIF_STATE)
        added.state = item.state & item.stateMask;
    int at = std::clamp(item.iItem, 0, static_cast<int>(m_items.size()));
    if (const DWORD sort = styleOf(window) & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        const std::wstring key = ToUpperWide(added.texts[0]);
        const auto place = std::find_if(m_items.begin(), m_items.end(), [&](const Item& other) {
            const std::wstring otherKey = ToUpperWide(other.texts.empty() ? std::wstring() : other.texts[0]);
            return sort == LVS_SORTASCENDING ? otherKey > key : otherKey < key;
        });
        at = static_cast<int>(place - m_items.begin());
    }
    if (added.state & LVIS_FOCUSED)
        for (Item& other : m_items)
            other.state &= ~LVIS_FOCUSED;
    m_selectedCount += selected(added.state);
    m_items.insert(m_items.begin() + at, std::move(added));
    itemsMoved();
    if (m_selectionMark >= at)
        ++m_selectionMark;
    return at;
}

BOOL ListViewControl::setItem(HWND window, const LVITEMW& item)
{
    if (!valid(item.iItem) || item.iSubItem < 0 || item.iSubItem >= columnCount())
        return FALSE;
    Item& target = m_items[static_cast<std::size_t>(item.iItem)];
    if (item.mask & LVIF_TEXT) {
        if (target.texts.size() <= static_cast<std::size_t>(item.iSubItem))
            target.texts.resize(static_cast<std::size_t>(item.iSubItem) + 1);
        target.texts[static_cast<std::size_t>(item.iSubItem)] = item.pszText ? item.pszText : L"";
    }
    if (item.iSubItem > 0)
        return TRUE;
    if (item.mask & LVIF_PARAM)
        target.param = item.lParam;
    if (item.mask & LVIF_IMAGE)
        target.image = item.iImage;
    if (item.mask & LVIF_STATE)
        changeState(window, item.iItem, item.state, item.stateMask);
    return TRUE;
}

BOOL ListViewControl::setItemText(HWND window, int index, LVITEMW item)
{
    item.iItem = index;
    item.mask = LVIF_TEXT;
    return setItem(window, item);
}

BOOL ListViewControl::getItem(LVITEMW& item) const
{
    if (!valid(item.iItem))
        return FALSE;
    const Item& source = m_items[static_cast<std::size_t>(item.iItem)];
    if (item.mask & LVIF_TEXT)
        copyText(item.iItem, item);
    if (item.mask & LVIF_PARAM)
        item.lParam = source.param;
    if (item.mask & LVIF_IMAGE)
        item.iImage = source.image;
    if (item.mask & LVIF_STATE)
        item.state = source.state & item.stateMask;
    return TRUE;
}

LRESULT ListViewControl::copyText(int index, LVITEMW& item) const
{
    if (!valid(index) || !item.pszText || item.cchTextMax <= 0)
        return 0;
    const std::wstring& source = text(index, item.iSubItem);
    const std::size_t length = std::min(source.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::wmemcpy(item.pszText, source.c_str(), length);
    item.pszText[length] = L'\0';
    return static_cast<LRESULT>(length);
}

void ListViewControl::changeState(HWND window, int index, UINT state, UINT mask)
{
    if (!valid(index))
        return;
    const UINT oldState = m_items[static_cast<std::size_t>(index)].state;
    const UINT newState = (oldState & ~mask) | (state & mask);
    if (newState == oldState)
        return;
    // One item has the focus, and a single-selection list has one selected item. Only a change
    // that takes either from the others walks them: a state image alone costs nothing per item.
    UINT clear = newState & ~oldState & LVIS_FOCUSED;
    if (styleOf(window) & LVS_SINGLESEL)
        clear |= newState & ~oldState & LVIS_SELECTED;
    for (int other = 0; clear && other < static_cast<int>(m_items.size()); ++other) {
        if (other != index && (m_items[static_cast<std::size_t>(other)].state & clear))
            changeState(window, other, 0, clear);
        if (!valid(index))
            return;
    }
    m_items[static_cast<std::size_t>(index)].state = newState;
    m_selectedCount += selected(newState) - selected(oldState);
    NMLISTVIEW change{};
    change.iItem = index;
    change.uNewState = newState;
    change.uOldState = oldState;
    change.uChanged = LVIF_STATE;
    change.lParam = m_items[static_cast<std::size_t>(index)].param;
    notify(window, LVN_ITEMCHANGED, change.hdr);
}

BOOL ListViewControl::setItemState(HWND window, int index, const LVITEMW& item)
{
    if (index == -1) {
        for (int each = 0; each < static_cast<int>(m_items.size()); ++each)
            changeState(window, each, item.state, item.stateMask);
        return TRUE;
    }
    if (!valid(index))
        return FALSE;
    changeState(window, index, item.state, item.stateMask);
    return TRUE;
}

LRESULT ListViewControl::itemState(int index, UINT mask) const
{
    return valid(index) ? static_cast<LRESULT>(m_items[static_cast<std::size_t>(index)].state & mask) : 0;
}

BOOL ListViewControl::deleteItem(HWND window, int index)
{
    if (!valid(index))
        return FALSE;
    m_selectedCount -= selected(m_items[static_cast<std::size_t>(index)].state);
    m_items.erase(m_items.begin() + index);
    itemsMoved();
    if (m_selectionMark == index)
        m_selectionMark = -1;
    else if (m_selectionMark > index)
        --m_selectionMark;
    scrollTo(window, m_top);
    return TRUE;
}

BOOL ListViewControl::deleteAllItems()
{
    m_items.clear();
    m_selectedCount = 0;
    m_selectionMark = -1;
    m_top = 0;
    itemsMoved();
    return TRUE;
}

LRESULT ListViewControl::selectedCount() const
{
    return m_selectedCount;
}

LRESULT ListViewControl::nextItem(int start, UINT flags) const
{
    for (int index = std::max(start + 1, 0); index < static_cast<int>(m_items.size()); ++index) {
        const UINT state = m_items[static_cast<std::size_t>(index)].state;
        if ((flags & LVNI_SELECTED) && !(state & LVIS_SELECTED))
            continue;
        if ((flags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED))
            continue;
        return index;
    }
    return -1;
}

BOOL ListViewControl::setColumnWidth(HWND window, int column, int width)
{
    // In list mode one width is every column's; fitting it goes back to the widest item's.
    if (!isReport(window)) {
        m_listColumnWidth = width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER ? 0 : std::max(width, 0);
        scrollTo(window, m_top);
        return TRUE;
    }
    if (column < 0 || column >= static_cast<int>(SendMessageW(m_header, HDM_GETITEMCOUNT, 0, 0)))
        return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int fitted = 0;
        for (int index = 0; index < static_cast<int>(m_items.size()); ++index)
            fitted = std::max(fitted, widthFor(text(index, column)));
        if (column == 0)
            fitted += stateImageWidth();
        if (width == LVSCW_AUTOSIZE_USEHEADER)
            fitted = std::max(fitted, widthFor(HeaderControl::itemsOf(m_header)->at(static_cast<std::size_t>(column)).text));
        width = fitted;
    }
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    return static_cast<BOOL>(SendMessageW(m_header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)));
}

LVHITTESTINFO ListViewControl::hitTest(HWND window, POINT point, bool subItems) const
{
    LVHITTESTINFO hit{point, LVHT_NOWHERE, -1, 0, 0};
    if (point.y < 0) {
        hit.flags = LVHT_ABOVE;
        return hit;
    }
    const auto cell = layout(window).cellAt(point);
    // Without full-row selection only column 0 is the item, unless sub-items are asked for.
    if (!cell || !valid(cell->index) || (cell->column > 0 && !subItems && !(m_extendedStyle & LVS_EX_FULLROWSELECT)))
        return hit;
    hit.iItem = cell->index;
    hit.iSubItem = subItems ? cell->column : 0;
    const bool hasStateImage = (m_items[static_cast<std::size_t>(cell->index)].state & LVIS_STATEIMAGEMASK) != 0;
    const bool onStateImage = cell->column == 0 && hasStateImage && cell->xInColumn < stateImageWidth();
    hit.flags = onStateImage ? LVHT_ONITEMSTATEICON : LVHT_ONITEMLABEL;
    return hit;
}

LRESULT ListViewControl::fillHitTest(HWND window, LVHITTESTINFO& hit, bool subItems) const
{
    hit = hitTest(window, hit.pt, subItems);
    return hit.iItem;
}

BOOL ListViewControl::itemRect(HWND window, int index, RECT& rect) const
{
    if (!valid(index))
        return FALSE;
    rect = layout(window).itemRect(index);
    return TRUE;
}

void ListViewControl::scrollTo(HWND window, int top)
{
    const int previous = m_top;
    m_top = layout(window).topFor(top);
    if (m_top != previous)
        itemsMoved();
}

void ListViewControl::itemsMoved()
{
    m_pressedItem.reset();
    if (m_tip.tip() && IsWindowVisible(m_tip.tip()))
        m_tip.pop();
}

BOOL ListViewControl::ensureVisible(HWND window, int index)
{
    if (!valid(index))
        return FALSE;
    scrollTo(window, layout(window).topShowing(index));
    return TRUE;
}

BOOL ListViewControl::scroll(HWND window, int dx, int dy)
{
    if (isReport(window)) {
        scrollToColumn(window, layout(window).firstColumnAfter(dx));
        scrollTo(window, m_top + dy / kRowHeight);
    } else
        scrollTo(window, m_top + dx / listColumnWidth(window) * layout(window).itemsPerStep());
    return TRUE;
}

LRESULT ListViewControl::wheel(HWND window, int delta)
{
    // Three rows a notch in report mode, a column in list mode.
    scrollTo(window, m_top - delta * (isReport(window) ? kWheelRows : layout(window).itemsPerStep()) / WHEEL_DELTA);
    return 0;
}

void ListViewControl::selectByUser(HWND window, int index, bool control, bool shift)
{
    if (styleOf(window) & LVS_SINGLESEL)
        control = shift = false;
    if (shift) {
        const int anchor = valid(m_selectionMark) ? m_selectionMark : index;
        const int low = std::min(anchor, index);
        const int high = std::max(anchor, index);
        for (int other = 0; other < static_cast<int>(m_items.size()); ++other)
            if (other >= low && other <= high)
                changeState(window, other, LVIS_SELECTED, LVIS_SELECTED);
            else if (!control)
                changeState(window, other, 0, LVIS_SELECTED);
        m_selectionMark = anchor;
    } else if (control) {
        if (valid(index))
            changeState(window, index, m_items[static_cast<std::size_t>(index)].state ^ LVIS_SELECTED, LVIS_SELECTED);
        m_selectionMark = index;
    } else {
        for (int other = 0; other < static_cast<int>(m_items.size()); ++other)
            if (other != index)
                changeState(window, other, 0, LVIS_SELECTED);
        changeState(window, index, LVIS_SELECTED, LVIS_SELECTED);
        m_selectionMark = index;
    }
    changeState(window, index, LVIS_FOCUSED, LVIS_FOCUSED);
    ensureVisible(window, index);
}

LRESULT ListViewControl::keyDown(HWND window, WPARAM key)
{
    // Shift or Ctrl pressed for a click moves nothing: no tip is to show under the focused
    // item and cover the one about to be clicked.
    const bool modifier = key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
    if (!modifier)
        m_tip.pop();
    actOnKey(window, key);
    if (!modifier && IsWindow(window) && showsInfoTips())
        SetTimer(window, kKeyboardTipTimer, ToolTipControl::restDelayMs, nullptr);
    return 0;
}

LRESULT ListViewControl::timer(HWND window, UINT_PTR id)
{
    if (id != kKeyboardTipTimer)
        return 0;
    KillTimer(window, kKeyboardTipTimer);
    if (m_tip.tip())
        showKeyboardTip(window);
    return 0;
}

LRESULT ListViewControl::focusChanged(HWND window, bool gained)
{
    if (!gained) {
        KillTimer(window, kKeyboardTipTimer);
        m_tip.pop();
    }
    NMHDR header{};
    notify(window, gained ? NM_SETFOCUS : NM_KILLFOCUS, header);
    return 0;
}

void ListViewControl::actOnKey(HWND window, WPARAM key)
{
    NMLVKEYDOWN keyDown{};
    keyDown.wVKey = static_cast<WORD>(key);
    notify(window, LVN_KEYDOWN, keyDown.hdr);
    if (!IsWindow(window) || m_items.empty())
        return;
    const int count = static_cast<int>(m_items.size());
    const auto focus = static_cast<int>(nextItem(-1, LVNI_FOCUSED));
    const int page = std::max(countPerPage(window) - 1, 1);
    int target = focus;
    // Without a focused item the first arrow key focuses the first item in view.
    switch (key) {
    case VK_UP: target = focus < 0 ? m_top : focus - 1; break;
    case VK_DOWN: target = focus < 0 ? m_top : focus + 1; break;
    case VK_PRIOR: target = focus - page; break;
    case VK_NEXT: target = focus < 0 ? page : focus + page; break;
    case VK_LEFT:
    case VK_RIGHT:
        // A report scrolls sideways a column; in list mode the item beside is a column's worth
        // of items back or on.
        if (isReport(window)) {
            scrollToColumn(window, m_firstColumn + (key == VK_LEFT ? -1 : 1));
            return;
        }
        target = focus < 0 ? m_top : focus + (key == VK_LEFT ? -1 : 1) * layout(window).rowsPerColumn();
        break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_SPACE:
        if (focus >= 0)
            selectByUser(window, focus, held(VK_CONTROL), false);
        return;
    case VK_RETURN: {
        NMHDR header{};
        notify(window, NM_RETURN, header);
        return;
    }
    default:
        return;
    }
    target = std::clamp(target, 0, count - 1);
    if (held(VK_CONTROL) && !held(VK_SHIFT)) {
        // Ctrl moves the focus alone, so that Ctrl+Space can add items here and there.
        changeState(window, target, LVIS_FOCUSED, LVIS_FOCUSED);
        ensureVisible(window, target);
        return;
    }
    selectByUser(window, target, false, held(VK_SHIFT));
}

LRESULT ListViewControl::mouse(HWND window, UINT message, WPARAM wParam, POINT point)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (GetFocus() != window)
            SetFocus(window);
        const LVHITTESTINFO hit = hitTest(window, point, false);
        const bool control = wParam & MK_CONTROL;
        const bool shift = wParam & MK_SHIFT;
        // A double click is two presses on one item: when the items moved in between (scrolled,
        // refilled) or the mouse is on another one, the second press is a click of its own.
        const bool secondOfDouble = message == WM_LBUTTONDBLCLK && m_pressedItem == hit.iItem;
        if (hit.iItem >= 0)
            selectByUser(window, hit.iItem, control, shift);
        else if (!control && !shift)
            for (int each = 0; each < static_cast<int>(m_items.size()); ++each)
                changeState(window, each, 0, LVIS_SELECTED);
        if (!IsWindow(window))
            return 0;
        m_pressedItem = hit.iItem;
        if (secondOfDouble) {
            notifyActivate(window, NM_DBLCLK, hitTest(window, point, true));
            return 0;
        }
        m_pressed = true;
        SetCapture(window);
        return 0;
    }
    case WM_LBUTTONUP:
        if (!m_pressed)
            return 0;
        m_pressed = false;
        ReleaseCapture();
        notifyActivate(window, NM_CLICK, hitTest(window, point, true));
        return 0;
    default:
        return 0;
    }
}

LRESULT ListViewControl::captureChanged()
{
    m_pressed = false;
    return 0;
}

LRESULT ListViewControl::notify(HWND window, UINT code, NMHDR& header) const
{
    header.hwndFrom = window;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    header.code = code;
    const HWND parent = GetParent(window);
    return parent ? SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)) : 0;
}

void ListViewControl::notifyActivate(HWND window, UINT code, const LVHITTESTINFO& hit) const
{
    NMITEMACTIVATE activate{};
    activate.iItem = hit.iItem;
    activate.iSubItem = hit.iSubItem;
    activate.ptAction = hit.pt;
    if (valid(hit.iItem))
        activate.lParam = m_items[static_cast<std::size_t>(hit.iItem)].param;
    activate.uKeyFlags = (held(VK_SHIFT) ? 0x4u : 0u) | (held(VK_CONTROL) ? 0x1u : 0u);
    notify(window, code, activate.hdr);
}

LRESULT ListViewControl::childNotify(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        request && m_tip.tip() && request->hdr.hwndFrom == m_tip.tip() && request->hdr.code == TTN_GETDISPINFOW) {
        answerTip(window, *request);
        return 0;
    }
    // The header's notifications go on to the list's parent, as on Windows; a double click on a
    // divider then fits the column unless the parent answered otherwise.
    const auto* header = reinterpret_cast<const NMHEADERW*>(lParam);
    if (!header || header->hdr.hwndFrom != m_header)
        return 0;
    const HWND parent = GetParent(window);
    const LRESULT answer = parent ? SendMessageW(parent, WM_NOTIFY, wParam, lParam) : 0;
    if (header->hdr.code == HDN_DIVIDERDBLCLICKW && !answer && IsWindow(window))
        setColumnWidth(window, header->iItem, LVSCW_AUTOSIZE);
    // A column's new width may leave less to scroll.
    if (header->hdr.code == HDN_ITEMCHANGEDW && IsWindow(window))
        placeHeader(window);
    return answer;
}

bool ListViewControl::showsInfoTips() const { return m_tip.tip() && (m_extendedStyle & LVS_EX_INFOTIP); }

void ListViewControl::enableInfoTips(HWND window)
{
    if (m_tip.tip())
        return;
    m_tip.create(window);
    TOOLINFOW tool = toolOf(window);
    SendMessageW(m_tip.tip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ListViewControl::relayToTip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!showsInfoTips() || message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return;
    if (message == WM_MOUSEMOVE) {
        const LVHITTESTINFO hit = hitTest(window, pointOf(lParam), true);
        const std::pair<int, int> cell{hit.iItem, hit.iSubItem};
        if (cell != m_tipCell)
            m_tip.pop();
        m_tipCell = cell;
    }
    m_tip.relay(window, message, wParam, lParam);
}

void ListViewControl::answerTip(HWND window, NMTTDISPINFOW& request)
{
    m_tipText.clear();
    if (m_keyboardTipItem >= 0) {
        // The keyboard has no column: every text of the item that is cut, in the columns' order.
        for (int column = 0; column < columnCount() && valid(m_keyboardTipItem); ++column)
            if (const std::wstring tip = tipFor(window, m_keyboardTipItem, column); !tip.empty())
                m_tipText += (m_tipText.empty() ? L"" : L" | ") + tip;
    } else {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        const LVHITTESTINFO hit = hitTest(window, cursor, true);
        if (valid(hit.iItem))
            m_tipText = tipFor(window, hit.iItem, hit.iSubItem);
    }
    request.lpszText = m_tipText.data();
}

void ListViewControl::showKeyboardTip(HWND window)
{
    const auto focused = static_cast<int>(nextItem(-1, LVNI_FOCUSED));
    // Not when the keys have gone elsewhere meanwhile, such as to a dialog the key opened.
    if (focused < 0 || GetFocus() != window)
        return;
    TOOLINFOW tool = toolOf(window);
    SendMessageW(window, LVM_GETITEMRECT, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&tool.rect));
    // A row scrolled sideways begins left of the list; its tip stays under the part in view.
    tool.rect.left = std::max<LONG>(tool.rect.left, 0);
    SendMessageW(m_tip.tip(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    m_keyboardTipItem = focused;
    SendMessageW(m_tip.tip(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_keyboardTipItem = -1;
}

std::vector<std::vector<ListViewControl::CellColors>> ListViewControl::paintColors(HWND window, int first, int count) const
{
    std::vector<std::vector<CellColors>> colors;
    const int columns = columnCount();
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdc = GetDC(window);
    draw.nmcd.dwDrawStage = CDDS_PREPAINT;
    const LRESULT wanted = notify(window, NM_CUSTOMDRAW, draw.nmcd.hdr);
    for (int index = first; index < first + count && valid(index) && IsWindow(window); ++index) {
        std::vector<CellColors> row(static_cast<std::size_t>(columns));
        if (wanted & CDRF_NOTIFYITEMDRAW) {
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
            draw.nmcd.uItemState = m_items[static_cast<std::size_t>(index)].state;
            draw.nmcd.lItemlParam = m_items[static_cast<std::size_t>(index)].param;
            draw.clrText = CLR_DEFAULT;
            draw.clrTextBk = CLR_DEFAULT;
            draw.iSubItem = 0;
            const LRESULT itemWanted = notify(window, NM_CUSTOMDRAW, draw.nmcd.hdr);
            const CellColors itemColors{draw.clrText, draw.clrTextBk};
            for (int column = 0; column < columns; ++column) {
                CellColors& cell = row[static_cast<std::size_t>(column)];
                cell = itemColors;
                if (!(itemWanted & CDRF_NOTIFYSUBITEMDRAW) || !valid(index))
                    continue;
                draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
                draw.iSubItem = column;
                draw.clrText = itemColors.text;
                draw.clrTextBk = itemColors.background;
                notify(window, NM_CUSTOMDRAW, draw.nmcd.hdr);
                cell = CellColors{draw.clrText, draw.clrTextBk};
            }
        }
        colors.push_back(std::move(row));
    }
    ReleaseDC(window, draw.nmcd.hdc);
    return colors;
}

ListViewInfo ListViewControl::inspect(HWND window, int first, int count)
{
    ListViewInfo info;
    ListViewControl* self = of(window);
    if (!self)
        return info;
    info.report = self->isReport(window);
    info.showHeader = self->headerHeight(window) > 0;
    info.extendedStyle = self->m_extendedStyle;
    info.topIndex = self->m_top;
    const ListViewLayout shown = self->layout(window);
    info.firstColumn = shown.firstColumn();
    info.frozenColumns = shown.frozenColumns();
    info.scrolledWidth = shown.scrolledWidth();
    info.countPerPage = self->countPerPage(window);
    if (!info.report) {
        info.rowsPerColumn = self->layout(window).rowsPerColumn();
        info.listColumnWidth = self->listColumnWidth(window);
    }
    info.stateImageWidth = self->stateImageWidth();
    // As on Windows, the leftmost column is left-aligned whatever format it was given.
    if (const auto* columns = HeaderControl::itemsOf(self->m_header))
        for (const HeaderControl::Item& column : *columns)
            info.columns.push_back(ListColumnInfo{column.text, column.width,
                                                  info.columns.empty() ? LVCFMT_LEFT : column.format & LVCFMT_JUSTIFYMASK});
    const auto imagesOf = [self](int kind) {
        std::vector<ListImageInfo> shown;
        if (const IMAGELIST* images = IMAGELIST::find(self->m_imageLists[static_cast<std::size_t>(kind)]))
            for (const BitmapTile& image : images->images)
                shown.push_back(ListImageInfo{image.glyph, image.color, image.background, images->isTransparent(image)});
        return shown;
    };
    info.stateImages = imagesOf(LVSIL_STATE);
    info.smallImages = imagesOf(LVSIL_SMALL);
    const int columnCount = self->columnCount();
    for (int index = 0; index < static_cast<int>(self->m_items.size()); ++index) {
        const Item& item = self->m_items[static_cast<std::size_t>(index)];
        ListItemInfo shown;
        shown.stateImage = static_cast<int>((item.state & LVIS_STATEIMAGEMASK) >> 12);
        shown.image = item.image;
        shown.selected = item.state & LVIS_SELECTED;
        shown.focused = item.state & LVIS_FOCUSED;
        for (int column = 0; column < columnCount; ++column)
            shown.cells.push_back(ListCellInfo{self->text(index, column)});
        info.items.push_back(std::move(shown));
    }
    // Painting may run the parent's code, which may change the list: colours come last.
    const auto colors = self->paintColors(window, first, count);
    for (std::size_t row = 0; row < colors.size() && first + row < info.items.size(); ++row)
        for (std::size_t column = 0; column < colors[row].size() && column < info.items[first + row].cells.size(); ++column) {
            info.items[first + row].cells[column].textColor = colors[row][column].text;
            info.items[first + row].cells[column].backgroundColor = colors[row][column].background;
        }
    return info;
}

void ListViewControl::describe(HWND window, WindowInfo& info, bool inView)
{
    info.listView = inView ? inspect(window, m_top, countPerPage(window)) : inspect(window, 0, static_cast<int>(m_items.size()));
}

namespace {

LRESULT dialogCode(const MSG* keyMessage)
{
    // Enter on the list is the list's (NM_RETURN) rather than the default button's.
    const bool enter = keyMessage && keyMessage->message == WM_KEYDOWN && keyMessage->wParam == VK_RETURN;
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
}

template <typename Record> Record* recordOf(LPARAM lParam) { return reinterpret_cast<Record*>(lParam); }

} // namespace

LRESULT CALLBACK ListViewControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    ListViewControl* self = ControlSupport::state<ListViewControl>(window);
    if (!self)
        return 0;
    self->relayToTip(window, message, wParam, lParam);
    const int index = static_cast<int>(wParam);
    switch (message) {
    case WM_CREATE:
        return self->create(window);
    case WM_DESTROY:
        self->m_tip.destroy();
        break;
    case WM_SIZE:
        return self->resize(window);
    case WM_NCDESTROY:
        self->destroyImageLists(window);
        break;
    case WM_GETDLGCODE:
        return dialogCode(recordOf<const MSG>(lParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return self->focusChanged(window, message == WM_SETFOCUS);
    case WM_KEYDOWN:
        return self->keyDown(window, wParam);
    case WM_TIMER:
        return self->timer(window, wParam);
    case WM_CHAR:
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return self->mouse(window, message, wParam, pointOf(lParam));
    case WM_CAPTURECHANGED:
        return self->captureChanged();
    case WM_MOUSEWHEEL:
        return self->wheel(window, GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_NOTIFY:
        return self->childNotify(window, wParam, lParam);
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(self->m_header);
    case LVM_INSERTCOLUMNW:
        return lParam ? self->insertColumn(window, index, *recordOf<const LVCOLUMNW>(lParam)) : -1;
    case LVM_DELETECOLUMN:
        return self->deleteColumn(window, index);
    case LVM_GETCOLUMNW:
        return lParam ? self->getColumn(index, *recordOf<LVCOLUMNW>(lParam)) : FALSE;
    case LVM_GETCOLUMNWIDTH:
        return self->isReport(window) ? self->columnWidth(index) : self->listColumnWidth(window);
    case LVM_SETCOLUMNWIDTH:
        return self->setColumnWidth(window, index, static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_SETIMAGELIST:
        return self->setImageList(index, reinterpret_cast<HIMAGELIST>(lParam));
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(self->imageList(index));
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return self->setExtendedStyle(window, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return self->m_extendedStyle;
    case LVM_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(self->m_tip.tip());
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(self->m_items.size());
    case LVM_INSERTITEMW:
        return lParam ? self->insertItem(window, *recordOf<const LVITEMW>(lParam)) : -1;
    case LVM_SETITEMW:
        return lParam ? self->setItem(window, *recordOf<const LVITEMW>(lParam)) : FALSE;
    case LVM_GETITEMW:
        return lParam ? self->getItem(*recordOf<LVITEMW>(lParam)) : FALSE;
    case LVM_SETITEMTEXTW:
        return lParam ? self->setItemText(window, index, *recordOf<const LVITEMW>(lParam)) : FALSE;
    case LVM_GETITEMTEXTW:
        return lParam ? self->copyText(index, *recordOf<LVITEMW>(lParam)) : 0;
    case LVM_SETITEMSTATE:
        return lParam ? self->setItemState(window, index, *recordOf<const LVITEMW>(lParam)) : FALSE;
    case LVM_GETITEMSTATE:
        return self->itemState(index, static_cast<UINT>(lParam));
    case LVM_DELETEITEM:
        return self->deleteItem(window, index);
    case LVM_DELETEALLITEMS:
        return self->deleteAllItems();
    case LVM_GETNEXTITEM:
        return self->nextItem(index, LOWORD(static_cast<std::uintptr_t>(lParam)));
    case LVM_GETSELECTEDCOUNT:
        return self->selectedCount();
    case LVM_GETSELECTIONMARK:
        return self->m_selectionMark;
    case LVM_SETSELECTIONMARK:
        return std::exchange(self->m_selectionMark, static_cast<int>(lParam));
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
        return lParam ? self->fillHitTest(window, *recordOf<LVHITTESTINFO>(lParam), message == LVM_SUBITEMHITTEST) : -1;
    case LVM_GETITEMRECT:
        return lParam ? self->itemRect(window, index, *recordOf<RECT>(lParam)) : FALSE;
    case LVM_ENSUREVISIBLE:
        return self->ensureVisible(window, index);
    case LVM_SCROLL:
        return self->scroll(window, static_cast<int>(wParam), static_cast<int>(lParam));
    case LVM_GETTOPINDEX:
        return self->m_top;
    case LVM_GETCOUNTPERPAGE:
        return self->countPerPage(window);
    case LVM_REDRAWITEMS:
        return InvalidateRect(window, nullptr, TRUE);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_LISTVIEWW, ListViewControl::windowProc, CS_DBLCLKS);

} // namespace
