// The "msctls_progress32" class.
#include "win/ProgressControl.h"

#include "win/CommCtrl.h"
#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowInfo.h"

#include <algorithm>

void ProgressControl::describe(HWND, WindowInfo& info, bool)
{
    info.rangeLow = m_low;
    info.rangeHigh = m_high;
    info.position = m_position;
}

std::wstring ProgressControl::states(HWND)
{
    return L"range=" + std::to_wstring(m_low) + L".." + std::to_wstring(m_high) + L" position=" + std::to_wstring(m_position);
}

LRESULT ProgressControl::setRange(int low, int high)
{
    const LRESULT previous = MAKELRESULT(static_cast<WORD>(m_low), static_cast<WORD>(m_high));
    m_low = low;
    m_high = high;
    m_position = std::clamp(m_position, std::min(low, high), std::max(low, high));
    return previous;
}

LRESULT ProgressControl::setPosition(HWND window, int position)
{
    const int previous = m_position;
    m_position = std::clamp(position, std::min(m_low, m_high), std::max(m_low, m_high));
    if (m_position != previous)
        InvalidateRect(window, nullptr, TRUE);
    return previous;
}

LRESULT CALLBACK ProgressControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    ProgressControl* self = ControlSupport::state<ProgressControl>(window);
    if (!self)
        return 0;
    switch (message) {
    case PBM_SETRANGE:
        return self->setRange(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                              static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam))));
    case PBM_SETRANGE32:
        return self->setRange(static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        if (auto* range = reinterpret_cast<PBRANGE*>(lParam))
            *range = PBRANGE{self->m_low, self->m_high};
        return wParam ? self->m_low : self->m_high;
    case PBM_SETPOS:
        return self->setPosition(window, static_cast<int>(wParam));
    case PBM_DELTAPOS:
        return self->setPosition(window, self->m_position + static_cast<int>(wParam));
    case PBM_GETPOS:
        return self->m_position;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(PROGRESS_CLASSW, ProgressControl::windowProc);

} // namespace
