// Windows as a tree: creation and destruction sequences, handles that outlive their window,
// hooks on creation, subclassing, stored values, focus, enabling and activation.
#include "WinTest.h"

#include "kernel/FileApi.h"

using WindowTreeTest = WinTest;
using testing::ElementsAre;

TEST_F(WindowTreeTest, EveryCallOnADestroyedHandleFailsCleanly)
{
    const HWND top = createRecordingWindow(L"Top", WS_OVERLAPPEDWINDOW);
    const HWND child = createRecordingWindow(L"Child", WS_CHILD | WS_VISIBLE, top, 5);
    DestroyWindow(top);

    for (HWND gone : {top, child}) {
        EXPECT_FALSE(IsWindow(gone));
        SetLastError(0);
        EXPECT_EQ(SendMessageW(gone, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x")), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
        EXPECT_FALSE(PostMessageW(gone, WM_USER, 0, 0));
        EXPECT_FALSE(SetWindowTextW(gone, L"x"));
        EXPECT_EQ(GetWindowTextLengthW(gone), 0);
        EXPECT_FALSE(DestroyWindow(gone));
        EXPECT_FALSE(ShowWindow(gone, SW_SHOW));
        EXPECT_FALSE(EnableWindow(gone, TRUE));
        EXPECT_EQ(SetFocus(gone), nullptr);
        EXPECT_EQ(GetParent(gone), nullptr);
        EXPECT_EQ(GetDlgItem(gone, 5), nullptr);
        EXPECT_EQ(GetWindowLongPtrW(gone, GWL_STYLE), 0);
        RECT rect{};
        EXPECT_FALSE(GetWindowRect(gone, &rect));
    }
    // A new window never takes an old handle.
    const HWND next = createRecordingWindow(L"Next", WS_OVERLAPPEDWINDOW);
    EXPECT_NE(next, top);
    EXPECT_NE(next, child);
}

namespace {

HWND g_created = nullptr;
WNDPROC g_original = nullptr;
std::vector<UINT> g_seenBySubclass;

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        // The hook sees the window before its first message and may refuse it.
        if (create->lpszName && std::wstring(create->lpszName) == L"Refused")
            return 1;
        g_created = reinterpret_cast<HWND>(wParam);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_seenBySubclass.push_back(message);
    if (message == WM_GETTEXTLENGTH)
        return 42;
    return CallWindowProcW(g_original, window, message, wParam, lParam);
}

LRESULT CALLBACK selfDestroyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) {
        DestroyWindow(window);
        return 7;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST_F(WindowTreeTest, CbtHookSeesEachNewWindowFirstAndSubclassingChainsTheProcedures)
{
    g_seenBySubclass.clear();
    const HHOOK hook = SetWindowsHookExW(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    const HWND top = createRecordingWindow(L"Top", WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(g_created, top);
    EXPECT_EQ(createRecordingWindow(L"Refused", WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));

    g_original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
    EXPECT_EQ(GetWindowTextLengthW(top), 42);
    EXPECT_TRUE(SetWindowTextW(top, L"Renamed"));
    wchar_t text[16]{};
    EXPECT_EQ(GetWindowTextW(top, text, 16), 7);
    EXPECT_STREQ(text, L"Renamed");
    EXPECT_THAT(g_seenBySubclass, ElementsAre(WM_GETTEXTLENGTH, WM_SETTEXT, WM_GETTEXT));

    // A window destroyed by its own handler answers, and is gone afterwards.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = selfDestroyingProc;
    windowClass.lpszClassName = L"SelfDestroying";
    RegisterClassW(&windowClass);
    EXPECT_FALSE(RegisterClassW(&windowClass));
    const HWND doomed = CreateWindowExW(0, L"SELFDESTROYING", L"", WS_POPUP, 0, 0, 8, 16, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(doomed);
    EXPECT_EQ(SendMessageW(doomed, WM_USER, 0, 0), 7);
    EXPECT_FALSE(IsWindow(doomed));
}

TEST_F(WindowTreeTest, TreeLinksStoredValuesAndGeometryFollowWin32)
{
    const HWND owner = createRecordingWindow(L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND popup = createRecordingWindow(L"Popup", WS_POPUP | WS_CAPTION, owner);
    const HWND first = createRecordingWindow(L"First", WS_CHILD | WS_VISIBLE, owner, 10);
    const HWND second = createRecordingWindow(L"Second", WS_CHILD | WS_VISIBLE, owner, 11);

    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    EXPECT_EQ(GetParent(first), owner);
    EXPECT_EQ(GetParent(owner), nullptr);
    EXPECT_EQ(GetAncestor(first, GA_ROOT), owner);
    EXPECT_EQ(GetAncestor(owner, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetWindow(owner, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    EXPECT_TRUE(IsChild(owner, second));
    EXPECT_EQ(GetDlgItem(owner, 11), second);
    EXPECT_EQ(GetDlgCtrlID(second), 11);

    EXPECT_EQ(SetWindowLongPtrW(second, GWLP_ID, 12), 11);
    EXPECT_EQ(GetDlgItem(owner, 12), second);
    EXPECT_TRUE(GetWindowLongPtrW(second, GWL_STYLE) & WS_CHILD);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(second, DWLP_USER), 0);   // no extra bytes in this class
    EXPECT_NE(GetLastError(), 0u);

    // A framed top-level window keeps one cell of frame; children sit in its client area.
    MoveWindow(owner, 16, 32, 40 * 8, 10 * 16, TRUE);
    MoveWindow(first, 8, 16, 80, 16, TRUE);
    RECT rect{};
    GetWindowRect(first, &rect);
    EXPECT_EQ(rect.left, 16 + 8 + 8);
    EXPECT_EQ(rect.top, 32 + 16 + 16);
    GetClientRect(owner, &rect);
    EXPECT_EQ(rect.right, 40 * 8 - 16);
    EXPECT_EQ(rect.bottom, 10 * 16 - 32);
    POINT point{0, 0};
    ClientToScreen(first, &point);
    EXPECT_EQ(point.x, 32);
    EXPECT_EQ(WindowFromPoint(POINT{33, 65}), first);
    EXPECT_EQ(WindowFromPoint(POINT{32 + 80, 65}), second) << "first's right edge is outside it";
}
