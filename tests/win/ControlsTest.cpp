// The built-in controls as a user meets them: edits with limits, case and masks, combo boxes
// sorted and searched by typing, the up-down with its buddy, colours and fonts from the parent,
// and controls a user cannot reach.
#include "WinTest.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"

#include <algorithm>
#include <cwchar>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

bool g_refuseDelta = false;
HBRUSH g_yellow = nullptr;

INT_PTR CALLBACK controlsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WinTest::record(dialog, message, wParam, lParam);
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, g_refuseDelta);
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == 208) {
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(g_yellow);
    }
    return FALSE;
}

HWND g_modeless = nullptr;

// A modeless dialog gets its keyboard handling from the loop's hook, as the module's main window does.
LRESULT CALLBACK dialogKeys(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
        IsDialogMessageW(g_modeless, message))
        message->message = WM_NULL;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ControlsTest : public WinTest {
protected:
    void SetUp() override
    {
        WinTest::SetUp();
        m_dialog = CreateDialogParamW(TestInstance(), MAKEINTRESOURCEW(controlsDialogId), nullptr, controlsProc, 0);
        ASSERT_TRUE(m_dialog);
        g_modeless = m_dialog;
        m_hook = SetWindowsHookExW(WH_GETMESSAGE, dialogKeys, nullptr, GetCurrentThreadId());
        log().clear();
    }

    void TearDown() override
    {
        UnhookWindowsHookEx(m_hook);
        WinTest::TearDown();
    }

    std::wstring text(int id) const
    {
        wchar_t buffer[64]{};
        GetDlgItemTextW(m_dialog, id, buffer, 64);
        return buffer;
    }

    std::vector<std::string> commandsOf(int id) const
    {
        const std::string prefix = "Controls WM_COMMAND " + std::to_string(id) + " ";
        std::vector<std::string> lines;
        for (const std::string& line : log())
            if (line.starts_with(prefix))
                lines.push_back(line.substr(prefix.size()));
        return lines;
    }

    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendDlgItemMessageW(m_dialog, id, message, wParam, lParam);
    }

    HWND m_dialog = nullptr;
    HHOOK m_hook = nullptr;
};

} // namespace

TEST_F(ControlsTest, EditsRefuseTextBeyondTheirLimitKeepUpperCaseAndMaskPasswords)
{
    send(201, EM_LIMITTEXT, 5);
    const ActionResult tooLong = Automation::setText(m_dialog, 201, L"abcdefg");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.message, L"control 201 refused part of the text: it holds \"ABCDE\"");
    EXPECT_EQ(text(201), L"ABCDE");
    EXPECT_THAT(Automation::beeps(), ElementsAre(MB_OK, MB_OK));
    EXPECT_EQ(std::count(log().begin(), log().end(), "Controls WM_COMMAND 201 EN_MAXTEXT"), 2);

    // Selection and replacement as the program drives them; case still applies.
    send(201, EM_SETSEL, 1, 3);
    send(201, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"xy"));
    EXPECT_EQ(text(201), L"AXYDE");
    DWORD start = 0;
    DWORD end = 0;
    send(201, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);

    // Keys a user edits with.
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_END)));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_BACK)));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_HOME)));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_DELETE)));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_RIGHT, MOD_SHIFT)));
    EXPECT_TRUE(Done(Automation::typeText(m_dialog, 201, L"q")));
    EXPECT_EQ(text(201), L"QYD");

    EXPECT_TRUE(Done(Automation::setText(m_dialog, 202, L"secret")));
    EXPECT_EQ(text(202), L"secret");

    const ActionResult readOnly = Automation::setText(m_dialog, 203, L"x");
    EXPECT_EQ(readOnly.message, L"control 203 is read-only");
    send(203, EM_SETREADONLY, FALSE);
    EXPECT_TRUE(Done(Automation::setText(m_dialog, 203, L"free")));

    Automation::clearBeeps();
    // The up-down shows its position in this edit; the click puts the caret after it.
    EXPECT_TRUE(Done(Automation::typeText(m_dialog, 206, L"1a2")));
    EXPECT_EQ(text(206), L"012");
    EXPECT_THAT(Automation::beeps(), ElementsAre(MB_OK));

    const std::string snapshot = WideToUtf8(Automation::snapshot(m_dialog));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 202 \"******\" password\n"));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 206 \"012\" focused\n"));
}

