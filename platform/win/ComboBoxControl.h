// The "ComboBox" class: a drop-down list (CBS_DROPDOWNLIST) or a drop-down with an edit
// (CBS_DROPDOWN, whose edit is a child "Edit" with id 1001, as on Windows). Sorted or in the
// order given, upper or lower case, item data, prefix search by typing, and the CBN_...
// notifications. The open list lies below the selection field, one row an item.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"
#include "win/WindowInfo.h"

#include <cstdint>
#include <string>
#include <vector>

class ComboBoxControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static constexpr int editId = 1001;

    // The entries, the current one, the open list and the edit's selection, as the messages give them.
    void describe(HWND window, WindowInfo& info, bool) override
    {
        const auto count = SendMessageW(window, CB_GETCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            std::wstring item(static_cast<std::size_t>(SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, L'\0');
            item.resize(static_cast<std::size_t>(SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()))));
            info.items.push_back(item);
        }
        info.currentSelection = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
        info.droppedDown = SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
        SendMessageW(window, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&info.droppedRect));
        SendMessageW(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&info.selectionStart), reinterpret_cast<LPARAM>(&info.selectionEnd));
    }

private:
    struct Item {
        std::wstring text;
        LPARAM data;
    };

    void create(HWND window);
    LRESULT handleItems(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT insert(HWND window, int index, std::wstring text);
    // Selects an entry (-1: none) and shows its text; notify as a user's choice would.
    void select(HWND window, int index, bool notify);
    int find(std::wstring_view text, int after, bool exact) const;
    void showDropDown(HWND window, bool show);
    void typePrefix(HWND window, wchar_t character);
    void moveSelection(HWND window, int delta);
    void clickWhileDropped(HWND window, POINT point);
    void focusEntered(HWND window);
    void focusLeft(HWND window);
    RECT listRect(HWND window) const;
    int visibleRows() const;
    void editNotified(HWND window, WORD code);

    std::vector<Item> m_items;
    int m_selection = -1;
    bool m_dropped = false;
    bool m_hasFocus = false;
    bool m_settingEditText = false;
    HWND m_edit = nullptr;
    int m_listHeight = 0;
    int m_topIndex = 0;
    std::wstring m_typed;
    std::int64_t m_lastTypedMs = 0;
};
