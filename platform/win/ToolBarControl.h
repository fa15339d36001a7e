// The "ToolbarWindow32" class: a row of buttons with images from one bitmap strip, and
// separators. A click (press and release on the same enabled button) sends WM_COMMAND with the
// button's command id to the parent; with TBSTYLE_TOOLTIPS the bar keeps a tool tip whose texts
// it asks of the parent. The bar is one row of the dialog font high.
#pragma once

#include "win/CommCtrl.h"
#include "win/Control.h"
#include "win/TipRelay.h"

#include <vector>

class ToolBarControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring states(HWND window) override;

private:
    // The window procedure's handlers, one a message.
    LRESULT create(HWND window);
    LRESULT tipNotify(HWND window, WPARAM wParam, LPARAM lParam) const;
    LRESULT press(HWND window, POINT point);
    // A click is a press and a release on the same enabled button.
    LRESULT release(HWND window, POINT point);
    LRESULT setButtonSize(HWND window, LPARAM lParam);
    LRESULT setIndent(HWND window, int indent);
    LRESULT addButtons(HWND window, const TBBUTTON* buttons, int count);
    LRESULT addBitmap(int images, const TBADDBITMAP* added);
    LRESULT deleteButton(HWND window, std::size_t index);
    LRESULT getButton(std::size_t index, TBBUTTON* button) const;
    LRESULT getItemRect(HWND window, std::size_t index, RECT* rect) const;
    // Sets or clears one of the button's state flags.
    LRESULT setFlag(HWND window, WPARAM command, BYTE flag, bool on);
    LRESULT hasFlag(WPARAM command, BYTE flag);
    LRESULT setState(HWND window, WPARAM command, BYTE state);
    LRESULT setHotItem(HWND window, std::size_t index);

    TBBUTTON* buttonFor(WPARAM command);
    int indexOf(int command) const;
    int buttonAt(HWND window, POINT point) const;
    RECT itemRect(HWND window, int index) const;
    void layOut(HWND window);
    void fitToParent(HWND window);
    void paint(HWND window, HDC dc) const;

    std::vector<TBBUTTON> m_buttons;
    HBITMAP m_bitmap = nullptr;
    int m_images = 0;
    SIZE m_imageSize{16, 15};
    SIZE m_buttonSize{23, 22};
    int m_indent = 0;
    TipRelay m_tip;
    int m_pressed = -1;  // the button the left mouse button went down on
    int m_hot = -1;
};