TEST_F(ControlsTest, SortedComboFindsByPrefixKeepsItemDataAndNotifiesTheUsersChoice)
{
    for (LPCWSTR fruit : {L"Pear", L"apple", L"Banana", L"cherry"}) {
        const auto index = send(204, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
        send(204, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(std::wcslen(fruit)));
    }
    EXPECT_THAT(Automation::describe(GetDlgItem(m_dialog, 204)).items, ElementsAre(L"apple", L"Banana", L"cherry", L"Pear"));
    EXPECT_EQ(send(204, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"ba")), 1);
    EXPECT_EQ(send(204, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"PEAR")), 3);
    EXPECT_EQ(send(204, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"z")), CB_ERR);
    EXPECT_EQ(send(204, CB_GETITEMDATA, 3), 4);
    EXPECT_EQ(send(204, CB_GETITEMDATA, 9), CB_ERR);
    EXPECT_EQ(send(204, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"c")), 2);
    EXPECT_EQ(text(204), L"cherry");
    EXPECT_TRUE(commandsOf(204).empty());

    EXPECT_TRUE(Done(Automation::chooseEntry(m_dialog, 204, L"Banana")));
    EXPECT_THAT(commandsOf(204), ElementsAre("CBN_SETFOCUS", "CBN_DROPDOWN", "CBN_SELCHANGE", "CBN_CLOSEUP"));
    EXPECT_EQ(send(204, CB_GETCURSEL), 1);

    // Typing searches by prefix; a pause starts a new search; the same letter steps on.
    log().clear();
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, 'P')));
    EXPECT_EQ(text(204), L"Pear");
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, 'X')));
    EXPECT_EQ(text(204), L"Pear");
    Clock::advance(2000);
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, 'A')));
    EXPECT_EQ(text(204), L"apple");
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_DOWN)));
    EXPECT_EQ(text(204), L"Banana");
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_TAB)));
    EXPECT_THAT(commandsOf(204), ElementsAre("CBN_SELCHANGE", "CBN_SELCHANGE", "CBN_SELCHANGE", "CBN_KILLFOCUS"));

    // Another window taking over, as a message box the choice brings up does, closes the open
    // list and frees the mouse for that window.
    log().clear();
    SetFocus(GetDlgItem(m_dialog, 204));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_F4)));
    EXPECT_TRUE(send(204, CB_GETDROPPEDSTATE));
    const HWND other = createRecordingWindow(L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(other);
    EXPECT_FALSE(send(204, CB_GETDROPPEDSTATE));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_THAT(commandsOf(204), ElementsAre("CBN_SETFOCUS", "CBN_DROPDOWN", "CBN_CLOSEUP", "CBN_KILLFOCUS"));
    DestroyWindow(other);

    EXPECT_EQ(send(204, CB_DELETESTRING, 0), 3);
    EXPECT_EQ(send(204, CB_GETCURSEL), 0);
    EXPECT_EQ(send(204, CB_DELETESTRING, 9), CB_ERR);
    const ActionResult missing = Automation::chooseEntry(m_dialog, 204, L"kiwi");
    EXPECT_EQ(missing.message, L"control 204 has no entry \"kiwi\"");
    EXPECT_FALSE(send(204, CB_GETDROPPEDSTATE));
}

