// The "SysHeader32" class.
#include "win/HeaderControl.h"

#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowGeometry.h"

#include <algorithm>
#include <cwchar>

namespace {

// A divider is drawn in the last cell of its column, whose middle lies up to a cell's width
// before the column's edge: a press there, or up to half a cell after the edge, takes it.
constexpr int kDividerReachBefore = WindowGeometry::cellWidth;
constexpr int kDividerReachAfter = WindowGeometry::cellWidth / 2;

POINT pointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

} // namespace

const std::vector<HeaderControl::Item>* HeaderControl::itemsOf(HWND header)
{
    if (!ControlSupport::isClass(header, WC_HEADERW))
        return nullptr;
    const HeaderControl* self = ControlSupport::state<HeaderControl>(header);
    return self ? &self->m_items : nullptr;
}

LRESULT HeaderControl::insert(int index, const HDITEMW& item)
{
    Item added;
    if (item.mask & HDI_TEXT)
        added.text = item.pszText ? item.pszText : L"";
    if (item.mask & HDI_WIDTH)
        added.width = std::max(item.cxy, 0);
    if (item.mask & HDI_FORMAT)
        added.format = item.fmt;
    if (item.mask & HDI_LPARAM)
        added.param = item.lParam;
    const int at = std::clamp(index, 0, static_cast<int>(m_items.size()));
    m_items.insert(m_items.begin() + at, std::move(added));
    return at;
}

BOOL HeaderControl::get(int index, HDITEMW& item) const
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return FALSE;
    const Item& source = m_items[static_cast<std::size_t>(index)];
    if (item.mask & HDI_TEXT) {
        if (!item.pszText || item.cchTextMax <= 0)
            return FALSE;
        const std::size_t length = std::min(source.text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::wmemcpy(item.pszText, source.text.c_str(), length);
        item.pszText[length] = L'\0';
    }
    if (item.mask & HDI_WIDTH)
        item.cxy = source.width;
    if (item.mask & HDI_FORMAT)
        item.fmt = source.format;
    if (item.mask & HDI_LPARAM)
        item.lParam = source.param;
    return TRUE;
}

BOOL HeaderControl::set(HWND window, int index, const HDITEMW& item)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return FALSE;
    Item& target = m_items[static_cast<std::size_t>(index)];
    if (item.mask & HDI_TEXT)
        target.text = item.pszText ? item.pszText : L"";
    if (item.mask & HDI_WIDTH)
        target.width = std::max(item.cxy, 0);
    if (item.mask & HDI_FORMAT)
        target.format = item.fmt;
    if (item.mask & HDI_LPARAM)
        target.param = item.lParam;
    notify(window, HDN_ITEMCHANGEDW, index);
    return TRUE;
}

int HeaderControl::leftOf(int index) const
{
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += m_items[static_cast<std::size_t>(i)].width;
    return left;
}

int HeaderControl::frozenCount() const
{
    int frozen = 0;
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].format & LVCFMT_FROZEN)
            frozen = static_cast<int>(i) + 1;
    return frozen;
}

int HeaderControl::shownLeft(HWND window, int index) const
{
    if (index >= frozenCount())
        return leftOf(index);
    // The list moves its header left by the width it has scrolled.
    RECT placed{};
    GetWindowRect(window, &placed);
    POINT origin{placed.left, placed.top};
    ScreenToClient(GetParent(window), &origin);
    return leftOf(index) - origin.x;
}

HDHITTESTINFO HeaderControl::hitTest(HWND window, POINT point) const
{
    HDHITTESTINFO hit{point, HHT_NOWHERE, -1};
    const int frozen = frozenCount();
    const int frozenRight = frozen ? shownLeft(window, frozen - 1) + m_items[static_cast<std::size_t>(frozen - 1)].width : 0;
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        if (i >= frozen && point.x < frozenRight)
            break;
        const int left = shownLeft(window, i);
        const int right = left + m_items[static_cast<std::size_t>(i)].width;
        if (point.x >= right - kDividerReachBefore && point.x <= right + kDividerReachAfter) {
            hit.flags = HHT_ONDIVIDER;
            hit.iItem = i;
            return hit;
        }
        if (point.x >= left && point.x < right) {
            hit.flags = HHT_ONHEADER;
            hit.iItem = i;
        }
    }
    return hit;
}

