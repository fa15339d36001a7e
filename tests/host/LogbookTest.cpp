// The logbook as modules use it: register, send 552-byte records, unregister.
#include "host/Logbook.h"

#include "kernel/Text.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// A record built byte for byte as a module builds it.
std::array<unsigned char, LogbookRecord::size> record(std::int32_t id, std::int64_t time, const std::wstring& text)
{
    std::array<unsigned char, LogbookRecord::size> bytes{};
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(id) >> (8 * i));
    for (int i = 0; i < 8; ++i)
        bytes[16 + i] = static_cast<unsigned char>(static_cast<std::uint64_t>(time) >> (8 * i));
    const std::u16string units = WideToUtf16(text);
    for (std::size_t i = 0; i < units.size() && i < 259; ++i) {
        bytes[24 + 2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[25 + 2 * i] = static_cast<unsigned char>(units[i] >> 8);
    }
    return bytes;
}

TEST(LogbookRecord, DecodesIdTimeAndTextOutsideTheBasicPlane)
{
    const auto bytes = record(7, 1773480413, L"Serion start group \U0001F600 Nitrate.");
    const LogbookEntry entry = LogbookRecord::decode(bytes.data());
    EXPECT_EQ(entry.logbookId, 7);
    EXPECT_EQ(entry.time, 1773480413);
    EXPECT_EQ(entry.text, L"Serion start group \U0001F600 Nitrate.");

    // The text field is 264 units; a record filled to the brim stops at the field's end.
    std::array<unsigned char, LogbookRecord::size> full{};
    std::fill(full.begin() + 24, full.end(), 'A');
    EXPECT_EQ(LogbookRecord::decode(full.data()).text.size(), LogbookRecord::textCharacters);
}

TEST(Logbook, EntriesAreKeptShownAndAppendedUnderTheRegisteredName)
{
    TempRoot temp;
    std::vector<std::string> shown;
    Logbook logbook(temp.path() / "logbook.txt", [&](const std::string& line) { shown.push_back(line); });
    const std::int32_t serion = logbook.registerSource(L"Serion");
    const std::int32_t other = logbook.registerSource(L"Other");
    EXPECT_NE(serion, other);

    logbook.write(LogbookRecord::decode(record(serion, 1773480413, L"Open Serion Window.").data()));
    logbook.unregisterSource(serion);
    EXPECT_FALSE(logbook.isRegistered(serion));
    // An entry after unregistering is still kept, under its id.
    logbook.write(LogbookRecord::decode(record(serion, 1773480414, L"late").data()));
    EXPECT_EQ(logbook.registerSource(L"Serion again") > other, true);

    ASSERT_EQ(logbook.lines().size(), 2u);
    EXPECT_TRUE(logbook.lines()[0].ends_with(":53 Serion: Open Serion Window.")) << logbook.lines()[0];
    EXPECT_TRUE(logbook.lines()[1].ends_with(":54 module 1: late")) << logbook.lines()[1];
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Logbook: " + logbook.lines()[0]);
    EXPECT_EQ(ReadFileBytes(temp.path() / "logbook.txt"), logbook.lines()[0] + "\n" + logbook.lines()[1] + "\n");
}

} // namespace
