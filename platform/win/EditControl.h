// The "Edit" class: single and multi-line text with a selection, password masking, read-only,
// upper or lower case, digits only and a length limit. Text beyond the limit is refused with a
// beep and EN_MAXTEXT; every change notifies EN_CHANGE. A multi-line edit scrolls by lines
// (EM_SCROLL, EM_LINESCROLL, WM_VSCROLL, the wheel, and when read-only the arrow, page, Home and
// End keys) and tells its first visible line.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

#include <string>

class EditControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT handleKey(HWND window, WPARAM key);
    void handleChar(HWND window, wchar_t character);
    // Replaces the selection; typing honours the limit, beeping when it refuses.
    void replaceSelection(HWND window, std::wstring text, bool typed);
    void moveCaret(DWORD position, bool extend);
    // Scrolls so that line (0 the first) is the top one, as far as the text reaches; the lines moved.
    int scrollTo(HWND window, int line);
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
