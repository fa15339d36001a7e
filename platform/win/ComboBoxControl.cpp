// The "ComboBox" class.
#include "win/ComboBoxControl.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowGeometry.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

constexpr int rowHeight = WindowGeometry::cellHeight;
// Typing within this pause continues a prefix; after it a new search starts.
constexpr std::int64_t typingPauseMs = 1000;

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

std::wstring withCase(HWND window, std::wstring text)
{
    if (styleOf(window) & CBS_UPPERCASE)
        return ToUpperWide(text);
    if (styleOf(window) & CBS_LOWERCASE)
        return ToLowerWide(text);
    return text;
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

} // namespace

void ComboBoxControl::create(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    // The template's height covers the open list; the window itself is the selection field.
    m_listHeight = std::max<int>(client.bottom - rowHeight, rowHeight);
    SetWindowPos(window, nullptr, 0, 0, client.right, rowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const DWORD type = styleOf(window) & 0x3;
    if (type != CBS_DROPDOWN && type != CBS_SIMPLE)
        return;
    DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
    if (styleOf(window) & CBS_UPPERCASE)
        editStyle |= ES_UPPERCASE;
    if (styleOf(window) & CBS_LOWERCASE)
        editStyle |= ES_LOWERCASE;
    m_edit = CreateWindowExW(0, WC_EDITW, ControlSupport::text(window).c_str(), editStyle, 0, 0,
                             std::max<int>(client.right - WindowGeometry::cellWidth, 0), rowHeight, window,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(editId)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)), nullptr);
}

int ComboBoxControl::visibleRows() const
{
    const int rows = std::max(1, m_listHeight / rowHeight);
    return std::max(1, std::min(rows, static_cast<int>(m_items.size())));
}

RECT ComboBoxControl::listRect(HWND window) const
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return RECT{rect.left, rect.bottom, rect.right, rect.bottom + visibleRows() * rowHeight};
}

int ComboBoxControl::find(std::wstring_view text, int after, bool exact) const
{
    const int count = static_cast<int>(m_items.size());
    const int start = after < 0 || after >= count ? 0 : after + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        const std::wstring& item = m_items[static_cast<std::size_t>(index)].text;
        if (exact ? EqualsNoCase(item, text) : startsWithNoCase(item, text))
            return index;
    }
    return static_cast<int>(CB_ERR);
}

void ComboBoxControl::select(HWND window, int index, bool notify)
{
    const int count = static_cast<int>(m_items.size());
    m_selection = index >= 0 && index < count ? index : -1;
    const std::wstring text = m_selection >= 0 ? m_items[static_cast<std::size_t>(m_selection)].text : std::wstring();
    if (m_edit) {
        m_settingEditText = true;
        SetWindowTextW(m_edit, text.c_str());
        m_settingEditText = false;
        SendMessageW(m_edit, EM_SETSEL, 0, -1);
    } else {
        ControlSupport::storeText(window, text);
    }
    if (m_selection >= 0) {
        m_topIndex = std::min(m_topIndex, m_selection);
        m_topIndex = std::max(m_topIndex, m_selection - visibleRows() + 1);
    }
    if (notify)
        ControlSupport::notify(window, CBN_SELCHANGE);
}

LRESULT ComboBoxControl::insert(HWND window, int index, std::wstring text)
{
    text = withCase(window, std::move(text));
    const int count = static_cast<int>(m_items.size());
    if (index == -1)
        index = count;
    if (index < 0 || index > count)
        return CB_ERR;
    m_items.insert(m_items.begin() + index, Item{std::move(text), 0});
    if (m_selection >= index)
        ++m_selection;
    return index;
}

void ComboBoxControl::showDropDown(HWND window, bool show)
{
    if (show == m_dropped)
        return;
    if (show) {
        ControlSupport::notify(window, CBN_DROPDOWN);
        if (!IsWindow(window))
            return;
        m_dropped = true;
        SetCapture(window);
        return;
    }
    m_dropped = false;
    if (GetCapture() == window)
        ReleaseCapture();
    ControlSupport::notify(window, CBN_CLOSEUP);
}

void ComboBoxControl::typePrefix(HWND window, wchar_t character)
{
    const std::int64_t now = Clock::nowMs();
    if (now - m_lastTypedMs > typingPauseMs)
        m_typed.clear();
    m_lastTypedMs = now;
    m_typed += character;
    // The same letter again steps through the entries that begin with it.
    const bool repeated = std::all_of(m_typed.begin(), m_typed.end(), [&](wchar_t typed) { return typed == character; });
    const int index = repeated ? find(std::wstring(1, character), m_selection, false) : find(m_typed, -1, false);
    if (index >= 0 && index != m_selection)
        select(window, index, true);
}

