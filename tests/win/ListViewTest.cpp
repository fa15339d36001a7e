// The list view as a user and its parent meet it: selection by mouse and keys with Ctrl and Shift,
// the notifications that report it, tips for cut texts, and scrolling sideways by columns.
#include "WinTest.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "support/ListViewItems.h"
#include "win/ListViewAutomation.h"
#include "win/ToolTipControl.h"

#include <cwchar>
#include <map>

using testing::ElementsAre;

namespace {

std::vector<std::string> g_notes;

std::string describeNotification(const NMHDR& header)
{
    static const std::map<UINT, std::string> names = {
        {NM_CLICK, "NM_CLICK"}, {NM_RETURN, "NM_RETURN"}, {LVN_KEYDOWN, "LVN_KEYDOWN"}};
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        return "LVN_ITEMCHANGED " + std::to_string(change.iItem) + " " + std::to_string(change.uOldState) + "->" +
               std::to_string(change.uNewState);
    }
    if (header.code == NM_CLICK) {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        return names.at(header.code) + " " + std::to_string(activate.iItem) + "," + std::to_string(activate.iSubItem);
    }
    const auto it = names.find(header.code);
    return it == names.end() ? std::string() : it->second;
}

// The list's parent: records what the list tells it and gives a tip of its own for row 1's name.
LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProcW(window, message, wParam, lParam);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == LVN_GETINFOTIPW) {
        // The owner gives a note of its own for an item whose name shows whole.
        auto* request = reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
        g_notes.push_back("LVN_GETINFOTIP " + std::to_string(request->iItem) + "," + std::to_string(request->iSubItem) +
                          ((request->dwFlags & LVGIT_UNFOLDED) ? " whole \"" : " cut \"") + WideToUtf8(request->pszText) + "\"");
        if (request->iItem == 1 && request->iSubItem == 1)
            wcsncpy(request->pszText, L"Row one's note", static_cast<std::size_t>(request->cchTextMax));
        return 0;
    }
    if (const std::string note = describeNotification(*header); !note.empty())
        g_notes.push_back(note);
    return 0;
}

class ListViewTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        g_notes.clear();
        m_parent = createWindowOfClass(L"ListParent", parentProc, L"Lists", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60 * 8, 12 * 16);
        // A header row and five rows of 16 pixels.
        m_list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                                 0, 0, 50 * 8, 6 * 16, m_parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(7)), TestInstance(), nullptr);
        ASSERT_TRUE(m_list);
        m_states = ImageList_Create(16, 16, ILC_MASK, 0, 5);
        SendMessageW(m_list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(m_states));
        SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        InsertListColumn(m_list, 0, L"", 24);
        InsertListColumn(m_list, 1, L"Name", 80);
        InsertListColumn(m_list, 2, L"File", 80);
        for (int index = 0; index < 8; ++index)
            insertItem(index, L"row" + std::to_wstring(index), L"file" + std::wstring(static_cast<std::size_t>(index), L'x'));
        g_notes.clear();
    }

    void insertItem(int index, const std::wstring& name, const std::wstring& file)
    {
        LVITEMW item{};
        item.mask = LVIF_PARAM | LVIF_STATE;
        item.iItem = index;
        item.lParam = 100 + index;
        item.state = INDEXTOSTATEIMAGEMASK(1);
        item.stateMask = LVIS_STATEIMAGEMASK;
        SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetListItemText(m_list, index, 1, name);
        SetListItemText(m_list, index, 2, file);
    }

    std::vector<int> selected() const { return SelectedListItems(m_list); }

    int focused() const { return static_cast<int>(SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }

    int columnWidth(int column) const { return static_cast<int>(SendMessageW(m_list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)); }

    HWND m_parent = nullptr;
    HWND m_list = nullptr;
    HIMAGELIST m_states = nullptr;
};

