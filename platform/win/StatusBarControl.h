// The "msctls_statusbar32" class: a row of parts, each with a text or drawn by the parent
// (SBT_OWNERDRAW: WM_DRAWITEM with the part's rectangle and the data given for it). The bar is
// one row of the dialog font high; its minimum height is kept but a row is all a line needs.
#pragma once

#include "win/CommCtrl.h"
#include "win/Control.h"
#include "win/WinGdi.h"

#include <string>
#include <vector>

class StatusBarControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring states(HWND window) override;

    // What each part shows now, as painting it records it: the parent draws the owner-drawn ones.
    static std::vector<std::vector<PaintOperation>> paintedParts(HWND window);

private:
    struct Part {
        int right = -1;  // the right edge in client pixels; -1 reaches the bar's right edge
        UINT type = 0;   // SBT_OWNERDRAW, SBT_NOBORDERS, SBT_POPOUT
        std::wstring text;
        LPARAM data = 0; // an owner-drawn part's data
    };

    RECT partRect(HWND window, int index) const;
    void paint(HWND window, HDC dc) const;
    void fitToParent(HWND window);

    std::vector<Part> m_parts = std::vector<Part>(1);
    int m_minHeight = 0;
};
