// The "Edit" class. Lines of a multi-line edit end with "\r\n", as on Windows.
#include "win/EditControl.h"

#include "kernel/Text.h"
#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowGeometry.h"
#include "win/WindowInfo.h"
#include "win/WordWrap.h"

#include <algorithm>
#include <optional>

namespace {

constexpr DWORD noLimit = 0x7FFFFFFE;

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

bool isMultiLine(HWND window) { return (styleOf(window) & ES_MULTILINE) != 0; }

std::wstring withCase(HWND window, std::wstring text)
{
    if (styleOf(window) & ES_UPPERCASE)
        return ToUpperWide(text);
    if (styleOf(window) & ES_LOWERCASE)
        return ToLowerWide(text);
    return text;
}

DWORD length(HWND window) { return static_cast<DWORD>(ControlSupport::text(window).size()); }

DWORD lineStart(const std::wstring& text, DWORD position)
{
    const auto found = text.rfind(L'\n', position == 0 ? std::wstring::npos : position - 1);
    return position == 0 || found == std::wstring::npos ? 0 : static_cast<DWORD>(found + 1);
}

DWORD lineEnd(const std::wstring& text, DWORD position)
{
    const auto found = text.find(L"\r\n", position);
    return found == std::wstring::npos ? static_cast<DWORD>(text.size()) : static_cast<DWORD>(found);
}

// One character left or right; a line break counts as one.
DWORD stepLeft(const std::wstring& text, DWORD position)
{
    if (position >= 2 && text.compare(position - 2, 2, L"\r\n") == 0)
        return position - 2;
    return position > 0 ? position - 1 : 0;
}

DWORD stepRight(const std::wstring& text, DWORD position)
{
    if (text.compare(position, 2, L"\r\n") == 0)
        return position + 2;
    return std::min<DWORD>(position + 1, static_cast<DWORD>(text.size()));
}

// The same column on the line above or below, as far as that line reaches.
DWORD stepLine(const std::wstring& text, DWORD position, bool up)
{
    const DWORD start = lineStart(text, position);
    const DWORD column = position - start;
    DWORD target = 0;
    if (up) {
        if (start == 0)
            return position;
        target = lineStart(text, start - 2);
    } else {
        const DWORD end = lineEnd(text, position);
        if (end == text.size())
            return position;
        target = end + 2;
    }
    return std::min(target + column, lineEnd(text, target));
}

// The rows the text takes as drawn: what scrolling counts, so that every row can be brought into view.
int rowCount(HWND window)
{
    return static_cast<int>(WordWrap(ControlSupport::text(window), EditControl::wrapColumns(window)).size());
}

int visibleLines(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) / WindowGeometry::cellHeight);
}

constexpr int kWheelLines = 3;

bool isReadOnly(HWND window) { return (styleOf(window) & ES_READONLY) != 0; }

HWND comboOf(HWND window)
{
    const HWND parent = GetParent(window);
    return ControlSupport::isClass(parent, WC_COMBOBOXW) ? parent : nullptr;
}

// The scroll a reader's key makes in a multi-line text that cannot be edited, if any.
std::optional<WORD> readingScrollOf(WPARAM key)
{
    switch (key) {
    case VK_UP: return SB_LINEUP;
    case VK_DOWN: return SB_LINEDOWN;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return std::nullopt;
    }
}

LRESULT dialogCode(HWND window, LPARAM lParam)
{
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (!message || message->message != WM_KEYDOWN)
        return code;
    if (message->wParam == VK_RETURN && isMultiLine(window) && (styleOf(window) & ES_WANTRETURN))
        code |= DLGC_WANTMESSAGE;
    // An open combo box list takes Enter and Escape to close.
    const HWND combo = comboOf(window);
    if (combo && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE) && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
        code |= DLGC_WANTMESSAGE;
    return code;
}

} // namespace

void EditControl::moveCaret(DWORD position, bool extend)
{
    m_caret = position;
    if (!extend)
        m_anchor = position;
}

int EditControl::wrapColumns(HWND window)
{
    const DWORD style = styleOf(window);
    if (!(style & ES_MULTILINE) || (style & ES_AUTOHSCROLL))
        return 0;
    RECT client{};
    GetClientRect(window, &client);
    const int scrollBar = (style & WS_VSCROLL) ? 1 : 0;
    return std::max(1, static_cast<int>(client.right - client.left) / WindowGeometry::cellWidth - scrollBar);
}

int EditControl::scrollTo(HWND window, int row)
{
    const int last = std::max(0, rowCount(window) - visibleLines(window));
    const int before = m_firstLine;
    m_firstLine = isMultiLine(window) ? std::clamp(row, 0, last) : 0;
    return m_firstLine - before;
}

