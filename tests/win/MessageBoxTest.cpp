// Message boxes are real modal dialogs: caption, text, icon, the standard buttons and their
// results, the default button, and Escape as Windows treats it.
#include "WinTest.h"

#include "kernel/Text.h"

#include <functional>

using MessageBoxTest = WinTest;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

HWND box() { return Automation::findWindow(L"Question"); }

} // namespace

TEST_F(MessageBoxTest, StandardButtonsGiveTheirResultsAndEscapeFollowsTheWindowsRules)
{
    struct Case {
        UINT type;
        std::vector<std::function<void()>> steps;
        int result;
    };
    const auto press = [](UINT key, UINT modifiers = 0) {
        return [=] { EXPECT_TRUE(Done(Automation::pressKey(box(), key, modifiers))); };
    };
    const auto click = [](int id) { return [=] { EXPECT_TRUE(Done(Automation::click(box(), id))); }; };
    const Case cases[] = {
        {MB_OK, {press(VK_ESCAPE)}, IDOK},
        {MB_OKCANCEL, {press(VK_ESCAPE)}, IDCANCEL},
        {MB_OKCANCEL, {press(VK_RETURN)}, IDOK},
        // Without a Cancel button Escape does nothing.
        {MB_YESNO, {press(VK_ESCAPE), click(IDNO)}, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, {press(VK_RETURN)}, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {press(VK_RETURN)}, IDCANCEL},
        {MB_YESNO, {press('Y', MOD_ALT)}, IDYES},
        {MB_RETRYCANCEL, {click(IDRETRY)}, IDRETRY},
        {MB_ABORTRETRYIGNORE, {click(IDIGNORE)}, IDIGNORE},
    };
    for (const Case& test : cases) {
        ScriptedInput input;
        for (const auto& step : test.steps)
            input.then(step);
        EXPECT_EQ(MessageBoxW(nullptr, L"Go on?", L"Question", test.type), test.result) << "type " << test.type;
        EXPECT_EQ(box(), nullptr);
    }
}

TEST_F(MessageBoxTest, ABoxShowsItsTextIconAndButtonsAndHoldsItsOwner)
{
    const HWND owner = createRecordingWindow(L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ScriptedInput input;
    input.then([&] {
        const std::string snapshot = WideToUtf8(Automation::snapshot(Automation::findWindow(L"Delete Rows")));
        EXPECT_THAT(snapshot, HasSubstr("Window \"Delete Rows\" (#32770) active\n"));
        EXPECT_THAT(snapshot, HasSubstr("  Static -1 \"\" icon=warning\n"));
        EXPECT_THAT(snapshot, HasSubstr("  Static -1 \"Remove 3 rows & their data?\"\n"));
        EXPECT_THAT(snapshot, HasSubstr("  Button 6 \"&Yes\" focused default\n"));
        EXPECT_THAT(snapshot, HasSubstr("  Button 7 \"&No\"\n"));
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_TRUE(Done(Automation::click(Automation::findWindow(L"Delete Rows"), IDYES)));
    });
    EXPECT_EQ(MessageBoxW(owner, L"Remove 3 rows & their data?", L"Delete Rows", MB_YESNO | MB_ICONWARNING), IDYES);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);

    input.then([] { EXPECT_TRUE(Done(Automation::pressKey(Automation::findWindow(L"Error"), VK_RETURN))); });
    EXPECT_EQ(MessageBoxW(nullptr, L"Plain", nullptr, MB_OK), IDOK);

    MessageBeep(MB_ICONHAND);
    MessageBeep(MB_SIMPLEBEEP);
    EXPECT_THAT(Automation::beeps(), ElementsAre(MB_ICONHAND, MB_SIMPLEBEEP));
}
