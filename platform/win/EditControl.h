// The "Edit" class: single and multi-line text with a selection, password masking, read-only,
// upper or lower case, digits only and a length limit. Text beyond the limit is refused with a
// beep and EN_MAXTEXT; every change notifies EN_CHANGE. A multi-line edit wraps its lines at words
// unless it scrolls sideways, and scrolls by the rows so drawn (EM_SCROLL, EM_LINESCROLL,
// WM_VSCROLL, the wheel, and when read-only the arrow, page, Home and End keys); its line count
// and first visible line count those rows, as on Windows.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

#include <string>

class EditControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The columns a multi-line edit wraps its text at: its width in cells, less the column of its
    // vertical scroll bar; 0 where lines break only at line ends.
    static int wrapColumns(HWND window);
    void describe(HWND window, WindowInfo& info, bool inView) override;

private:
    // The window procedure's handlers for the messages that take more than a line.
    LRESULT setText(HWND window, LPCWSTR text);
    LRESULT press(HWND window, POINT point);
    LRESULT getSelection(DWORD* start, DWORD* end) const;
    LRESULT setSelection(HWND window, int start, int end);
    LRESULT setPasswordChar(HWND window, wchar_t character);
    // EM_SCROLL: the rows moved, for a multi-line edit.
    LRESULT scrollMessage(HWND window, WORD scrollCode);
    LRESULT handleKey(HWND window, WPARAM key);
    void handleChar(HWND window, wchar_t character);
    // Replaces the selection; typing honours the limit, beeping when it refuses.
    void replaceSelection(HWND window, std::wstring text, bool typed);
    void moveCaret(DWORD position, bool extend);
    // Scrolls so that row (0 the first) is the top one, as far as the text reaches; the rows moved.
    int scrollTo(HWND window, int row);
    int scrollBy(HWND window, WORD scrollCode);
    DWORD selectionStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    DWORD selectionEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }

    DWORD m_anchor = 0;
    DWORD m_caret = 0;
    DWORD m_limit = 32767;
    int m_firstLine = 0;
    bool m_modified = false;
    wchar_t m_passwordChar = L'*';
};
