// Key and mouse state.
#include "win/KeyboardState.h"

KeyboardState& KeyboardState::instance()
{
    static KeyboardState state;
    return state;
}

void KeyboardState::noteRetrieved(const MSG& message)
{
    const auto key = message.wParam & 0xFF;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        m_down[key] = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        m_down[key] = false;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        m_down[VK_LBUTTON] = message.message == WM_LBUTTONDOWN;
        m_down[VK_RBUTTON] = message.message == WM_RBUTTONDOWN;
        break;
    default:
        break;
    }
}

bool KeyboardState::isDown(int virtualKey) const
{
    return virtualKey >= 0 && virtualKey < 256 && m_down[static_cast<std::size_t>(virtualKey)];
}

SHORT GetKeyState(int virtualKey)
{
    return KeyboardState::instance().isDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetLastInputInfo(PLASTINPUTINFO info)
{
    if (!info || info->cbSize != sizeof(LASTINPUTINFO))
        return FALSE;
    info->dwTime = KeyboardState::instance().lastInputTime;
    return TRUE;
}

BOOL GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = KeyboardState::instance().cursor;
    return TRUE;
}