int EditControl::scrollBy(HWND window, WORD scrollCode)
{
    const int page = visibleLines(window);
    switch (scrollCode) {
    case SB_LINEUP: return scrollTo(window, m_firstLine - 1);
    case SB_LINEDOWN: return scrollTo(window, m_firstLine + 1);
    case SB_PAGEUP: return scrollTo(window, m_firstLine - page);
    case SB_PAGEDOWN: return scrollTo(window, m_firstLine + page);
    case SB_TOP: return scrollTo(window, 0);
    case SB_BOTTOM: return scrollTo(window, rowCount(window));
    default: return 0;
    }
}

void EditControl::replaceSelection(HWND window, std::wstring text, bool typed)
{
    text = withCase(window, std::move(text));
    if (!isMultiLine(window))
        std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    std::wstring content = ControlSupport::text(window);
    const DWORD start = std::min<DWORD>(selectionStart(), static_cast<DWORD>(content.size()));
    const DWORD end = std::min<DWORD>(selectionEnd(), static_cast<DWORD>(content.size()));
    const std::size_t kept = content.size() - (end - start);
    const std::size_t room = m_limit > kept ? m_limit - kept : 0;
    const bool refused = text.size() > room;
    if (refused) {
        text.resize(room);
        if (typed)
            MessageBeep(MB_OK);
    }
    if (text.empty() && start == end) {
        if (refused)
            ControlSupport::notify(window, EN_MAXTEXT);
        return;
    }
    content.replace(start, end - start, text);
    ControlSupport::storeText(window, std::move(content));
    moveCaret(start + static_cast<DWORD>(text.size()), false);
    m_modified = true;
    if (refused)
        ControlSupport::notify(window, EN_MAXTEXT);
    ControlSupport::notify(window, EN_CHANGE);
}

void EditControl::handleChar(HWND window, wchar_t character)
{
    if (character == 0x01) {   // Ctrl+A selects everything
        m_anchor = 0;
        m_caret = length(window);
        return;
    }
    const bool isBreak = character == L'\r' && isMultiLine(window);
    if (character < 0x20 && character != 0x08 && !isBreak)
        return;
    if (isReadOnly(window)) {
        MessageBeep(MB_OK);
        return;
    }
    if (character == 0x08) {
        if (m_anchor == m_caret)
            m_anchor = stepLeft(ControlSupport::text(window), m_caret);
        replaceSelection(window, L"", true);
        return;
    }
    if ((styleOf(window) & ES_NUMBER) && !(character >= L'0' && character <= L'9')) {
        MessageBeep(MB_OK);
        return;
    }
    replaceSelection(window, isBreak ? std::wstring(L"\r\n") : std::wstring(1, character), true);
}

LRESULT EditControl::handleKey(HWND window, WPARAM key)
{
    const HWND combo = comboOf(window);
    const bool dropped = combo && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
    if (combo && (key == VK_UP || key == VK_DOWN || key == VK_F4 || (dropped && (key == VK_RETURN || key == VK_ESCAPE))))
        return SendMessageW(combo, WM_KEYDOWN, key, 0);
    // Text that cannot be edited is read: the reader's keys move the view, not a caret.
    if (const auto scrollCode = readingScrollOf(key); scrollCode && isMultiLine(window) && isReadOnly(window)) {
        scrollBy(window, *scrollCode);
        return 0;
    }
    const std::wstring& text = ControlSupport::text(window);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool wholeText = GetKeyState(VK_CONTROL) < 0 || !isMultiLine(window);
    switch (key) {
    case VK_LEFT:
        moveCaret(!shift && m_anchor != m_caret ? selectionStart() : stepLeft(text, m_caret), shift);
        break;
    case VK_RIGHT:
        moveCaret(!shift && m_anchor != m_caret ? selectionEnd() : stepRight(text, m_caret), shift);
        break;
    case VK_HOME:
        moveCaret(wholeText ? 0 : lineStart(text, m_caret), shift);
        break;
    case VK_END:
        moveCaret(wholeText ? static_cast<DWORD>(text.size()) : lineEnd(text, m_caret), shift);
        break;
    case VK_UP:
    case VK_DOWN:
        if (isMultiLine(window))
            moveCaret(stepLine(text, m_caret, key == VK_UP), shift);
        break;
    case VK_DELETE:
        if (isReadOnly(window)) {
            MessageBeep(MB_OK);
            break;
        }
        if (m_anchor == m_caret)
            m_caret = stepRight(text, m_caret);
        replaceSelection(window, L"", true);
        break;
    default:
        break;
    }
    return 0;
}

void EditControl::describe(HWND window, WindowInfo& info, bool)
{
    info.readOnly = (info.style & ES_READONLY) != 0;
    info.password = (info.style & ES_PASSWORD) != 0;
    if (info.password)
        info.text.assign(info.text.size(), m_passwordChar);
    info.selectionStart = selectionStart();
    info.selectionEnd = selectionEnd();
    info.firstVisibleLine = m_firstLine;
    info.wrapColumns = wrapColumns(window);
}

