// Message boxes are real modal dialogs: the standard buttons and their results, the default
// button, and Escape as Windows treats it.
#include "WinTest.h"

#include <functional>

using MessageBoxTest = WinTest;

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

