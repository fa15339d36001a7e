// Modules found by name and by address, and resources looked up in a module's announced table.
#include "kernel/FileApi.h"
#include "kernel/Library.h"
#include "kernel/Resources.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr std::wstring_view greeting = L"Hello from the program";
const unsigned char english[] = {1, 2, 3};
const unsigned char german[] = {4, 5};
const ResourceEntry programResources[] = {
    {6, 500, LANG_ENGLISH_US, greeting.data(), static_cast<DWORD>(greeting.size())},
    {10, 7, 1031, german, sizeof german},
    {10, 7, LANG_ENGLISH_US, english, sizeof english},
};

TEST(Resources, AnnouncedTableIsFoundByHandleTypeIdAndLanguage)
{
    HMODULE program = RegisterModuleResources(programResources, programResources);
    ASSERT_EQ(program, GetModuleHandleW(nullptr));

    HRSRC german7 = FindResourceExW(program, RT_RCDATA, MAKEINTRESOURCEW(7), 1031);
    ASSERT_NE(german7, nullptr);
    EXPECT_EQ(SizeofResource(program, german7), 2u);
    // A language the table lacks falls back to the language it has.
    HRSRC french7 = FindResourceExW(program, RT_RCDATA, MAKEINTRESOURCEW(7), 1036);
    ASSERT_NE(french7, nullptr);
    EXPECT_EQ(SizeofResource(program, french7), 3u);
    EXPECT_EQ(FindResourceW(program, MAKEINTRESOURCEW(7), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(FindResourceW(program, L"named", RT_RCDATA), nullptr);

    // Capacity 0 hands out the text in place, with its length.
    const wchar_t* inPlace = nullptr;
    EXPECT_EQ(LoadStringW(program, 500, reinterpret_cast<LPWSTR>(&inPlace), 0), static_cast<int>(greeting.size()));
    EXPECT_EQ(std::wstring_view(inPlace, greeting.size()), greeting);
    // A small buffer cuts the text and still ends it; a missing id gives nothing.
    wchar_t cut[6];
    EXPECT_EQ(LoadStringW(program, 500, cut, 6), 5);
    EXPECT_STREQ(cut, L"Hello");
    EXPECT_EQ(LoadStringW(program, 501, cut, 6), 0);

    UnregisterModuleResources(program);
    EXPECT_EQ(FindResourceW(program, MAKEINTRESOURCEW(7), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_DATA_NOT_FOUND);
}

} // namespace
