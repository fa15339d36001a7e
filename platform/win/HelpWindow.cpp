// HTML Help's topic window: its layout, its text and the keys that scroll and close it.
#include "win/HelpWindow.h"

#include "win/WindowGeometry.h"
#include "win/WordWrap.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"HH Parent";
// Fits an 80 x 24 terminal with the host's rows around it: 70 columns by 20 rows, frame included.
constexpr int kWidthPx = 70 * WindowGeometry::cellWidth;
constexpr int kHeightPx = 20 * WindowGeometry::cellHeight;

HWND g_hHelpWindow = nullptr;
WNDPROC g_pfnEditProc = nullptr;

void appendWrapped(std::wstring& out, std::wstring_view line, int width)
{
    // A list item's continuation lines stand under its text, not under its dash.
    const std::wstring_view dash = line.starts_with(L"- ") ? L"- " : L"";
    const auto rows = WordWrap(line.substr(dash.size()), std::max(1, width - static_cast<int>(dash.size())));
    for (std::size_t i = 0; i < rows.size(); ++i)
        out += (i == 0 ? std::wstring(dash) : std::wstring(dash.size(), L' ')) + rows[i] + L"\r\n";
}

// The text keeps the keyboard: it scrolls with the reader's keys, and Escape closes the window.
LRESULT CALLBACK textProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        PostMessageW(GetParent(window), WM_CLOSE, 0, 0);
        return 0;
    }
    return CallWindowProcW(g_pfnEditProc, window, message, wParam, lParam);
}

void createChildren(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int row = WindowGeometry::cellHeight;
    CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, width, row, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(HelpWindow::headingId)), nullptr, nullptr);
    const HWND text = CreateWindowExW(0, L"Edit", L"",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY,
                                      0, 2 * row, width, client.bottom - client.top - 2 * row, window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(HelpWindow::textId)), nullptr, nullptr);
    g_pfnEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&textProc)));
}

LRESULT CALLBACK helpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        createChildren(window);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(window, HelpWindow::textId));
        return 0;
    case WM_MOUSEWHEEL:
        // The wheel over the heading scrolls the text too.
        return SendMessageW(GetDlgItem(window, HelpWindow::textId), message, wParam, lParam);
    case WM_DESTROY:
        if (g_hHelpWindow == window)
            g_hHelpWindow = nullptr;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND createHelpWindow(HWND owner, const std::wstring& title)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = helpWindowProc;
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - kWidthPx) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - kHeightPx) / 2);
    return CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, x, y, kWidthPx, kHeightPx,
                           owner, nullptr, nullptr, nullptr);
}

} // namespace

HWND HelpWindow::show(HWND owner, const std::wstring& title, const HelpTopic& topic)
{
    // A window of another owner goes, so that the new one stays above the window that asked.
    if (g_hHelpWindow && (!IsWindow(g_hHelpWindow) || GetWindow(g_hHelpWindow, GW_OWNER) != owner))
        DestroyWindow(g_hHelpWindow);
    if (!g_hHelpWindow || !IsWindow(g_hHelpWindow))
        g_hHelpWindow = createHelpWindow(owner, title);
    if (!g_hHelpWindow)
        return nullptr;
    SetWindowTextW(g_hHelpWindow, title.c_str());
    SetDlgItemTextW(g_hHelpWindow, headingId, topic.heading.c_str());
    const HWND text = GetDlgItem(g_hHelpWindow, textId);
    RECT client{};
    GetClientRect(text, &client);
    // The last column is left to the marks that say more text lies above or below.
    const int width = (client.right - client.left) / WindowGeometry::cellWidth - 1;
    SetWindowTextW(text, layOut(topic, width).c_str());
    ShowWindow(g_hHelpWindow, SW_SHOW);
    SetActiveWindow(g_hHelpWindow);
    SetFocus(text);
    return g_hHelpWindow;
}

std::wstring HelpWindow::layOut(const HelpTopic& topic, int width)
{
    std::wstring out;
    for (const std::wstring& line : topic.lines)
        appendWrapped(out, line, width);
    if (out.ends_with(L"\r\n"))
        out.resize(out.size() - 2);
    return out;
}
