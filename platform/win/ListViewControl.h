// The "SysListView32" class in report mode (a row an item) and list mode (items down columns of
// cells, scrolled sideways): items with a parameter, a state (selected, focused, state image
// index) and column texts; a header for the columns in report mode, which scrolls sideways by
// whole columns with its rows when they are wider than the list; selection by mouse and keys
// with Ctrl and Shift; scrolling; hit tests that tell the state image from the
// label; notifications to the parent (LVN_ITEMCHANGED, LVN_KEYDOWN, NM_CLICK, NM_DBLCLK,
// NM_RETURN) and custom drawing (NM_CUSTOMDRAW) asked the Windows way when the list is painted.
// With info tips, resting the mouse on a text cut by its column shows the text whole in a tip,
// after the parent has had its say (LVN_GETINFOTIPW); resting the keyboard on an item shows the
// item's cut texts under it.
#pragma once

#include "win/CommCtrl.h"
#include "win/Control.h"
#include "win/ListViewInfo.h"
#include "win/ListViewLayout.h"
#include "win/TipRelay.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ListViewControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Item {
        LPARAM param = 0;
        UINT state = 0;
        int image = -1;                    // in the small image list; -1 for none
        std::vector<std::wstring> texts;   // one a column, missing ones empty
    };
    // The colours painting gets for one cell after asking the parent.
    struct CellColors {
        COLORREF text = CLR_DEFAULT;
        COLORREF background = CLR_DEFAULT;
    };

    // Everything a front end shows; the colours of items first .. first+count-1 painted.
    static ListViewInfo inspect(HWND window, int first, int count);
    // Painting asks for the colours of the rows in view; a snapshot shows every row's.
    void describe(HWND window, WindowInfo& info, bool inView) override;

private:
    static ListViewControl* of(HWND window);
    int countPerPage(HWND window) const;
    // Runs the custom-draw stages for items first .. first+count-1, as painting them would.
    std::vector<std::vector<CellColors>> paintColors(HWND window, int first, int count) const;

    // The window procedure's handlers, one a message.
    LRESULT create(HWND window);
    LRESULT resize(HWND window);
    void destroyImageLists(HWND window) const;
    LRESULT focusChanged(HWND window, bool gained);
    LRESULT keyDown(HWND window, WPARAM key);
    LRESULT timer(HWND window, UINT_PTR id);
    LRESULT mouse(HWND window, UINT message, WPARAM wParam, POINT point);
    LRESULT captureChanged();
    LRESULT wheel(HWND window, int delta);
    // A notification of the list's header or its tip.
    LRESULT childNotify(HWND window, WPARAM wParam, LPARAM lParam);
    LRESULT insertColumn(HWND window, int index, const LVCOLUMNW& column);
    LRESULT deleteColumn(HWND window, int index);
    BOOL getColumn(int index, LVCOLUMNW& column) const;
    BOOL setColumnWidth(HWND window, int column, int width);
    HIMAGELIST imageList(int kind) const;
    LRESULT setImageList(int kind, HIMAGELIST list);
    // The previous extended style; a mask of 0 sets every bit.
    DWORD setExtendedStyle(HWND window, DWORD mask, DWORD style);
    LRESULT insertItem(HWND window, const LVITEMW& item);
    BOOL setItem(HWND window, const LVITEMW& item);
    BOOL setItemText(HWND window, int index, LVITEMW item);
    BOOL getItem(LVITEMW& item) const;
    LRESULT copyText(int index, LVITEMW& item) const;
    // Index -1 sets the state of every item.
    BOOL setItemState(HWND window, int index, const LVITEMW& item);
    LRESULT itemState(int index, UINT mask) const;
    BOOL deleteItem(HWND window, int index);
    BOOL deleteAllItems();
    LRESULT nextItem(int start, UINT flags) const;
    LRESULT selectedCount() const;
    LRESULT fillHitTest(HWND window, LVHITTESTINFO& hit, bool subItems) const;
    BOOL itemRect(HWND window, int index, RECT& rect) const;
    BOOL ensureVisible(HWND window, int index);
    BOOL scroll(HWND window, int dx, int dy);

    int columnCount() const;
    int columnWidth(int column) const;
    int stateImageWidth() const;
    // The room for the small image and the gap after it.
    int smallImageWidth() const;
    // The pixels of its column that the item's text has after the pictures, within the client area.
    int textRoom(HWND window, int index, int column) const;
    // The tip for an item's text in a column: the text whole when its column cuts it, as the
    // parent extends or replaces it; empty for no tip.
    std::wstring tipFor(HWND window, int index, int column) const;
    bool isReport(HWND window) const;
    // In list mode every column of items is this wide.
    int listColumnWidth(HWND window) const;
    ListViewLayout layout(HWND window) const;
    int headerHeight(HWND window) const;
    bool valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
    const std::wstring& text(int index, int column) const;

    // Changes the bits of mask in the item's state and reports the change to the parent.
    void changeState(HWND window, int index, UINT state, UINT mask);
    LVHITTESTINFO hitTest(HWND window, POINT point, bool subItems) const;
    void scrollTo(HWND window, int top);
    // Shows the report from the column wished for, as far as the columns allow.
    void scrollToColumn(HWND window, int first);
    // The header lies over the rows' columns: moved left by what is scrolled out of view.
    void placeHeader(HWND window);

    // Selection as a click or a key makes it: alone, toggled (Ctrl) or a range from the mark (Shift).
    void selectByUser(HWND window, int index, bool control, bool shift);
    // Moves, selects or activates as the key asks, after telling the parent (LVN_KEYDOWN).
    void actOnKey(HWND window, WPARAM key);
    LRESULT notify(HWND window, UINT code, NMHDR& header) const;
    void notifyActivate(HWND window, UINT code, const LVHITTESTINFO& hit) const;
    bool showsInfoTips() const;
    void enableInfoTips(HWND window);
    // Mouse messages go on to the tip; a move onto another cell starts the tip's wait anew.
    void relayToTip(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The tip asks for its text: that of the cell under the mouse.
    void answerTip(HWND window, NMTTDISPINFOW& request);
    // Items were inserted, deleted or scrolled: what was under the mouse is not there any more.
    void itemsMoved();
    // The keyboard has rested on the focused item: its tip shows under it.
    void showKeyboardTip(HWND window);

    static int selected(UINT state) { return (state & LVIS_SELECTED) ? 1 : 0; }

    std::vector<Item> m_items;
    int m_selectedCount = 0;   // kept with every change, so that asking costs nothing in a long list
    HWND m_header = nullptr;
    std::array<HIMAGELIST, 3> m_imageLists{};
    DWORD m_extendedStyle = 0;
    int m_selectionMark = -1;
    int m_top = 0;                 // the first item in view; in list mode the top of a column
    int m_firstColumn = 0;         // the report's first column in view
    int m_listColumnWidth = 0;     // in list mode as set; 0 for the widest item's
    bool m_pressed = false;
    std::optional<int> m_pressedItem;   // the item the last press was on (-1 none), until items move
    TipRelay m_tip;
    std::pair<int, int> m_tipCell{-1, -1};   // item and column under the mouse
    std::wstring m_tipText;                  // the text the tip was last given
    int m_keyboardTipItem = -1;              // the item whose tip the keyboard asks for
};
