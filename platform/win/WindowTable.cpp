// The table of live windows and the focus, activation and capture.
#include "win/WindowTable.h"

#include "kernel/FileApi.h"
#include "win/WindowClassRegistry.h"

#include <algorithm>

WindowTable& WindowTable::instance()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::add(std::unique_ptr<Window> window)
{
    // Steps of 4 keep handles looking like Windows' and never zero.
    const HWND handle = reinterpret_cast<HWND>(m_nextHandle);
    m_nextHandle += 4;
    window->handle = handle;
    m_live[handle] = std::move(window);
    return handle;
}

Window* WindowTable::find(HWND handle) const
{
    const auto it = m_live.find(handle);
    if (it == m_live.end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

void WindowTable::remove(HWND handle)
{
    const auto it = m_live.find(handle);
    if (it == m_live.end())
        return;
    if (it->second->activeCalls > 0)
        m_retired.push_back(std::move(it->second));
    m_live.erase(it);
    std::erase(m_topLevels, handle);
    if (focus == handle)
        focus = nullptr;
    if (active == handle)
        active = nullptr;
    if (capture == handle)
        capture = nullptr;
}

bool WindowTable::isDestroying(HWND handle) const
{
    for (const Window* window = find(handle); window; window = window->parent ? find(window->parent) : nullptr)
        if (window->destroying)
            return true;
    return false;
}

LRESULT WindowTable::call(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = find(handle);
    if (!window || !procedure)
        return 0;
    ++window->activeCalls;
    const LRESULT result = procedure(handle, message, wParam, lParam);
    if (--window->activeCalls == 0)
        std::erase_if(m_retired, [window](const std::unique_ptr<Window>& retired) { return retired.get() == window; });
    return result;
}

HWND WindowTable::desktop()
{
    if (!m_desktop) {
        auto window = std::make_unique<Window>();
        window->windowClass = WindowClassRegistry::instance().find(L"#32769");
        window->procedure = DefWindowProcW;
        window->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        window->rect = RECT{0, 0, screenWidth, screenHeight};
        m_desktop = add(std::move(window));
    }
    if (Window* window = find(m_desktop))
        window->rect = RECT{0, 0, screenWidth, screenHeight};
    return m_desktop;
}
