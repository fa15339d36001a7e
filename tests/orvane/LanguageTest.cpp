// The language library, help and vial locations as the module calls them.
#include "orvane/CXRHelpAdmin.h"
#include "orvane/CbVialLocation.h"
#include "orvane/Nls.h"
#include "orvane/ViewHelp.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr std::wstring_view runComplete = L"Run complete.";
const ResourceEntry moduleStrings[] = {
    {6, 22007, LANG_ENGLISH_US, runComplete.data(), static_cast<DWORD>(runComplete.size())},
};

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
    EXPECT_EQ(load(module, 17001), L"OK");
    EXPECT_EQ(load(module, 22999), L"");

    EXPECT_EQ(NlsRemoveModule(module), NLS_OK);
    EXPECT_EQ(NlsRemoveModule(module), NLS_ERR_MODULE);
    EXPECT_EQ(GetModuleHandleW(L"langkit"), nullptr);
    EXPECT_EQ(load(module, 22007), L"");
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
