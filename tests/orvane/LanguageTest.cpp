// The language library, help and vial locations as the module calls them.
#include "orvane/CXRHelpAdmin.h"
#include "orvane/CbVialLocation.h"
#include "orvane/Nls.h"
#include "orvane/ViewHelp.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "win/DialogTemplate.h"
#include "win/WinUser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr std::wstring_view runComplete = L"Run complete.";
const ResourceEntry moduleStrings[] = {
    {6, 22007, LANG_ENGLISH_US, runComplete.data(), static_cast<DWORD>(runComplete.size())},
};

const DialogTemplate logon = [] {
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 120;
    dialog.cy = 60;
    dialog.caption = L"Logon";
    return dialog;
}();
const ResourceEntry moduleDialogs[] = {
    {5, 23207, LANG_ENGLISH_US, &logon, sizeof logon},
};

INT_PTR CALLBACK endAtOnce(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    EndDialog(dialog, 42);
    return TRUE;
}

INT_PTR CALLBACK stayOpen(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring load(HMODULE module, UINT id, int capacity = 100)
{
    std::wstring buffer(static_cast<std::size_t>(capacity), L'#');
    const int copied = NlsLoadString(module, id, buffer.data(), capacity);
    EXPECT_EQ(static_cast<std::size_t>(copied), std::wstring(buffer.c_str()).size());
    return buffer.c_str();
}

TEST(Language, ModuleStringsComeFromAnAddedModuleAndHostStringsAlways)
{
    HMODULE module = RegisterModuleResources(moduleStrings, moduleStrings);

    EXPECT_EQ(load(module, 22007), L"");
    EXPECT_EQ(load(module, NLS_HOST_MENU_NAME, 45), L"Automation");
    EXPECT_EQ(load(module, NLS_HOST_MODULE_ITEM, 90), L"Serion Methods...");

    EXPECT_EQ(GetModuleHandleW(L"langkit"), nullptr);
    ASSERT_EQ(NlsAddModule(module), NLS_OK);
    EXPECT_NE(GetModuleHandleW(L"langkit"), nullptr);
    EXPECT_EQ(load(module, 22007), L"Run complete.");
    EXPECT_EQ(load(module, 22007, 4), L"Run");
    EXPECT_EQ(load(module, NLS_HOST_DELETE_GROUP), L"the group ");
    EXPECT_EQ(load(module, 22999), L"");

    EXPECT_EQ(NlsRemoveModule(module), NLS_OK);
    EXPECT_EQ(NlsRemoveModule(module), NLS_ERR_MODULE);
    EXPECT_EQ(GetModuleHandleW(L"langkit"), nullptr);
    EXPECT_EQ(load(module, 22007), L"");
    UnregisterModuleResources(module);
}

TEST(Language, DialogsComeFromTheAddedModulesTemplates)
{
    HMODULE module = RegisterModuleResources(moduleDialogs, moduleDialogs);
    EXPECT_EQ(NlsDialogBox(module, 23207, nullptr, endAtOnce), -1);
    EXPECT_EQ(NlsCreateDialog(module, 23207, nullptr, stayOpen), nullptr);

    ASSERT_EQ(NlsAddModule(module), NLS_OK);
    EXPECT_EQ(NlsDialogBox(module, 23207, nullptr, endAtOnce), 42);
    HWND dialog = NlsCreateDialog(module, 23207, nullptr, stayOpen);
    ASSERT_NE(dialog, nullptr);
    wchar_t title[20] = {};
    GetWindowTextW(dialog, title, 20);
    EXPECT_EQ(std::wstring(title), L"Logon");
    DestroyWindow(dialog);
    EXPECT_EQ(NlsCreateDialog(module, 23299, nullptr, stayOpen), nullptr);

    NlsRemoveModule(module);
    UnregisterModuleResources(module);
}

TEST(Language, VialLocationsAndHelpRequestsAreWhatTheUserSees)
{
    wchar_t location[20];
    EXPECT_EQ(CbVialLocation(12, location, 20, 0), 0);
    EXPECT_EQ(std::wstring(location), L"Vial 12");
    EXPECT_EQ(CbVialLocation(123456, location, 8, 0), 0);
    EXPECT_EQ(std::wstring(location), L"Vial 12");
    EXPECT_EQ(CbVialLocation(0, location, 20, 0), CB_ERR_VIAL);
    EXPECT_EQ(std::wstring(location), L"");

    ViewClearHelpRequests();
    CXRHelpAdmin help(ViewShowHelp, 101, L"SERION", 2);
    EXPECT_EQ(help.helpKey(), L"SERION");
    EXPECT_EQ(help.showTopic(nullptr, L"C:\\Orvane\\helpenu\\Orvane.chm", L"101903"), 0);
    ASSERT_EQ(ViewHelpRequests().size(), 1u);
    EXPECT_EQ(ViewHelpRequests()[0].helpFile, L"C:\\Orvane\\helpenu\\Orvane.chm");
    EXPECT_EQ(ViewHelpRequests()[0].topic, L"101903");
    ViewClearHelpRequests();
}

} // namespace