TEST_F(ListViewTest, ClicksAndKeysSelectAsOnWindowsAndReportEveryChange)
{
    ASSERT_TRUE(ListViewAutomation::clickItem(m_parent, 7, 2, false));
    EXPECT_THAT(selected(), ElementsAre(2));
    EXPECT_EQ(focused(), 2);
    EXPECT_EQ(SendMessageW(m_list, LVM_GETSELECTIONMARK, 0, 0), 2);
    EXPECT_THAT(g_notes, ElementsAre("LVN_ITEMCHANGED 2 4096->4098", "LVN_ITEMCHANGED 2 4098->4099", "NM_CLICK 2,0"));

    ASSERT_TRUE(ListViewAutomation::selectItems(m_parent, 7, {1, 4}));
    EXPECT_THAT(selected(), ElementsAre(1, 4));
    // Shift+Down extends from the mark (4, the last Ctrl+click) over the focused item's successor.
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_DOWN, MOD_SHIFT));
    EXPECT_THAT(selected(), ElementsAre(4, 5));
    // Ctrl+Down moves only the focus; Ctrl+Space adds the focused item.
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_DOWN, MOD_CONTROL));
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_SPACE, MOD_CONTROL));
    EXPECT_THAT(selected(), ElementsAre(4, 5, 6));
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_HOME));
    EXPECT_THAT(selected(), ElementsAre(0));

    g_notes.clear();
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_RETURN));
    EXPECT_THAT(g_notes, ElementsAre("LVN_KEYDOWN", "NM_RETURN"));
    ASSERT_TRUE(ListViewAutomation::selectItems(m_parent, 7, {}));
    EXPECT_TRUE(selected().empty());
    EXPECT_FALSE(ListViewAutomation::selectItems(m_parent, 7, {1, 8}));
    EXPECT_TRUE(selected().empty());
}

TEST_F(ListViewTest, ACutTextShowsWholeInATipWhereTheMouseOrTheKeyboardRestsAndTheOwnerHasItsSay)
{
    SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    // Eight pixels a character and a cell of margin: "filexxx" fits 64 pixels, "filexxxx" does not.
    SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 2, 64);
    const auto tip = reinterpret_cast<HWND>(SendMessageW(m_list, LVM_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tip);
    const auto fileOfRow = [this](int row, int dx = 0) {
        POINT point{104 + 32 + dx, 16 + 16 * row + 8};
        ClientToScreen(m_list, &point);
        return point;
    };
    const auto moveTo = [](POINT point) {
        Automation::injectMouse(WM_MOUSEMOVE, point);
        Automation::deliverPending();
    };
    const auto rest = [] {
        Clock::advance(ToolTipControl::restDelayMs);
        Automation::deliverPending();
    };

    moveTo(fileOfRow(4));
    EXPECT_FALSE(IsWindowVisible(tip)) << "not before the mouse has rested";
    rest();
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(Automation::describe(tip).text, L"filexxxx");
    // Along the same text the tip stays; onto a text that shows whole it goes at once, for good.
    moveTo(fileOfRow(4, 8));
    EXPECT_TRUE(IsWindowVisible(tip));
    moveTo(fileOfRow(3));
    EXPECT_FALSE(IsWindowVisible(tip));
    rest();
    EXPECT_FALSE(IsWindowVisible(tip));
    // Back on the cut text it comes again; the wheel brings other rows under the mouse and takes it away.
    moveTo(fileOfRow(4));
    rest();
    EXPECT_TRUE(IsWindowVisible(tip));
    SendMessageW(m_list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_FALSE(IsWindowVisible(tip));

    // The owner is asked each time: a cut text comes whole for it to extend, a whole one empty.
    g_notes.clear();
    std::wstring shown;
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 6, 2, shown));
    EXPECT_EQ(shown, L"filexxxxxx");
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 2, 1, shown));
    EXPECT_EQ(shown, L"");
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 1, 1, shown));
    EXPECT_EQ(shown, L"Row one's note");
    EXPECT_THAT(g_notes, ElementsAre("LVN_GETINFOTIP 6,2 cut \"filexxxxxx\"", "LVN_GETINFOTIP 2,1 whole \"\"",
                                     "LVN_GETINFOTIP 1,1 whole \"\""));
    EXPECT_FALSE(ListViewAutomation::restOnItem(m_parent, 7, 1, 3, shown)) << "there is no column 3";

    // The keyboard resting on an item shows its cut texts under it; the next key takes them away.
    ASSERT_TRUE(ListViewAutomation::clickItem(m_parent, 7, 3, false));
    rest();
    EXPECT_FALSE(IsWindowVisible(tip)) << "a click is no rest of the keyboard";
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_DOWN));
    EXPECT_FALSE(IsWindowVisible(tip));
    rest();
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(Automation::describe(tip).text, L"filexxxx");
    RECT row{};
    SendMessageW(m_list, LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&row));
    POINT below{row.left, row.bottom};
    ClientToScreen(m_list, &below);
    RECT placed{};
    GetWindowRect(tip, &placed);
    EXPECT_EQ(placed.top, below.y);
    EXPECT_EQ(placed.left, below.x);
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_UP));
    EXPECT_FALSE(IsWindowVisible(tip));
    rest();
    EXPECT_FALSE(IsWindowVisible(tip)) << "item 3 shows whole";

    // A text wider than the screen goes on over more lines, and the tip stays on the screen.
    Automation::setScreenSize(80 * 8, 25 * 16);
    const std::wstring comment(100, L'c');
    SetListItemText(m_list, 0, 2, comment);
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 0, 2, shown));
    EXPECT_EQ(shown, comment);
    moveTo(fileOfRow(0));
    rest();
    RECT rect{};
    GetWindowRect(tip, &rect);
    EXPECT_EQ(rect.right - rect.left, 80 * 8);
    EXPECT_EQ(rect.bottom - rect.top, (2 + 2) * 16) << "78 characters a line: two lines and the frame";

    // A message of two lines shows as two rows, as wide as its longer line; a placeholder of dots
    // and blanks, though its column cuts it, has nothing to show.
    SetListItemText(m_list, 0, 2, L"Lamp failure\r\nRun stopped");
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 0, 2, shown));
    EXPECT_EQ(shown, L"Lamp failure\r\nRun stopped");
    moveTo(fileOfRow(0));
    rest();
    GetWindowRect(tip, &rect);
    EXPECT_EQ(rect.right - rect.left, (12 + 2) * 8);
    EXPECT_EQ(rect.bottom - rect.top, (2 + 2) * 16);
    SetListItemText(m_list, 0, 2, L" ... ...");
    ASSERT_TRUE(ListViewAutomation::restOnItem(m_parent, 7, 0, 2, shown));
    EXPECT_EQ(shown, L"");
}