LRESULT HeaderControl::notify(HWND window, UINT code, int index) const
{
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = index >= 0 && index < static_cast<int>(m_items.size()) ? m_items[static_cast<std::size_t>(index)].width : 0;
    NMHEADERW header{{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), code}, index, 0, &item};
    return SendMessageW(GetParent(window), WM_NOTIFY, header.hdr.idFrom, reinterpret_cast<LPARAM>(&header));
}

void HeaderControl::mouse(HWND window, UINT message, POINT point)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const HDHITTESTINFO hit = hitTest(window, point);
        // The parent may refuse the drag, as a list does for a column of fixed width.
        if (hit.flags != HHT_ONDIVIDER || notify(window, HDN_BEGINTRACKW, hit.iItem) || !IsWindow(window))
            return;
        m_tracking = hit.iItem;
        m_trackPressX = point.x;
        m_trackStartWidth = m_items[static_cast<std::size_t>(hit.iItem)].width;
        SetCapture(window);
        return;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        if (m_tracking < 0)
            return;
        const int index = m_tracking;
        m_items[static_cast<std::size_t>(index)].width = std::max<int>(m_trackStartWidth + point.x - m_trackPressX, 0);
        if (message == WM_LBUTTONUP) {
            m_tracking = -1;
            ReleaseCapture();
            notify(window, HDN_ENDTRACKW, index);
            notify(window, HDN_ITEMCHANGEDW, index);
        }
        return;
    }
    case WM_LBUTTONDBLCLK:
        if (const HDHITTESTINFO hit = hitTest(window, point); hit.flags == HHT_ONDIVIDER)
            notify(window, HDN_DIVIDERDBLCLICKW, hit.iItem);
        return;
    default:
        return;
    }
}

LRESULT CALLBACK HeaderControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    HeaderControl* self = ControlSupport::state<HeaderControl>(window);
    if (!self)
        return 0;
    const int index = static_cast<int>(wParam);
    switch (message) {
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(self->m_items.size());
    case HDM_INSERTITEMW:
        return lParam ? self->insert(index, *reinterpret_cast<const HDITEMW*>(lParam)) : -1;
    case HDM_DELETEITEM:
        if (index < 0 || index >= static_cast<int>(self->m_items.size()))
            return FALSE;
        self->m_items.erase(self->m_items.begin() + index);
        return TRUE;
    case HDM_GETITEMW:
        return lParam ? self->get(index, *reinterpret_cast<HDITEMW*>(lParam)) : FALSE;
    case HDM_SETITEMW:
        return lParam ? self->set(window, index, *reinterpret_cast<const HDITEMW*>(lParam)) : FALSE;
    case HDM_GETITEMRECT: {
        if (!lParam || index < 0 || index >= static_cast<int>(self->m_items.size()))
            return FALSE;
        RECT client{};
        GetClientRect(window, &client);
        const int left = self->shownLeft(window, index);
        *reinterpret_cast<RECT*>(lParam) = RECT{left, 0, left + self->m_items[static_cast<std::size_t>(index)].width, client.bottom};
        return TRUE;
    }
    case HDM_HITTEST: {
        if (!lParam)
            return -1;
        auto* hit = reinterpret_cast<HDHITTESTINFO*>(lParam);
        *hit = self->hitTest(window, hit->pt);
        return hit->iItem;
    }
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        self->mouse(window, message, pointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        self->m_tracking = -1;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_HEADERW, HeaderControl::windowProc, CS_DBLCLKS);

} // namespace
