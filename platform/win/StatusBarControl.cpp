// The "msctls_statusbar32" class.
#include "win/StatusBarControl.h"

#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"

#include <cstdio>

namespace {

// Windows' borders: around the bar, above and below the text, and between parts.
constexpr int kBorders[3] = {0, 2, 2};

std::wstring colorText(COLORREF color)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

// A part as the snapshot tells it: its texts and pictures, with the colours it was painted in.
std::wstring describePart(const std::vector<PaintOperation>& painted)
{
    std::wstring shown;
    std::wstring colors;
    for (const PaintOperation& operation : painted) {
        switch (operation.kind) {
        case PaintOperation::Fill:
            colors = L" on " + colorText(operation.background);
            break;
        case PaintOperation::Text:
            shown += L"\"" + operation.text + L"\" in " + colorText(operation.foreground);
            break;
        case PaintOperation::Picture:
            shown += L"picture \"" + operation.text + L"\"";
            break;
        }
    }
    return shown + colors;
}

} // namespace

RECT StatusBarControl::partRect(HWND window, int index) const
{
    RECT client{};
    GetClientRect(window, &client);
    const Part& part = m_parts[static_cast<std::size_t>(index)];
    const LONG left = index == 0 ? 0 : m_parts[static_cast<std::size_t>(index) - 1].right + kBorders[2];
    const LONG right = part.right < 0 ? client.right : part.right;
    return RECT{left, client.top, right, client.bottom};
}

void StatusBarControl::paint(HWND window, HDC dc) const
{
    const HWND parent = GetParent(window);
    for (std::size_t index = 0; index < m_parts.size(); ++index) {
        const Part& part = m_parts[index];
        RECT rect = partRect(window, static_cast<int>(index));
        if (!(part.type & SBT_OWNERDRAW)) {
            // The parent may have changed the colours while painting the part before.
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            DrawTextW(dc, part.text.c_str(), static_cast<int>(part.text.size()), &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
            continue;
        }
        if (!parent)
            continue;
        DRAWITEMSTRUCT item{ODT_STATIC, static_cast<UINT>(GetDlgCtrlID(window)), static_cast<UINT>(index), ODA_DRAWENTIRE,
                            0, window, dc, rect, static_cast<ULONG_PTR>(part.data)};
        SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
}

std::vector<std::vector<PaintOperation>> StatusBarControl::paintedParts(HWND window)
{
    auto* self = ControlSupport::state<StatusBarControl>(window);
    if (!self || !ControlSupport::isClass(window, STATUSCLASSNAMEW))
        return {};
    const HDC dc = GetDC(window);
    self->paint(window, dc);
    // The parent may have destroyed the bar while painting.
    self = ControlSupport::state<StatusBarControl>(window);
    std::vector<std::vector<PaintOperation>> parts(self ? self->m_parts.size() : 0);
    for (const PaintOperation& operation : GetPaintOperations(dc)) {
        for (std::size_t index = 0; index < parts.size(); ++index) {
            const RECT rect = self->partRect(window, static_cast<int>(index));
            if (operation.rect.left >= rect.left && operation.rect.left < std::max(rect.right, rect.left + 1)) {
                parts[index].push_back(operation);
                break;
            }
        }
    }
    ReleaseDC(window, dc);
    return parts;
}

std::wstring StatusBarControl::states(HWND window)
{
    std::wstring panes;
    const auto parts = paintedParts(window);
    for (std::size_t index = 0; index < parts.size(); ++index)
        panes += (index ? L", " : L"") + std::to_wstring(index) + L": " + describePart(parts[index]);
    return L"panes={" + panes + L"}";
}

// Unless told otherwise, the bar lies along its parent's bottom, one row high.
void StatusBarControl::fitToParent(HWND window)
{
    const HWND parent = GetParent(window);
    if ((GetWindowLongPtrW(window, GWL_STYLE) & CCS_NORESIZE) || !parent)
        return;
    RECT client{};
    GetClientRect(parent, &client);
    const LONG height = HIWORD(GetDialogBaseUnits());
    MoveWindow(window, 0, client.bottom - height, client.right, height, TRUE);
}

LRESULT CALLBACK StatusBarControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    StatusBarControl* self = ControlSupport::state<StatusBarControl>(window);
    if (!self)
        return 0;
    const auto part = static_cast<std::size_t>(LOWORD(wParam) & 0xFF);
    switch (message) {
    case WM_CREATE:
        self->fitToParent(window);
        return 0;
    case WM_PRINTCLIENT:
        self->paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case SB_SETPARTS: {
        const auto* rights = reinterpret_cast<const int*>(lParam);
        if (!rights || wParam == 0 || wParam > 256)
            return FALSE;
        self->m_parts.resize(wParam);
        for (std::size_t index = 0; index < wParam; ++index)
            self->m_parts[index].right = rights[index];
        return TRUE;
    }
    case SB_GETPARTS: {
        auto* rights = reinterpret_cast<int*>(lParam);
        for (std::size_t index = 0; rights && index < std::min<std::size_t>(wParam, self->m_parts.size()); ++index)
            rights[index] = self->m_parts[index].right;
        return static_cast<LRESULT>(self->m_parts.size());
    }
    case SB_GETBORDERS:
        if (auto* borders = reinterpret_cast<int*>(lParam)) {
            std::copy(std::begin(kBorders), std::end(kBorders), borders);
            return TRUE;
        }
        return FALSE;
    case SB_SETMINHEIGHT:
        self->m_minHeight = static_cast<int>(wParam);
        return 0;
    case SB_GETRECT:
        if (part >= self->m_parts.size() || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = self->partRect(window, static_cast<int>(part));
        return TRUE;
    case SB_SETTEXTW: {
        if (part >= self->m_parts.size())
            return FALSE;
        Part& target = self->m_parts[part];
        target.type = static_cast<UINT>(wParam) & 0xFF00;
        target.text = !(target.type & SBT_OWNERDRAW) && lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        target.data = target.type & SBT_OWNERDRAW ? lParam : 0;
        return TRUE;
    }
    case SB_GETTEXTLENGTHW:
    case SB_GETTEXTW: {
        if (part >= self->m_parts.size())
            return 0;
        const Part& source = self->m_parts[part];
        if (source.type & SBT_OWNERDRAW)
            return static_cast<LRESULT>(source.data);
        if (message == SB_GETTEXTW && lParam)
            std::copy(source.text.c_str(), source.text.c_str() + source.text.size() + 1, reinterpret_cast<LPWSTR>(lParam));
        return MAKELONG(static_cast<WORD>(source.text.size()), static_cast<WORD>(source.type));
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(STATUSCLASSNAMEW, StatusBarControl::windowProc);

} // namespace
