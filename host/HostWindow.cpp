// The host window: a top-level window whose procedure serves the module's host messages.
#include "HostWindow.h"

#include "kernel/Text.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/Nls.h"

#include <vector>

namespace {

constexpr const wchar_t* windowClass = L"OrvaneHostWindow";

std::wstring hostString(UINT id)
{
    wchar_t buffer[128] = {};
    NlsLoadString(nullptr, id, buffer, 128);
    return buffer;
}

std::wstring menuText(HMENU menu, UINT position)
{
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

// Menu texts match as a user reads them: without regard to case and to the & of the access key.
bool sameMenuText(std::wstring text, std::wstring_view wanted)
{
    std::erase(text, L'&');
    return EqualsNoCase(text, wanted);
}

// The position of the entry of menu whose text is wanted, or -1.
int findMenuEntry(HMENU menu, std::wstring_view wanted)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (sameMenuText(menuText(menu, static_cast<UINT>(position)), wanted))
            return position;
    return -1;
}

} // namespace

HostWindow::HostWindow(Logbook& logbook, HCPCONTEXT context, Output output)
    : m_logbook(logbook), m_context(context), m_output(std::move(output))
{
    WNDCLASSW windowClassInfo{};
    windowClassInfo.lpfnWndProc = procedure;
    windowClassInfo.lpszClassName = windowClass;
    RegisterClassW(&windowClassInfo);
    m_window = CreateWindowExW(0, windowClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, createMenu(),
                               nullptr, nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(m_window, SW_SHOW);

    CpCommandQueue::instance().setWakeHook([window = m_window] { PostMessageW(window, WM_RUN_QUEUED_LINES, 0, 0); });
    MacroInterpreter::instance().registerCommand("MenuState", 3, 3, [this](MacroCall& call) { menuState(call); });
}

HostWindow::~HostWindow()
{
    MacroInterpreter::instance().unregisterCommand("MenuState");
    CpCommandQueue::instance().setWakeHook(nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

HMENU HostWindow::createMenu() const
{
    HMENU modules = CreatePopupMenu();
    AppendMenuW(modules, MF_STRING, ID_MODULE_WINDOW, hostString(NLS_HOST_MODULE_ITEM).c_str());
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(modules), hostString(NLS_HOST_MENU_NAME).c_str());
    return bar;
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT HostWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LOGBOOK_REGISTER:
        return m_logbook.registerSource(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
    case WM_LOGBOOK_ENTRY:
        if (lParam)
            m_logbook.write(LogbookRecord::decode(reinterpret_cast<const unsigned char*>(lParam)));
        return 0;
    case WM_LOGBOOK_UNREGISTER:
        m_logbook.unregisterSource(static_cast<std::int32_t>(wParam));
        return 0;
    case WM_RUN_QUEUED_LINES:
        MacroInterpreter::instance().runQueuedCommands();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_MODULE_WINDOW) {
            MacroInterpreter::instance().execute(L"FIARUNNER", m_context);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (const auto refusal = exit(); refusal && m_output)
            m_output(*refusal);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void HostWindow::menuState(MacroCall& call)
{
    HMENU bar = GetMenu(m_window);
    const int menuPosition = findMenuEntry(bar, call.text(0));
    HMENU menu = menuPosition >= 0 ? GetSubMenu(bar, menuPosition) : nullptr;
    const int itemPosition = menu ? findMenuEntry(menu, call.text(1)) : -1;
    if (itemPosition < 0) {
        call.fail(L"MenuState: no menu entry \"" + call.text(0) + L"\", \"" + call.text(1) + L"\"");
        return;
    }
    // The state is one or more of Sensitive, Insensitive, Checked, Unchecked, joined by "/".
    UINT enable = MF_ENABLED;
    UINT check = MF_UNCHECKED;
    std::wstring state = call.text(2);
    for (std::size_t start = 0; start <= state.size();) {
        const std::size_t slash = std::min(state.find(L'/', start), state.size());
        const std::wstring word = state.substr(start, slash - start);
        if (EqualsNoCase(word, L"Sensitive") || EqualsNoCase(word, L"Insensitive"))
            enable = EqualsNoCase(word, L"Sensitive") ? MF_ENABLED : MF_GRAYED;
        else if (EqualsNoCase(word, L"Checked") || EqualsNoCase(word, L"Unchecked"))
            check = EqualsNoCase(word, L"Checked") ? MF_CHECKED : MF_UNCHECKED;
        else {
            call.fail(L"MenuState: unknown state \"" + word + L"\" (Sensitive, Insensitive, Checked, Unchecked)");
            return;
        }
        start = slash + 1;
    }
    EnableMenuItem(menu, static_cast<UINT>(itemPosition), MF_BYPOSITION | enable);
    CheckMenuItem(menu, static_cast<UINT>(itemPosition), MF_BYPOSITION | check);
    DrawMenuBar(m_window);
}

std::optional<std::wstring> HostWindow::exit()
{
    struct Search {
        HWND host;
        std::vector<HWND> owned;
    } search{m_window, {}};
    EnumWindows(
        [](HWND window, LPARAM found) {
            auto& search = *reinterpret_cast<Search*>(found);
            if (GetWindow(window, GW_OWNER) == search.host && IsWindowVisible(window))
                search.owned.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.owned) {
        // A window behind a modal dialog waits for that dialog's answer before it can close.
        if (IsWindow(window) && IsWindowEnabled(window))
            SendMessageW(window, WM_CLOSE, 0, 0);
        if (IsWindow(window) && IsWindowVisible(window)) {
            wchar_t title[128] = {};
            GetWindowTextW(window, title, 128);
            return L"Orvane keeps running: the window \"" + std::wstring(title) + L"\" did not close.";
        }
    }
    PostQuitMessage(0);
    return std::nullopt;
}