TEST_F(ControlsTest, DropDownComboTypesIntoItsEditWithCaseAndLimit)
{
    send(205, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    send(205, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
    send(205, CB_LIMITTEXT, 4);
    EXPECT_FALSE(Automation::setText(m_dialog, 205, L"three").ok);
    EXPECT_EQ(text(205), L"THRE");
    EXPECT_EQ(send(205, CB_GETCURSEL), CB_ERR);
    EXPECT_THAT(commandsOf(205), ElementsAre("CBN_SETFOCUS", "CBN_EDITUPDATE", "CBN_EDITCHANGE", "CBN_EDITUPDATE",
                                             "CBN_EDITCHANGE", "CBN_EDITUPDATE", "CBN_EDITCHANGE", "CBN_EDITUPDATE",
                                             "CBN_EDITCHANGE"));
    EXPECT_TRUE(Done(Automation::setText(m_dialog, 205, L"two")));
    EXPECT_EQ(send(205, CB_GETCURSEL), 1);

    log().clear();
    EXPECT_TRUE(Done(Automation::chooseEntry(m_dialog, 205, L"ONE")));
    EXPECT_EQ(text(205), L"ONE");
    EXPECT_THAT(commandsOf(205), ElementsAre("CBN_DROPDOWN", "CBN_SELCHANGE", "CBN_CLOSEUP"));
    const WindowInfo combo = Automation::describe(GetDlgItem(m_dialog, 205));
    EXPECT_THAT(combo.items, ElementsAre(L"ONE", L"TWO"));
    EXPECT_EQ(combo.currentSelection, 0);

    // Emptying the list empties the edit too, chosen or typed, without telling the parent.
    send(205, CB_RESETCONTENT);
    EXPECT_EQ(text(205), L"");
    EXPECT_TRUE(Done(Automation::setText(m_dialog, 205, L"own")));
    log().clear();
    send(205, CB_RESETCONTENT);
    EXPECT_EQ(text(205), L"");
    EXPECT_EQ(send(205, CB_GETCURSEL), CB_ERR);
    EXPECT_TRUE(commandsOf(205).empty());
}

TEST_F(ControlsTest, UpDownStepsItsBuddyWithinTheRangeUnlessTheParentRefuses)
{
    const HWND edit = GetDlgItem(m_dialog, 206);
    const HWND upDown = GetDlgItem(m_dialog, 207);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), edit);
    RECT editRect{};
    RECT upDownRect{};
    GetWindowRect(edit, &editRect);
    GetWindowRect(upDown, &upDownRect);
    EXPECT_EQ(editRect.right, upDownRect.left);

    SendMessageW(upDown, UDM_SETRANGE32, 0, 5);
    SendMessageW(upDown, UDM_SETPOS32, 0, 4);
    EXPECT_EQ(text(206), L"4");
    EXPECT_TRUE(Done(Automation::click(m_dialog, 206)));
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_UP)));
    EXPECT_EQ(text(206), L"5");
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_UP)));
    EXPECT_EQ(text(206), L"5");
    g_refuseDelta = true;
    EXPECT_TRUE(Done(Automation::pressKey(m_dialog, VK_DOWN)));
    EXPECT_EQ(text(206), L"5");
    g_refuseDelta = false;
    EXPECT_TRUE(Done(Automation::click(m_dialog, 207)));   // the middle counts as the lower arrow
    EXPECT_EQ(text(206), L"4");
    const auto deltas = std::count(log().begin(), log().end(), "Controls WM_NOTIFY 207 -722");
    EXPECT_EQ(deltas, 4);

    SetWindowTextW(edit, L"many");
    EXPECT_NE(HIWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0)), 0);
    SetWindowTextW(edit, L"3");
    EXPECT_EQ(SendMessageW(upDown, UDM_GETPOS, 0, 0), 3);
}

