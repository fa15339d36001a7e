// The tool tip a control keeps for itself.
#include "win/TipRelay.h"

void TipRelay::create(HWND control)
{
    m_tip = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0, GetAncestor(control, GA_ROOT),
                            nullptr, nullptr, nullptr);
}

void TipRelay::destroy()
{
    if (m_tip)
        DestroyWindow(m_tip);
    m_tip = nullptr;
}

void TipRelay::relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!m_tip || message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return;
    MSG relayed{control, message, wParam, lParam, 0, {}};
    SendMessageW(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void TipRelay::pop() const
{
    if (m_tip)
        SendMessageW(m_tip, TTM_POP, 0, 0);
}
