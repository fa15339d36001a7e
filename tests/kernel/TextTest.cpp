// Windows formats, text conversions and JSON objects.
#include "kernel/JsonObject.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(WinFormat, ConversionsKeepTheirWindowsMeaning)
{
    const std::int32_t status = static_cast<std::int32_t>(0x80040E37);
    EXPECT_EQ(FormatWin(L"OnCompleteMethod: 0x%08lX %s\n", status, L"Run complete."),
              L"OnCompleteMethod: 0x80040E37 Run complete.\n");
    EXPECT_EQ(FormatWin(L"UpdateRowState: %ld, %d\n", std::int32_t{-7}, 3), L"UpdateRowState: -7, 3\n");
    EXPECT_EQ(FormatWin(L"%S and %hs and %ls", "narrow", "short", L"wide"), L"narrow and short and wide");
    EXPECT_EQ(FormatWin(L"%I64d|%5.2f|%-4d|%c|100%%", std::int64_t{1} << 40, 2.5, 7, L'x'),
              L"1099511627776| 2.50|7   |x|100%");
    EXPECT_EQ(FormatWin(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
    EXPECT_EQ(FormatWin(L"trailing %"), L"trailing %");
    // A star takes the width from the arguments; an unknown conversion stays as written.
    EXPECT_EQ(FormatWin(L"[%*d] %lq %d", 4, 7, 9), L"[   7] %lq 9");
}

TEST(TextConversion, RoundTripsAndCaseBlindComparison)
{
    const std::wstring text = L"Gr\u00FCn \u03A9 \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(L"\u00FC"), "\xC3\xBC");
    const std::u16string utf16 = WideToUtf16(text);
    EXPECT_EQ(utf16.size(), text.size() + 1); // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToWide(utf16), text);
    EXPECT_EQ(Utf8ToWide("\xFF" "a"), L"\uFFFD" L"a");
    EXPECT_TRUE(EqualsNoCase(L"_AutoMsPath$", L"_AUTOMSPATH$"));
    EXPECT_TRUE(EqualsNoCase(std::string("methodon"), std::string("_METHODON").substr(1)));
    EXPECT_FALSE(EqualsNoCase(L"abc", L"abcd"));
}

} // namespace
