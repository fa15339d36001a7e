// Dialogs from templates run modally with scripted input: the default button, Enter and Escape,
// Tab order, groups and mnemonics, the owner chain, the owner destroyed during the run, and
// a dialog nobody answers failing with its snapshot instead of hanging.
#include "WinTest.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"

#include <algorithm>

using DialogTest = WinTest;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

bool g_askOnCheck = false;
bool g_endTwice = false;
std::wstring g_nameOnOk;

INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WinTest::record(dialog, message, wParam, lParam);
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case 103:
        if (g_askOnCheck && HIWORD(wParam) == BN_CLICKED) {
            const int answer = MessageBoxW(dialog, L"Really?", L"Confirm", MB_YESNO | MB_ICONQUESTION);
            WinTest::log().push_back("MessageBox " + std::to_string(answer));
        }
        return TRUE;
    case IDOK: {
        wchar_t name[32]{};
        GetDlgItemTextW(dialog, 101, name, 32);
        g_nameOnOk = name;
        EndDialog(dialog, IDOK);
        if (g_endTwice)
            EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR runTestDialog(HWND owner = nullptr)
{
    return DialogBoxParamW(TestInstance(), MAKEINTRESOURCEW(testDialogId), owner, testDialogProc, 0);
}

HWND dialog() { return Automation::findWindow(L"Test Dialog"); }

std::vector<std::string> linesWith(const std::string& part)
{
    std::vector<std::string> lines;
    std::copy_if(WinTest::log().begin(), WinTest::log().end(), std::back_inserter(lines),
                 [&](const std::string& line) { return line.find(part) != std::string::npos; });
    return lines;
}

int focusedId() { return GetDlgCtrlID(GetFocus()); }

} // namespace

TEST_F(DialogTest, TabFollowsTheTabStopsAndArrowsMoveWithinARadioGroup)
{
    struct Step {
        UINT key;
        UINT modifiers;
        int focused;
    };
    const Step steps[] = {
        {VK_TAB, 0, 102},          {VK_TAB, 0, 103},        {VK_TAB, 0, 104},          {VK_TAB, 0, IDOK},
        {VK_TAB, 0, IDCANCEL},     {VK_TAB, 0, 101},        {VK_TAB, MOD_SHIFT, IDCANCEL}, {VK_TAB, MOD_SHIFT, IDOK},
        {VK_TAB, MOD_SHIFT, 104},  {VK_DOWN, 0, 105},       {VK_DOWN, 0, 104},         {VK_UP, 0, 105},
        // The checked radio button is now the group's tab stop.
        {VK_TAB, 0, IDOK},         {VK_TAB, MOD_SHIFT, 105},
    };
    ScriptedInput input;
    input.then([] { EXPECT_EQ(focusedId(), 101); });
    for (const Step& step : steps)
        input.then([step] {
            EXPECT_TRUE(Done(Automation::pressKey(dialog(), step.key, step.modifiers)));
            EXPECT_EQ(focusedId(), step.focused) << "after key " << step.key;
        });
    input.then([] {
        // Arrowing onto an automatic radio button checks it and clears the rest of its group.
        EXPECT_EQ(IsDlgButtonChecked(dialog(), 105), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog(), 104), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog(), 103), BST_UNCHECKED);
        EXPECT_TRUE(Done(Automation::click(dialog(), 104)));
        EXPECT_EQ(IsDlgButtonChecked(dialog(), 104), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog(), 105), BST_UNCHECKED);
        EXPECT_TRUE(Done(Automation::pressKey(dialog(), VK_ESCAPE)));
    });
    EXPECT_EQ(runTestDialog(), IDCANCEL);
}