void ComboBoxControl::moveSelection(HWND window, int delta)
{
    if (m_items.empty())
        return;
    const int last = static_cast<int>(m_items.size()) - 1;
    const int index = m_selection < 0 ? (delta > 0 ? 0 : last) : std::clamp(m_selection + delta, 0, last);
    if (index != m_selection)
        select(window, index, true);
}

void ComboBoxControl::clickWhileDropped(HWND window, POINT point)
{
    RECT client{};
    GetClientRect(window, &client);
    const RECT list{0, client.bottom, client.right, client.bottom + visibleRows() * rowHeight};
    if (PtInRect(&list, point)) {
        const int index = m_topIndex + (point.y - client.bottom) / rowHeight;
        if (index < static_cast<int>(m_items.size()) && index != m_selection)
            select(window, index, true);
    }
    if (IsWindow(window))
        showDropDown(window, false);
}

void ComboBoxControl::focusEntered(HWND window)
{
    if (m_hasFocus)
        return;
    m_hasFocus = true;
    ControlSupport::notify(window, CBN_SETFOCUS);
}

void ComboBoxControl::focusLeft(HWND window)
{
    showDropDown(window, false);
    if (!m_hasFocus || !IsWindow(window))
        return;
    m_hasFocus = false;
    ControlSupport::notify(window, CBN_KILLFOCUS);
}

void ComboBoxControl::editNotified(HWND window, WORD code)
{
    switch (code) {
    case EN_SETFOCUS:
        focusEntered(window);
        break;
    case EN_KILLFOCUS:
        if (GetFocus() != window)
            focusLeft(window);
        break;
    case EN_CHANGE:
        if (m_settingEditText)
            break;
        // The typed text selects the entry it names exactly, or none.
        m_selection = find(ControlSupport::text(m_edit), -1, true);
        ControlSupport::notify(window, CBN_EDITUPDATE);
        if (IsWindow(window))
            ControlSupport::notify(window, CBN_EDITCHANGE);
        break;
    default:
        break;
    }
}

LRESULT ComboBoxControl::handleItems(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int count = static_cast<int>(m_items.size());
    const int index = static_cast<int>(wParam);
    const bool valid = index >= 0 && index < count;
    const auto text = [lParam] { return std::wstring(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L""); };
    switch (message) {
    case CB_ADDSTRING: {
        if (!(styleOf(window) & CBS_SORT))
            return insert(window, -1, text());
        const std::wstring added = ToUpperWide(withCase(window, text()));
        const auto after = std::find_if(m_items.begin(), m_items.end(), [&](const Item& item) { return ToUpperWide(item.text) > added; });
        return insert(window, static_cast<int>(after - m_items.begin()), text());
    }
    case CB_INSERTSTRING:
        return insert(window, index, text());
    case CB_DELETESTRING:
        if (!valid)
            return CB_ERR;
        m_items.erase(m_items.begin() + index);
        if (index == m_selection)
            select(window, -1, false);
        else if (index < m_selection)
            --m_selection;
        return static_cast<LRESULT>(m_items.size());
    case CB_RESETCONTENT:
        // An emptied box shows nothing, typed text included, as a text left in the edit would
        // still be read as the box's value.
        m_items.clear();
        m_topIndex = 0;
        select(window, -1, false);
        return CB_OKAY;
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return m_selection;
    case CB_SETCURSEL:
        select(window, valid ? index : -1, false);
        return valid ? index : CB_ERR;
    case CB_GETLBTEXT: {
        if (!valid || !lParam)
            return CB_ERR;
        const std::wstring& item = m_items[static_cast<std::size_t>(index)].text;
        std::wmemcpy(reinterpret_cast<LPWSTR>(lParam), item.c_str(), item.size() + 1);
        return static_cast<LRESULT>(item.size());
    }
    case CB_GETLBTEXTLEN:
        return valid ? static_cast<LRESULT>(m_items[static_cast<std::size_t>(index)].text.size()) : CB_ERR;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return find(text(), index, message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        const int found = find(text(), index, false);
        if (found >= 0)
            select(window, found, false);
        return found;
    }
    case CB_SETITEMDATA:
        if (!valid)
            return CB_ERR;
        m_items[static_cast<std::size_t>(index)].data = lParam;
        return TRUE;
    case CB_GETITEMDATA:
        return valid ? m_items[static_cast<std::size_t>(index)].data : CB_ERR;
    case CB_SHOWDROPDOWN:
        showDropDown(window, wParam != 0);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return m_dropped;
    case CB_GETTOPINDEX:
        return m_topIndex;
    case CB_SETTOPINDEX:
        if (!valid)
            return CB_ERR;
        m_topIndex = std::min(index, std::max(0, count - visibleRows()));
        return CB_OKAY;
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = listRect(window);
        return TRUE;
    case CB_LIMITTEXT:
        return m_edit ? (SendMessageW(m_edit, EM_LIMITTEXT, wParam, 0), TRUE) : CB_ERR;
    case CB_GETEDITSEL:
        return m_edit ? SendMessageW(m_edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (!m_edit)
            return CB_ERR;
        SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)))),
                     static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam))));
        return TRUE;
    default:
        return CB_ERR;
    }
}

