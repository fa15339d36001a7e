// The window tests' fixture.
#include "WinTest.h"

#include "kernel/Text.h"

#include <map>

namespace {

std::string notificationName(UINT message, WORD code)
{
    if (message == WM_NOTIFY)
        return std::to_string(static_cast<int>(code));
    static const std::map<WORD, std::string> commandCodes = {
        {BN_CLICKED, "BN_CLICKED"},       {EN_SETFOCUS, "EN_SETFOCUS"},     {EN_KILLFOCUS, "EN_KILLFOCUS"},
        {EN_CHANGE, "EN_CHANGE"},         {EN_MAXTEXT, "EN_MAXTEXT"},       {CBN_SELCHANGE, "CBN_SELCHANGE"},
        {CBN_SETFOCUS, "CBN_SETFOCUS"},   {CBN_KILLFOCUS, "CBN_KILLFOCUS"}, {CBN_EDITCHANGE, "CBN_EDITCHANGE"},
        {CBN_EDITUPDATE, "CBN_EDITUPDATE"}, {CBN_DROPDOWN, "CBN_DROPDOWN"}, {CBN_CLOSEUP, "CBN_CLOSEUP"},
    };
    const auto it = commandCodes.find(code);
    return it == commandCodes.end() ? std::to_string(code) : it->second;
}

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WinTest::record(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

std::vector<std::string>& WinTest::log()
{
    static std::vector<std::string> lines;
    return lines;
}

void WinTest::record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::map<UINT, std::string> names = {
        {WM_NCCREATE, "WM_NCCREATE"},   {WM_CREATE, "WM_CREATE"},         {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_SETFOCUS, "WM_SETFOCUS"},     {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},       {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_CLOSE, "WM_CLOSE"},         {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_INITMENU, "WM_INITMENU"},
        {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_TIMER, "WM_TIMER"},
    };
    std::string line;
    if (message == WM_COMMAND && !lParam)
        line = "WM_COMMAND " + std::to_string(LOWORD(wParam)) + " menu";
    else if (message == WM_COMMAND)
        line = "WM_COMMAND " + std::to_string(LOWORD(wParam)) + " " + notificationName(message, HIWORD(wParam));
    else if (message == WM_NOTIFY)
        line = "WM_NOTIFY " + std::to_string(wParam) + " " + std::to_string(static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code));
    else if (message == WM_SYSCOMMAND || message == WM_TIMER || message == WM_ENABLE || message == WM_SHOWWINDOW)
        line = names.at(message) + " " + std::to_string(wParam & 0xFFF0 ? wParam & 0xFFF0 : wParam);
    else if (message == WM_ACTIVATE)
        line = "WM_ACTIVATE " + std::to_string(LOWORD(wParam));
    else if (message >= WM_USER && message < WM_APP)
        line = "WM_USER+" + std::to_string(message - WM_USER);
    else if (names.count(message))
        line = names.at(message);
    else
        return;
    std::string who;
    if (message == WM_NCCREATE)
        who = WideToUtf8(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpszName);
    else {
        wchar_t title[64]{};
        GetWindowTextW(window, title, 64);
        who = WideToUtf8(title);
    }
    log().push_back(who.empty() ? line : who + " " + line);
}

HWND WinTest::createRecordingWindow(LPCWSTR title, DWORD style, HWND parent, UINT_PTR idOrMenu)
{
    return createWindowOfClass(L"RecordingWindow", recordingProc, title, style, 40 * 8, 10 * 16, parent,
                               reinterpret_cast<HMENU>(idOrMenu));
}

HWND WinTest::createWindowOfClass(LPCWSTR className, WNDPROC procedure, LPCWSTR title, DWORD style, int width, int height,
                                  HWND parent, HMENU menu)
{
    // A class registered once keeps its first procedure; registering it again changes nothing.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = className;
    windowClass.hInstance = TestInstance();
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title, style, 0, 0, width, height, parent, menu, TestInstance(), nullptr);
}

void WinTest::SetUp()
{
    log().clear();
    Automation::clearBeeps();
}

void WinTest::TearDown()
{
    for (HWND window : Automation::topLevelWindows())
        DestroyWindow(window);
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    Automation::clearBeeps();
}
