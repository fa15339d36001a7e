// The table of live windows by handle, the z-order of top-level windows, and which window has the
// focus, the activation and the mouse capture. Handles are never reused, so a destroyed handle
// is recognised for as long as the process lives.
#pragma once

#include "win/Window.h"

#include <memory>
#include <unordered_map>
#include <vector>

class WindowTable {
public:
    static WindowTable& instance();

    // Takes the window, gives it a fresh handle and returns it.
    HWND add(std::unique_ptr<Window> window);
    // The live window, or null (last error ERROR_INVALID_WINDOW_HANDLE).
    Window* find(HWND handle) const;
    // Forgets the handle; the record itself lives until the last procedure call on it returns.
    void remove(HWND handle);

    // True while the window or one of its ancestors is being destroyed.
    bool isDestroying(HWND handle) const;

    // Calls procedure for the window; handles a window destroyed during the call.
    LRESULT call(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    // Top-level windows in z-order, the first on top.
    std::vector<HWND>& topLevels() { return m_topLevels; }
    HWND desktop();

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    int screenWidth = 80 * 8;
    int screenHeight = 25 * 16;

private:
    std::uintptr_t m_nextHandle = 0x10000;
    std::unordered_map<HWND, std::unique_ptr<Window>> m_live;
    std::vector<std::unique_ptr<Window>> m_retired;   // destroyed while a call on them runs
    std::vector<HWND> m_topLevels;
    HWND m_desktop = nullptr;
};