TEST_F(ListViewTest, InListModeItemsRunDownColumnsThatScrollSideways)
{
    // Four rows of 16 pixels and 160 pixels across: columns of four items, two of them in view.
    const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_LIST | LVS_SHOWSELALWAYS, 0,
                                      120, 160, 64, m_parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(8)), TestInstance(), nullptr);
    AppendListItems(list, L"Method ", 10);
    const auto rectOf = [list](int index) {
        RECT rect{};
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom};
    };
    const auto itemAt = [list](LONG x, LONG y) {
        LVHITTESTINFO hit{{x, y}, 0, 0, 0, 0};
        return static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    };
    const auto top = [list] { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); };
    const auto focusedItem = [list] { return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); };

    // "Method 9" and a cell of margin: columns 72 pixels wide.
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 72);
    EXPECT_THAT(rectOf(5), ElementsAre(72, 16, 144, 32));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), 8);
    EXPECT_EQ(itemAt(80, 24), 5);
    EXPECT_EQ(itemAt(150, 8), 8) << "the third column shows in part";
    EXPECT_EQ(itemAt(150, 56), -1) << "no item 11";

    // Left and Right go a column along; the list scrolls a column at a time to show the focus.
    ASSERT_TRUE(ListViewAutomation::clickItem(m_parent, 8, 1, false));
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_RIGHT));
    EXPECT_EQ(focusedItem(), 5);
    EXPECT_EQ(top(), 0);
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_RIGHT));
    EXPECT_EQ(focusedItem(), 9);
    EXPECT_EQ(top(), 4);
    EXPECT_THAT(rectOf(9), ElementsAre(72, 16, 144, 32));
    EXPECT_EQ(itemAt(80, 24), 9);
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_RIGHT));
    EXPECT_EQ(focusedItem(), 9);
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_LEFT));
    EXPECT_EQ(focusedItem(), 5);
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_HOME));
    EXPECT_EQ(top(), 0);

    // The wheel scrolls a column a notch, never past the last column.
    for (int notches : {-1, -1}) {
        SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(notches * WHEEL_DELTA)), 0);
        EXPECT_EQ(top(), 4);
    }
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
    EXPECT_EQ(top(), 0);

    // The owner may set the columns' width.
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 100);
    EXPECT_THAT(rectOf(5), ElementsAre(100, 16, 200, 32));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), 4);
}