TEST_F(DialogTest, TheOwnerChainIsDisabledWhileTheDialogRunsAndEnabledAfter)
{
    const HWND host = createRecordingWindow(L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND main = createRecordingWindow(L"Main", WS_POPUP | WS_CAPTION | WS_VISIBLE, host);
    CreateWindowExW(0, L"Button", L"Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 64, 16, main,
                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ScriptedInput input;
    input.then([&] {
             EXPECT_FALSE(IsWindowEnabled(main));
             EXPECT_FALSE(IsWindowEnabled(host));
             const ActionResult blocked = Automation::click(main, 7);
             EXPECT_FALSE(blocked.ok);
             EXPECT_NE(blocked.message.find(L"covered by a modal window"), std::wstring::npos);
             EXPECT_EQ(GetWindow(dialog(), GW_OWNER), main);
         })
        .then([] { EXPECT_TRUE(Done(Automation::pressKey(dialog(), VK_ESCAPE))); });

    EXPECT_EQ(runTestDialog(main), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(host));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_TRUE(Done(Automation::click(main, 7)));
}

TEST_F(DialogTest, DestroyingTheOwnerDuringTheRunTakesTheDialogAndItsMessageBoxAlong)
{
    const HWND main = createRecordingWindow(L"Main", WS_POPUP | WS_CAPTION | WS_VISIBLE);
    g_askOnCheck = true;
    ScriptedInput input;
    input.then([] { EXPECT_TRUE(Done(Automation::click(dialog(), 103))); })
        .then([&] {
            ASSERT_TRUE(Automation::findWindow(L"Confirm"));
            PostMessageW(main, WM_CLOSE, 0, 0);
            Automation::deliverPending();
        });
    EXPECT_EQ(runTestDialog(main), -1);
    g_askOnCheck = false;
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(Automation::findWindow(L"Confirm"), nullptr);
    EXPECT_EQ(dialog(), nullptr);
    // The box was taken away unanswered.
    EXPECT_THAT(linesWith("MessageBox"), ElementsAre("MessageBox 0"));
}

TEST_F(DialogTest, ADialogNobodyAnswersFailsFastWithItsSnapshotInsteadOfHanging)
{
    const std::int64_t start = Clock::nowMs();
    ScriptedInput input;
    input.expectStalls();
    EXPECT_EQ(runTestDialog(), IDCANCEL);
    ASSERT_EQ(input.stallSnapshots().size(), 1u);
    const std::string snapshot = WideToUtf8(input.stallSnapshots()[0]);
    EXPECT_THAT(snapshot, HasSubstr("Window \"Test Dialog\" (#32770) active"));
    EXPECT_THAT(snapshot, HasSubstr("  Edit 101 \"\" focused"));
    EXPECT_THAT(snapshot, HasSubstr("  Button 1 \"OK\" default"));
    EXPECT_THAT(snapshot, HasSubstr("  Button 105 \"&High\""));
    EXPECT_EQ(Clock::nowMs(), start);
}

TEST_F(DialogTest, BadInputGetsDefinedResults)
{
    g_endTwice = true;
    ScriptedInput input;
    input.then([] {
             const HWND d = dialog();
             EXPECT_EQ(GetDlgItem(d, 999), nullptr);
             EXPECT_FALSE(SetDlgItemTextW(d, 999, L"x"));
             EXPECT_EQ(SendDlgItemMessageW(d, 999, WM_GETTEXTLENGTH, 0, 0), 0);
             EXPECT_EQ(IsDlgButtonChecked(d, 999), BST_UNCHECKED);
             const ActionResult missing = Automation::click(d, 999);
             EXPECT_EQ(missing.message, L"the window has no control 999");
             EXPECT_FALSE(Automation::click(nullptr, IDOK).ok);
         })
        .then([] { EXPECT_TRUE(Done(Automation::click(dialog(), IDOK))); });
    // The second end keeps the first result.
    EXPECT_EQ(runTestDialog(), IDOK);
    g_endTwice = false;
    EXPECT_FALSE(EndDialog(nullptr, IDOK));
    EXPECT_EQ(DialogBoxParamW(TestInstance(), MAKEINTRESOURCEW(999), nullptr, testDialogProc, 0), -1);
}
