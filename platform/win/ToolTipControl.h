// The "tooltips_class32" class: tools are rectangles of windows (or whole windows); the mouse
// messages relayed to it show a tool's tip once the mouse has rested on the tool, and a button
// or leaving the tool hides it. A tool's text may be asked of its window each time. A tip can
// also be shown at once for a tool that has the keyboard's attention (TTM_TRACKACTIVATE).
#pragma once

#include "win/CommCtrl.h"
#include "win/Control.h"

#include <string>
#include <vector>

class ToolTipControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static constexpr UINT_PTR restTimer = 1;
    static constexpr UINT restDelayMs = 500;
    // While a tip shows: it goes when the mouse has left its tool, or after a while.
    static constexpr UINT_PTR leaveTimer = 2;
    static constexpr UINT leaveCheckMs = 100;
    static constexpr UINT_PTR popTimer = 3;
    static constexpr UINT popDelayMs = 10 * restDelayMs;

private:
    struct Tool {
        UINT flags;
        HWND window;
        UINT_PTR id;
        RECT rect;
        LPWSTR text;  // LPSTR_TEXTCALLBACKW: asked of the window
        std::wstring ownText;
        LPARAM lParam;
    };

    int toolAt(const MSG& message) const;
    void relay(HWND window, const MSG& message);
    // Under the mouse, or under the tool's rectangle for a tip the keyboard asked for.
    void show(HWND window, int tool, bool underTool = false);
    void hide(HWND window);
    std::wstring textOf(HWND window, const Tool& tool) const;
    bool mouseOn(const Tool& tool) const;
    int find(const TOOLINFOW& info) const;

    std::vector<Tool> m_tools;
    int m_resting = -1;  // the tool the mouse rests on, its tip shown or waiting for the delay
    bool m_active = true;
};