LRESULT EditControl::setText(HWND window, LPCWSTR text)
{
    ControlSupport::storeText(window, withCase(window, text ? text : L""));
    moveCaret(0, false);
    m_firstLine = 0;
    m_modified = false;
    ControlSupport::notify(window, EN_CHANGE);
    return TRUE;
}

LRESULT EditControl::press(HWND window, POINT point)
{
    SetFocus(window);
    const std::wstring& text = ControlSupport::text(window);
    DWORD position = lineStart(text, 0);
    for (int row = static_cast<int>(point.y) / WindowGeometry::cellHeight; row > 0 && isMultiLine(window); --row)
        position = std::min<DWORD>(lineEnd(text, position) + 2, static_cast<DWORD>(text.size()));
    const auto column = static_cast<DWORD>(std::max(0, static_cast<int>(point.x) / WindowGeometry::cellWidth));
    moveCaret(std::min(position + column, lineEnd(text, position)), false);
    return 0;
}

LRESULT EditControl::getSelection(DWORD* start, DWORD* end) const
{
    if (start)
        *start = selectionStart();
    if (end)
        *end = selectionEnd();
    return MAKELRESULT(static_cast<WORD>(std::min<DWORD>(selectionStart(), 0xFFFF)),
                       static_cast<WORD>(std::min<DWORD>(selectionEnd(), 0xFFFF)));
}

LRESULT EditControl::setSelection(HWND window, int start, int end)
{
    // -1 as the start takes the selection away, leaving the caret.
    if (start == -1) {
        m_anchor = m_caret;
        return 0;
    }
    const DWORD size = length(window);
    const auto clampTo = [size](int value) { return value < 0 ? size : std::min<DWORD>(static_cast<DWORD>(value), size); };
    m_anchor = clampTo(start);
    m_caret = clampTo(end);
    return 0;
}

LRESULT EditControl::setPasswordChar(HWND window, wchar_t character)
{
    const DWORD style = styleOf(window);
    if (character)
        m_passwordChar = character;
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(character ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    return 0;
}

LRESULT EditControl::scrollMessage(HWND window, WORD scrollCode)
{
    const int moved = scrollBy(window, scrollCode);
    return isMultiLine(window) ? MAKELRESULT(static_cast<WORD>(moved), TRUE) : FALSE;
}

LRESULT CALLBACK EditControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    EditControl* self = ControlSupport::state<EditControl>(window);
    if (!self)
        return 0;
    switch (message) {
    case WM_NCCREATE:
        DefWindowProcW(window, message, wParam, lParam);
        ControlSupport::storeText(window, withCase(window, ControlSupport::text(window)));
        return TRUE;
    case WM_GETDLGCODE:
        return dialogCode(window, lParam);
    case WM_SETTEXT:
        return self->setText(window, reinterpret_cast<LPCWSTR>(lParam));
    case WM_CHAR:
        self->handleChar(window, static_cast<wchar_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        return self->handleKey(window, wParam);
    case WM_SYSKEYDOWN:
        if (const HWND combo = comboOf(window); combo && (wParam == VK_DOWN || wParam == VK_UP))
            return SendMessageW(combo, WM_SYSKEYDOWN, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return self->press(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETFOCUS:
        ControlSupport::notify(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        ControlSupport::notify(window, EN_KILLFOCUS);
        return 0;
    case EM_GETSEL:
        return self->getSelection(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case EM_SETSEL:
        return self->setSelection(window, static_cast<int>(wParam), static_cast<int>(lParam));
    case EM_REPLACESEL:
        self->replaceSelection(window, lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"", false);
        return 0;
    case EM_LIMITTEXT:
        self->m_limit = wParam ? static_cast<DWORD>(std::min<WPARAM>(wParam, noLimit)) : noLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return self->m_limit;
    case EM_SETREADONLY: {
        const DWORD style = styleOf(window);
        SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
        return TRUE;
    }
    case EM_GETMODIFY:
        return self->m_modified;
    case EM_SETMODIFY:
        self->m_modified = wParam != 0;
        return 0;
    case EM_SETPASSWORDCHAR:
        return self->setPasswordChar(window, static_cast<wchar_t>(wParam));
    case EM_GETPASSWORDCHAR:
        return (styleOf(window) & ES_PASSWORD) ? self->m_passwordChar : 0;
    case EM_GETLINECOUNT:
        return isMultiLine(window) ? rowCount(window) : 1;
    case EM_GETFIRSTVISIBLELINE:
        return self->m_firstLine;
    case EM_LINESCROLL:
        self->scrollTo(window, self->m_firstLine + static_cast<int>(lParam));
        return isMultiLine(window);
    case EM_SCROLL:
        return self->scrollMessage(window, static_cast<WORD>(wParam));
    case WM_VSCROLL:
        self->scrollBy(window, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        if (!isMultiLine(window))
            return DefWindowProcW(window, message, wParam, lParam);
        self->scrollTo(window, self->m_firstLine - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelLines / WHEEL_DELTA);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_EDITW, EditControl::windowProc);

} // namespace