TEST_F(ListViewTest, ColumnsWiderThanTheListScrollSidewaysByWholeColumnsWithTheHeader)
{
    // 184 pixels and three more columns of 120 in a list 400 wide: at most columns 3 to 5 in view.
    for (int column = 3; column < 6; ++column)
        InsertListColumn(m_list, column, L"More", 120);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(m_list, LVM_GETHEADER, 0, 0));
    const auto shown = [this, header] {
        RECT placed{};
        GetWindowRect(header, &placed);
        MapWindowPoints(nullptr, m_list, reinterpret_cast<LPPOINT>(&placed), 2);
        const ListViewInfo view = Automation::describe(m_list).listView;
        EXPECT_EQ(placed.left, -view.scrolledWidth) << "the header moves with the rows";
        return std::pair{view.firstColumn, view.scrolledWidth};
    };
    ASSERT_TRUE(ListViewAutomation::clickItem(m_parent, 7, 2, false));
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_RIGHT));
    EXPECT_EQ(shown(), std::pair(1, 24));
    for (int press = 0; press < 3; ++press)
        ASSERT_TRUE(Automation::pressKey(m_parent, VK_RIGHT));
    EXPECT_EQ(shown(), std::pair(3, 184)) << "no further than the last column in view";
    EXPECT_EQ(focused(), 2) << "sideways keys move no row";
    EXPECT_NE(Automation::snapshot(m_parent).find(L"items=8 first column=3\n"), std::wstring::npos);

    LVHITTESTINFO hit{{4, 16 + 8}, 0, 0, 0, 0};
    EXPECT_EQ(SendMessageW(m_list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.iSubItem, 3);
    RECT row{};
    SendMessageW(m_list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(row.left, -184);

    // A dx moves at least a column its way; a narrower column leaves less to scroll.
    SendMessageW(m_list, LVM_SCROLL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(shown(), std::pair(2, 104));
    SendMessageW(m_list, LVM_SCROLL, static_cast<WPARAM>(-1000), 0);
    EXPECT_EQ(shown(), std::pair(0, 0));
    ASSERT_TRUE(Automation::pressKey(m_parent, VK_LEFT));
    EXPECT_EQ(shown(), std::pair(0, 0));
    SendMessageW(m_list, LVM_SCROLL, 30, 0);
    EXPECT_EQ(shown(), std::pair(2, 104));
    SendMessageW(m_list, LVM_SCROLL, 1000, 0);
    SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 5, MAKELPARAM(10, 0));
    EXPECT_EQ(shown(), std::pair(2, 104));

    // With column 0, 40 wide, frozen, a double click on its divider where the list shows it (x 40,
    // which is x 120 in the header moved 80 pixels left) fits column 0, not the scrolled column 1
    // whose divider lies there in the header.
    SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(40, 0));
    HDITEMW frozen{};
    frozen.mask = HDI_FORMAT;
    frozen.fmt = LVCFMT_LEFT | LVCFMT_FROZEN;
    SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&frozen));
    EXPECT_EQ(shown(), std::pair(2, 80));
    SendMessageW(header, WM_LBUTTONDBLCLK, 0, MAKELPARAM(static_cast<WORD>(40 + 80), 8));
    EXPECT_EQ(columnWidth(0), 24) << "fitted to its state image";
    EXPECT_EQ(columnWidth(1), 80);
}

} // namespace