LRESULT CALLBACK ComboBoxControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ComboBoxControl* self = ControlSupport::state<ComboBoxControl>(window);
    if (!self)
        return 0;
    if (message == WM_SETFONT && self->m_edit)
        SendMessageW(self->m_edit, WM_SETFONT, wParam, lParam);
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    if (message >= CB_GETEDITSEL && message <= CB_SETTOPINDEX)
        return self->handleItems(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        self->create(window);
        return 0;
    case WM_GETDLGCODE: {
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        const bool closes = self->m_dropped && keyMessage && keyMessage->message == WM_KEYDOWN &&
                            (keyMessage->wParam == VK_RETURN || keyMessage->wParam == VK_ESCAPE);
        return DLGC_WANTCHARS | DLGC_WANTARROWS | (closes ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETTEXT:
        if (self->m_edit)
            return SendMessageW(self->m_edit, message, wParam, lParam);
        if (const int found = self->find(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"", -1, true); found >= 0) {
            self->select(window, found, false);
            return TRUE;
        }
        return CB_ERR;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return self->m_edit ? SendMessageW(self->m_edit, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_F4:
            self->showDropDown(window, !self->m_dropped);
            break;
        case VK_UP:
        case VK_DOWN:
            self->moveSelection(window, wParam == VK_UP ? -1 : 1);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            self->moveSelection(window, wParam == VK_PRIOR ? -self->visibleRows() : self->visibleRows());
            break;
        case VK_HOME:
        case VK_END:
            if (!self->m_edit)
                self->moveSelection(window, wParam == VK_HOME ? -static_cast<int>(self->m_items.size()) : static_cast<int>(self->m_items.size()));
            break;
        case VK_RETURN:
        case VK_ESCAPE:
            self->showDropDown(window, false);
            break;
        default:
            break;
        }
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            self->showDropDown(window, !self->m_dropped);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CHAR:
        if (!self->m_edit && wParam >= 0x20)
            self->typePrefix(window, static_cast<wchar_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        if (self->m_dropped) {
            self->clickWhileDropped(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        }
        SetFocus(window);
        if (IsWindow(window))
            self->showDropDown(window, true);
        return 0;
    case WM_CAPTURECHANGED:
        if (self->m_dropped && reinterpret_cast<HWND>(lParam) != window) {
            self->m_dropped = false;
            ControlSupport::notify(window, CBN_CLOSEUP);
        }
        return 0;
    case WM_SETFOCUS:
        if (self->m_edit) {
            SendMessageW(self->m_edit, EM_SETSEL, 0, -1);
            SetFocus(self->m_edit);
        } else {
            self->focusEntered(window);
        }
        return 0;
    case WM_KILLFOCUS:
        // Only the box's own edit taking the focus keeps it; the focus going to no window, as
        // when another window is activated, closes the list and hands back the mouse.
        if (!self->m_edit || reinterpret_cast<HWND>(wParam) != self->m_edit)
            self->focusLeft(window);
        return 0;
    case WM_COMMAND:
        if (self->m_edit && reinterpret_cast<HWND>(lParam) == self->m_edit)
            self->editNotified(window, HIWORD(wParam));
        return 0;
    case WM_ENABLE:
        if (self->m_edit)
            EnableWindow(self->m_edit, static_cast<BOOL>(wParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_COMBOBOXW, ComboBoxControl::windowProc);

} // namespace
