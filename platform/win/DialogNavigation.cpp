// Tab stops, groups and mnemonics of dialogs, and the Win32 calls that navigate them.
#include "win/DialogNavigation.h"

#include "kernel/Text.h"
#include "win/WindowTable.h"

#include <algorithm>

namespace {

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

std::vector<HWND> childrenOf(HWND parent)
{
    const Window* window = WindowTable::instance().find(parent);
    return window ? window->children : std::vector<HWND>{};
}

bool isTabStop(HWND control) { return DialogNavigation::canTakeInput(control) && (styleOf(control) & WS_TABSTOP); }

// The next window in the ring after start (or the first when start is absent) that accepts.
template <typename Accept>
HWND nextInRing(const std::vector<HWND>& ring, HWND start, bool previous, Accept accept)
{
    if (ring.empty())
        return nullptr;
    const auto count = static_cast<std::ptrdiff_t>(ring.size());
    auto position = std::find(ring.begin(), ring.end(), start) - ring.begin();
    if (position == count)
        position = previous ? 0 : count - 1;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const auto index = ((position + (previous ? -step : step)) % count + count) % count;
        if (accept(ring[static_cast<std::size_t>(index)]))
            return ring[static_cast<std::size_t>(index)];
    }
    return nullptr;
}

bool hasMnemonic(const std::wstring& text, wchar_t character)
{
    const wchar_t wanted = ToUpperWide(std::wstring(1, character))[0];
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return ToUpperWide(std::wstring(1, text[i + 1]))[0] == wanted;
    }
    return false;
}

} // namespace

bool DialogNavigation::canTakeInput(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control);
}

HWND DialogNavigation::directChild(HWND dialog, HWND window)
{
    for (HWND current = window; current && current != dialog; current = GetAncestor(current, GA_PARENT))
        if (GetAncestor(current, GA_PARENT) == dialog)
            return current;
    return nullptr;
}

std::vector<HWND> DialogNavigation::groupOf(HWND control)
{
    const std::vector<HWND> siblings = childrenOf(GetAncestor(control, GA_PARENT));
    const auto position = std::find(siblings.begin(), siblings.end(), control);
    if (position == siblings.end())
        return {};
    auto first = position;
    while (first != siblings.begin() && !(styleOf(*first) & WS_GROUP))
        --first;
    auto last = position + 1;
    while (last != siblings.end() && !(styleOf(*last) & WS_GROUP))
        ++last;
    return std::vector<HWND>(first, last);
}

void DialogNavigation::focusControl(HWND control)
{
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

HWND DialogNavigation::findMnemonic(HWND dialog, wchar_t character)
{
    const HWND focused = directChild(dialog, GetFocus());
    return nextInRing(childrenOf(dialog), focused, false, [character](HWND control) {
        if (!canTakeInput(control))
            return false;
        const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_STATIC | DLGC_BUTTON)))
            return false;
        if ((code & DLGC_STATIC) && (styleOf(control) & SS_NOPREFIX) && !(code & DLGC_BUTTON))
            return false;
        const Window* window = WindowTable::instance().find(control);
        return window && hasMnemonic(window->text, character);
    });
}

void DialogNavigation::useMnemonic(HWND dialog, HWND control)
{
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_STATIC) {
        // A label names the control that follows it.
        const std::vector<HWND> siblings = childrenOf(dialog);
        auto it = std::find(siblings.begin(), siblings.end(), control);
        for (++it; it != siblings.end(); ++it) {
            if (canTakeInput(*it) && !(SendMessageW(*it, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                focusControl(*it);
                return;
            }
        }
        return;
    }
    SetFocus(control);
    SendMessageW(control, BM_CLICK, 0, 0);
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous)
{
    if (!IsWindow(dialog))
        return nullptr;
    const HWND start = DialogNavigation::directChild(dialog, control);
    const HWND next = nextInRing(childrenOf(dialog), start, previous, isTabStop);
    return next ? next : start;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous)
{
    const HWND start = DialogNavigation::directChild(dialog, control);
    if (!start)
        return nullptr;
    // Labels, tool bars and status bars would hold the keys without showing them; Enter there
    // presses the default button unseen.
    const auto showsTheKeys = [](HWND candidate) {
        const LRESULT code = SendMessageW(candidate, WM_GETDLGCODE, 0, 0);
        return DialogNavigation::canTakeInput(candidate) && !(code & DLGC_STATIC) && (code || (styleOf(candidate) & WS_TABSTOP));
    };
    const HWND next = nextInRing(DialogNavigation::groupOf(start), start, previous, showsTheKeys);
    return next ? next : start;
}
