// The tool bar, its tool tip and the status bar as their parent meets them: a click on an enabled
// button is a command, a tip is asked of the parent once the mouse rests, and owner-drawn parts
// are painted by the parent into a context that keeps what was painted.
#include "WinTest.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "win/StatusBarControl.h"
#include "win/ToolTipControl.h"

#include <cwchar>

using testing::ElementsAre;

namespace {

constexpr int kToolBarId = 50;
constexpr int kStatusBarId = 51;

// The parent: names each button's tip "Tip <id>" (none for 30), paints part 0 of the status bar.
LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WinTest::record(window, message, wParam, lParam);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TTN_NEEDTEXTW) {
        auto* request = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if (request->hdr.idFrom != 30)
            std::swprintf(request->szText, 80, L"Tip %d", static_cast<int>(request->hdr.idFrom));
        return 0;
    }
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        WinTest::log().push_back("WM_DRAWITEM part " + std::to_string(item->itemID) + " data " + std::to_string(item->itemData));
        RECT rect = item->rcItem;
        SetBkColor(item->hDC, RGB(255, 0, 0));
        ExtTextOutW(item->hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        SetTextColor(item->hDC, RGB(255, 255, 255));
        DrawTextW(item->hDC, L"Busy", -1, &rect, DT_SINGLELINE | DT_VCENTER);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class ControlBarsTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        m_parent = createWindowOfClass(L"BarParent", parentProc, L"Bars", WS_OVERLAPPED | WS_VISIBLE, 400, 200);
        ASSERT_TRUE(m_parent);
    }

    POINT buttonMiddle(int index) const
    {
        RECT rect{};
        SendMessageW(m_toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(m_toolBar, &middle);
        return middle;
    }

    HWND m_parent = nullptr;
    HWND m_toolBar = nullptr;
};

