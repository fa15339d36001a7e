// MessageBoxW as a real modal dialog built from a template in memory, and MessageBeep.
#include "win/BeepLog.h"
#include "win/WinUser.h"
#include "win/WordWrap.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Button {
    int id;
    LPCWSTR label;
};

std::vector<Button> buttonsFor(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, L"&Abort"}, {IDRETRY, L"&Retry"}, {IDIGNORE, L"&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}};
    case MB_YESNO: return {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, L"&Retry"}, {IDCANCEL, L"Cancel"}};
    default: return {{IDOK, L"OK"}};
    }
}

LPCWSTR iconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return L"#32513";
    case MB_ICONQUESTION: return L"#32514";
    case MB_ICONEXCLAMATION: return L"#32515";
    case MB_ICONASTERISK: return L"#32516";
    default: return nullptr;
    }
}

// What the box's procedure needs: which buttons end it and what Escape means.
struct BoxRun {
    std::vector<Button> buttons;
    int defaultId;
};

bool hasButton(const BoxRun& run, int id)
{
    return std::any_of(run.buttons.begin(), run.buttons.end(), [id](const Button& button) { return button.id == id; });
}

INT_PTR CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* run = reinterpret_cast<const BoxRun*>(lParam);
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(run->defaultId), 0);
        SetFocus(GetDlgItem(box, run->defaultId));
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    const auto* run = reinterpret_cast<const BoxRun*>(GetWindowLongPtrW(box, DWLP_USER));
    const int id = LOWORD(wParam);
    if (hasButton(*run, id))
        EndDialog(box, id);
    else if (id == IDCANCEL && run->buttons.size() == 1 && run->buttons.front().id == IDOK)
        EndDialog(box, IDOK);   // Escape closes a box that has only OK
    return TRUE;
}

int longestOf(const std::vector<std::wstring>& rows)
{
    return static_cast<int>(
        std::max_element(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); })->size());
}

// Dialog units: one character is 4 wide and 8 high, so a cell of the terminal.
constexpr int column = 4;
constexpr int row = 8;

// The text's part of the box, in dialog units no larger than the room given: long lines wrap at
// words; a text with more rows than fit scrolls in an edit, which wraps it one column narrower
// for its scroll bar, where the marks say more lies above or below. The terminal wraps the text
// as counted here.
struct TextLayout {
    bool scrolls;
    short width;
    short height;
};

TextLayout layOutText(const std::wstring& message, int roomWidth, int roomHeight)
{
    const int columns = std::max(roomWidth / column, 2);
    const int mostRows = std::max(roomHeight / row, 1);
    const auto rows = WordWrap(message, columns);
    const auto height = static_cast<short>(std::min(static_cast<int>(rows.size()), mostRows) * row);
    if (static_cast<int>(rows.size()) <= mostRows)
        return {false, static_cast<short>(std::min(longestOf(WordWrap(message, 0)) + 1, columns) * column), height};
    return {true, static_cast<short>((longestOf(WordWrap(message, columns - 1)) + 1) * column), height};
}

} // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    constexpr short margin = 8;
    constexpr short buttonWidth = 40;
    constexpr short buttonHeight = 8;
    constexpr short gap = 4;
    constexpr int widestText = 280;
    const std::wstring message = text ? text : L"";
    const LPCWSTR icon = iconFor(type);
    const short iconWidth = icon ? 16 : 0;
    const short iconHeight = icon ? 16 : 0;

    // The box, frame included, stays on the screen, and its buttons with it.
    const LONG baseUnits = GetDialogBaseUnits();
    const int screenWidth = (GetSystemMetrics(SM_CXSCREEN) - 2 * GetSystemMetrics(SM_CXDLGFRAME)) * column / LOWORD(baseUnits);
    const int screenHeight = (GetSystemMetrics(SM_CYSCREEN) - 2 * GetSystemMetrics(SM_CYDLGFRAME)) * row / HIWORD(baseUnits);
    const TextLayout textPart = layOutText(message, std::min(widestText, screenWidth - 2 * margin - iconWidth),
                                           screenHeight - 3 * margin - buttonHeight);

    BoxRun run{buttonsFor(type), 0};
    const std::size_t defaultIndex = std::min<std::size_t>((type & MB_DEFMASK) >> 8, run.buttons.size() - 1);
    run.defaultId = run.buttons[defaultIndex].id;
    const auto buttonsWidth = static_cast<short>(run.buttons.size() * buttonWidth + (run.buttons.size() - 1) * gap);
    const short width = static_cast<short>(std::max<int>(iconWidth + textPart.width, buttonsWidth) + 2 * margin);
    const short buttonsTop = static_cast<short>(margin + std::max(textPart.height, iconHeight) + margin);

    std::vector<DialogItemTemplate> items;
    if (icon)
        items.push_back({L"Static", icon, IDC_STATIC, WS_VISIBLE | SS_ICON, margin, margin, 12, 16});
    const auto textLeft = static_cast<short>(margin + iconWidth);
    if (textPart.scrolls)
        items.push_back({L"Edit", message.c_str(), IDC_STATIC, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                         textLeft, margin, textPart.width, textPart.height});
    else
        items.push_back({L"Static", message.c_str(), IDC_STATIC, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft, margin,
                         textPart.width, textPart.height});
    short x = static_cast<short>((width - buttonsWidth) / 2);
    for (std::size_t i = 0; i < run.buttons.size(); ++i) {
        const DWORD style = WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        items.push_back({L"Button", run.buttons[i].label, run.buttons[i].id, style, x, buttonsTop, buttonWidth, buttonHeight});
        x = static_cast<short>(x + buttonWidth + gap);
    }
    DialogTemplate box;
    box.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
    box.cx = width;
    box.cy = static_cast<short>(buttonsTop + buttonHeight + margin);
    box.caption = caption ? caption : L"Error";
    box.items = items;
    const INT_PTR result = DialogBoxIndirectParamW(nullptr, &box, owner, boxProc, reinterpret_cast<LPARAM>(&run));
    return result < 0 ? 0 : static_cast<int>(result);
}

std::vector<UINT>& BeepLog::beeps()
{
    static std::vector<UINT> heard;
    return heard;
}

BOOL MessageBeep(UINT type)
{
    BeepLog::beeps().push_back(type);
    return TRUE;
}
