// The module library as the host sees it: loadable, one export, and its resources by handle.
#include "kernel/Library.h"
#include "kernel/Resources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class ModuleLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryW(L"" SERION_MODULE_PATH);
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { FreeLibrary(module); }

    std::wstring loadString(UINT id, int capacity = 768)
    {
        std::vector<wchar_t> buffer(capacity);
        const int length = LoadStringW(module, id, buffer.data(), capacity);
        return std::wstring(buffer.data(), length);
    }

    HMODULE module = nullptr;
};

TEST_F(ModuleLibrary, CommandTableIsTheFiftySixBytesTheHostReads)
{
    HRSRC found = FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(101), LANG_ENGLISH_US);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(module, found), 56u);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const std::vector<unsigned char> expected = {
        'W', 'I', 'T', 'H', 'H', 'E', 'L', 'P', 0, 0x01, 0x00, 0x00, 0x80, 0x00,
        'F', 'I', 'A', 'R', 'U', 'N', 'N', 'E', 'R', 0, 0xEA, 0x03, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
        'F', 'I', 'A', 'C', 'O', 'N', 'T', 'R', 'O', 'L', 0, 0xE9, 0x03, 0x00, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00,
        0, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 56), expected);
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(102), RT_RCDATA), nullptr);
}

TEST_F(ModuleLibrary, StringTableHoldsTheTextsOtherPartsRelyOn)
{
    EXPECT_EQ(loadString(22000), L"Serion");
    EXPECT_EQ(loadString(22001), L"No OLE DB Error Information found: hr = 0x%x");
    EXPECT_EQ(loadString(22002), L"OLE DB Error Record dump retrieval failed: hr = 0x%x");
    EXPECT_EQ(loadString(22011), L" ");
    EXPECT_EQ(loadString(22015),
              L"%d old data folder still exists:\n%s \n\nDid you want to delete all old data and start the run?");
    EXPECT_EQ(loadString(22030), L"Open Serion Window.");
    EXPECT_EQ(loadString(22031), L"Serion Window Closed.");
    EXPECT_EQ(loadString(22032), L"Serion start group %s.");
    EXPECT_EQ(loadString(32773), L"Create a new method Group\nNew Group");
    EXPECT_EQ(loadString(32781, 260), L"\\helpenu\\Orvane.chm");
    // A small buffer cuts the text and still ends it; a missing id gives nothing.
    EXPECT_EQ(loadString(22031, 7), L"Serion");
    EXPECT_EQ(loadString(21999), L"");
}

TEST_F(ModuleLibrary, IsFoundByNameOnceLoadedAndExportsOnlyItsEntry)
{
    EXPECT_EQ(GetModuleHandleW(L"serion"), module);
    EXPECT_EQ(GetModuleHandleW(L"LIBSERION.SO"), module);
    EXPECT_NE(GetProcAddress(module, "OOCPSRV"), nullptr);
    EXPECT_EQ(LoadLibraryW(L"libno-such-module.so"), nullptr);

    std::unique_ptr<FILE, int (*)(FILE*)> listing(
        popen("nm -D --defined-only " SERION_MODULE_PATH " | awk '{print $3}'", "r"), pclose);
    ASSERT_TRUE(listing);
    std::string exported;
    char line[512];
    while (fgets(line, sizeof line, listing.get()))
        exported += line;
    EXPECT_EQ(exported, "OOCPSRV\n");
}

} // namespace