TEST_F(ControlsTest, ProgressBarKeepsItsPositionWithinTheRange)
{
    EXPECT_EQ(send(210, PBM_GETPOS), 0);
    EXPECT_EQ(send(210, PBM_SETRANGE32, 10, 20), MAKELRESULT(0, 100));
    EXPECT_EQ(send(210, PBM_GETPOS), 10);   // the old position lay below the new range
    EXPECT_EQ(send(210, PBM_SETPOS, 15), 10);
    EXPECT_EQ(send(210, PBM_SETPOS, 99), 15);
    EXPECT_EQ(send(210, PBM_GETPOS), 20);
    EXPECT_EQ(send(210, PBM_SETPOS, static_cast<WPARAM>(-3)), 20);
    EXPECT_EQ(send(210, PBM_DELTAPOS, 4), 10);
    PBRANGE range{};
    EXPECT_EQ(send(210, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 10);
    EXPECT_EQ(send(210, PBM_GETRANGE, FALSE, 0), 20);
    EXPECT_EQ(range.iLow, 10);
    EXPECT_EQ(range.iHigh, 20);
    EXPECT_EQ(send(210, PBM_SETRANGE, 0, MAKELPARAM(0, 12)), MAKELRESULT(10, 20));
    EXPECT_EQ(send(210, PBM_GETPOS), 12);

    const WindowInfo bar = Automation::describe(GetDlgItem(m_dialog, 210));
    EXPECT_EQ(bar.className, PROGRESS_CLASSW);
    EXPECT_EQ(std::tuple(bar.rangeLow, bar.rangeHigh, bar.position), std::tuple(0, 12, 12));
    EXPECT_THAT(Automation::snapshot(m_dialog), HasSubstr(L"msctls_progress32 210 \"\" range=0..12 position=12\n"));
}

TEST_F(ControlsTest, TheParentColoursControlsAndFontsAndIconsAreKept)
{
    g_yellow = CreateSolidBrush(RGB(255, 255, 0));
    const WindowInfo coloured = Automation::describe(GetDlgItem(m_dialog, 208));
    EXPECT_TRUE(coloured.hasColors);
    EXPECT_EQ(coloured.textColor, RGB(255, 0, 0));
    EXPECT_EQ(coloured.backgroundColor, RGB(255, 255, 0));
    const WindowInfo plain = Automation::describe(GetDlgItem(m_dialog, 201));
    EXPECT_FALSE(plain.hasColors);
    EXPECT_EQ(plain.textColor, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(plain.backgroundColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(Automation::describe(GetDlgItem(m_dialog, 203)).backgroundColor, GetSysColor(COLOR_3DFACE));
    DeleteObject(g_yellow);

    const auto dialogFont = reinterpret_cast<HFONT>(send(201, WM_GETFONT));
    LOGFONTW font{};
    ASSERT_EQ(GetObjectW(dialogFont, sizeof(font), &font), static_cast<int>(sizeof(font)));
    EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -10);
    font.lfWeight = FW_BOLD;
    const HFONT bold = CreateFontIndirectW(&font);
    send(201, WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(send(201, WM_GETFONT)), bold);
    EXPECT_TRUE(DeleteObject(bold));
    EXPECT_FALSE(DeleteObject(GetStockObject(DEFAULT_GUI_FONT)) && !GetStockObject(DEFAULT_GUI_FONT));

    send(209, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_WARNING)));
    EXPECT_EQ(Automation::describe(GetDlgItem(m_dialog, 209)).iconName, L"warning");
    EXPECT_TRUE(LoadIconW(TestInstance(), MAKEINTRESOURCEW(23)));
    EXPECT_FALSE(LoadIconW(TestInstance(), MAKEINTRESOURCEW(24)));
}

TEST_F(ControlsTest, AControlAUserCannotReachRefusesTheAction)
{
    EnableWindow(GetDlgItem(m_dialog, 201), FALSE);
    EXPECT_EQ(Automation::click(m_dialog, 201).message, L"control 201 is disabled");
    EXPECT_EQ(Automation::setText(m_dialog, 201, L"x").message, L"control 201 is disabled");
    ShowWindow(GetDlgItem(m_dialog, 202), SW_HIDE);
    EXPECT_EQ(Automation::click(m_dialog, 202).message, L"control 202 is hidden");
    EXPECT_EQ(Automation::setText(m_dialog, IDOK, L"x").message, L"control 1 does not take typed text");
    EXPECT_EQ(Automation::chooseEntry(m_dialog, 203, L"x").message, L"control 203 has no entries to choose from");
    EXPECT_EQ(Automation::setText(m_dialog, 204, L"x").message, L"control 204 is a drop-down list: choose one of its entries");
    const std::string snapshot = WideToUtf8(Automation::snapshot(m_dialog));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 201 \"\" disabled\n"));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 202 \"\" hidden password\n"));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 203 \"fixed\" read-only\n"));
    EXPECT_THAT(snapshot, HasSubstr("  Button 1 \"OK\" default\n"));
}