TEST_F(ControlBarsTest, AToolBarSendsItsEnabledButtonsCommandsAndShowsTheTipTheParentGives)
{
    m_toolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0, 0, 0,
                                0, m_parent, reinterpret_cast<HMENU>(kToolBarId), nullptr, nullptr);
    ASSERT_TRUE(m_toolBar);
    RECT bar{};
    GetClientRect(m_toolBar, &bar);
    EXPECT_EQ(bar.bottom, HIWORD(GetDialogBaseUnits())) << "one row high";

    SendMessageW(m_toolBar, TB_SETBITMAPSIZE, 0, MAKELONG(16, 16));
    SendMessageW(m_toolBar, TB_SETBUTTONSIZE, 0, MAKELONG(24, 16));
    SendMessageW(m_toolBar, TB_SETINDENT, 8, 0);
    TBADDBITMAP strip{TestInstance(), testBitmapId};
    EXPECT_EQ(SendMessageW(m_toolBar, TB_ADDBITMAP, 3, reinterpret_cast<LPARAM>(&strip)), 0);
    const TBBUTTON buttons[] = {
        {0, 10, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {8, 0, 0, TBSTYLE_SEP, {}, 0, 0},
        {1, 20, 0, TBSTYLE_BUTTON, {}, 0, 0},
        {2, 30, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    ASSERT_TRUE(SendMessageW(m_toolBar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons)));
    RECT third{};
    SendMessageW(m_toolBar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    EXPECT_EQ(third.left, 8 + 24 + 8) << "indent, a button, a separator";
    EXPECT_EQ(SendMessageW(m_toolBar, TB_COMMANDTOINDEX, 30, 0), 3);

    // Each button shows its image: the picture's characters of its part of the strip.
    const HDC dc = GetDC(m_toolBar);
    SendMessageW(m_toolBar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    std::vector<std::wstring> images;
    for (const PaintOperation& painted : GetPaintOperations(dc))
        images.push_back(painted.text);
    ReleaseDC(m_toolBar, dc);
    EXPECT_THAT(images, ElementsAre(L"Aa", L"Bb", L"Cc"));

    // A click on an enabled button is its command; on a greyed one, nothing. Pressing a button
    // and leaving it before the release is no click either.
    log().clear();
    EXPECT_TRUE(Done(Automation::click(m_parent, kToolBarId))) << "the bar's middle is no button";
    for (int index : {0, 2}) {
        Automation::injectMouse(WM_LBUTTONDOWN, buttonMiddle(index));
        Automation::injectMouse(WM_LBUTTONUP, buttonMiddle(index));
    }
    Automation::injectMouse(WM_LBUTTONDOWN, buttonMiddle(3));
    Automation::deliverPending();
    EXPECT_TRUE(SendMessageW(m_toolBar, TB_ISBUTTONPRESSED, 30, 0)) << "held down";
    Automation::injectMouse(WM_LBUTTONUP, buttonMiddle(0));
    Automation::deliverPending();
    EXPECT_FALSE(SendMessageW(m_toolBar, TB_ISBUTTONPRESSED, 30, 0));
    SendMessageW(m_toolBar, TB_ENABLEBUTTON, 20, TRUE);
    Automation::injectMouse(WM_LBUTTONDOWN, buttonMiddle(2));
    Automation::injectMouse(WM_LBUTTONUP, buttonMiddle(2));
    Automation::deliverPending();
    EXPECT_THAT(log(), ElementsAre("Bars WM_COMMAND 10 BN_CLICKED", "Bars WM_COMMAND 20 BN_CLICKED"));

    // The tip waits until the mouse has rested, asks the parent, and goes with a click.
    const auto tip = reinterpret_cast<HWND>(SendMessageW(m_toolBar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_TRUE(tip);
    log().clear();
    Automation::injectMouse(WM_MOUSEMOVE, buttonMiddle(0));
    Automation::deliverPending();
    EXPECT_FALSE(IsWindowVisible(tip)) << "not at once";
    Clock::advance(ToolTipControl::restDelayMs);
    Automation::deliverPending();
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(Automation::describe(tip).text, L"Tip 10");
    EXPECT_THAT(log(), ElementsAre("Bars WM_NOTIFY 10 " + std::to_string(static_cast<int>(TTN_NEEDTEXTW))));
    Automation::injectMouse(WM_LBUTTONDOWN, buttonMiddle(0));
    Automation::deliverPending();
    EXPECT_FALSE(IsWindowVisible(tip));
    Automation::injectMouse(WM_LBUTTONUP, buttonMiddle(0));

    // The keyboard's attention shows a button's tip at once, until it moves away.
    SendMessageW(m_toolBar, TB_SETHOTITEM, 3, 0);
    EXPECT_FALSE(IsWindowVisible(tip)) << "button 30 has no tip";
    SendMessageW(m_toolBar, TB_SETHOTITEM, 2, 0);
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(Automation::describe(tip).text, L"Tip 20");
    SendMessageW(m_toolBar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(IsWindowVisible(tip));

    // A button whose parent gives no text shows no tip.
    Automation::injectMouse(WM_MOUSEMOVE, buttonMiddle(3));
    Automation::runUntil([] { return false; }, 1000);
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_NE(Automation::snapshot(m_parent).find(L"buttons={10, |, 20, 30}"), std::wstring::npos)
        << WideToUtf8(Automation::snapshot(m_parent));
}

TEST_F(ControlBarsTest, AStatusBarShowsItsTextPartsAndWhatTheParentPaintsInItsOwnerDrawnOnes)
{
    const HWND statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_parent,
                                           reinterpret_cast<HMENU>(kStatusBarId), nullptr, nullptr);
    ASSERT_TRUE(statusBar);
    RECT parent{};
    GetClientRect(m_parent, &parent);
    RECT bar{};
    GetWindowRect(statusBar, &bar);
    POINT bottom{bar.right, bar.bottom};
    ScreenToClient(m_parent, &bottom);
    EXPECT_EQ(bottom.y, parent.bottom) << "along the parent's bottom";
    EXPECT_EQ(bar.bottom - bar.top, HIWORD(GetDialogBaseUnits()));

    const int rights[] = {100, 200, -1};
    ASSERT_TRUE(SendMessageW(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rights)));
    SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Ready"));
    SendMessageW(statusBar, SB_SETTEXTW, 1 | SBT_OWNERDRAW, 77);
    SendMessageW(statusBar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"Started"));
    EXPECT_EQ(SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0), MAKELONG(5, 0));
    EXPECT_EQ(SendMessageW(statusBar, SB_GETTEXTW, 1, 0), 77) << "an owner-drawn part answers its data";
    RECT second{};
    SendMessageW(statusBar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 102) << "after the first part and the gap between parts";
    EXPECT_EQ(second.right, 200);

    log().clear();
    const auto parts = StatusBarControl::paintedParts(statusBar);
    EXPECT_THAT(log(), ElementsAre("WM_DRAWITEM part 1 data 77"));
    ASSERT_EQ(parts.size(), 3u);
    ASSERT_EQ(parts[1].size(), 2u);
    EXPECT_EQ(parts[1][0].kind, PaintOperation::Fill);
    EXPECT_EQ(parts[1][0].background, RGB(255, 0, 0));
    EXPECT_EQ(parts[1][1].text, L"Busy");
    EXPECT_EQ(parts[1][1].foreground, RGB(255, 255, 255));
    EXPECT_NE(Automation::snapshot(m_parent).find(
                  L"panes={0: \"Ready\" in #000000, 1: \"Busy\" in #FFFFFF on #FF0000, 2: \"Started\" in #000000}"),
              std::wstring::npos)
        << WideToUtf8(Automation::snapshot(m_parent));
}

} // namespace
