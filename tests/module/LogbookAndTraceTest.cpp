// Logbook records as the host window receives them, and trace log entries as the file holds them.
#include "ModuleTestSupport.h"

#include "module/core/LogbookWrite.h"
#include "module/core/ModuleSettings.h"
#include "module/core/TraceLog.h"

#include "kernel/Clock.h"

namespace {

// The logbook records a host window received, each as its bytes.
std::vector<std::string> received;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_HOST_LOGBOOK_ENTRY || wParam != 0)
        return DefWindowProcW(window, message, wParam, lParam);
    received.emplace_back(reinterpret_cast<const char*>(lParam), LOGBOOK_RECORD_SIZE);
    return 0;
}

// The little-endian number in the record's bytes from offset on.
std::uint64_t Number(const std::string& record, std::size_t offset, std::size_t bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(static_cast<BYTE>(record[offset + i])) << (8 * i);
    return value;
}

using Logbook552 = ModuleTest;

TEST_F(Logbook552, RecordCarriesIdTimeAndTextCutTo259CharactersWithEveryOtherByteZeroAndLineBreaksAsBlanks)
{
    EXPECT_TRUE(LogbookWrite(L"Serion start group\r\nNitrate\nrun.\r"));
    EXPECT_TRUE(LogbookWriteId(22031));
    EXPECT_EQ(LogbookTexts(),
              (std::vector<std::wstring>{L"Serion start group  Nitrate run. ", L"Serion Window Closed."}));

    // The record's bytes, as a window of its own in the host's place receives them.
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.lpszClassName = L"RecordingHostWindow";
    RegisterClassW(&windowClass);
    ModuleSettings.hHostWnd = CreateWindowExW(0, L"RecordingHostWindow", L"Recorder", WS_OVERLAPPED, 0, 0, 10, 10,
                                              nullptr, nullptr, nullptr, nullptr);
    ModuleSettings.nLogbookId = 0x01020304;
    std::wstring longText;
    for (int i = 0; i < 300; ++i)
        longText.push_back(static_cast<wchar_t>(L'a' + i % 26));

    received.clear();
    EXPECT_TRUE(LogbookWrite(L"Open Serion Window."));
    EXPECT_TRUE(LogbookWrite(longText));
    DestroyWindow(ModuleSettings.hHostWnd);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(Number(received[0], 0, 4), 0u);
    EXPECT_EQ(Number(received[0], 4, 4), 0x01020304u);
    EXPECT_EQ(Number(received[0], 8, 8), 0u);
    EXPECT_EQ(static_cast<std::int64_t>(Number(received[0], 16, 8)), Clock::nowMs() / 1000);
    const std::wstring texts[] = {L"Open Serion Window.", longText.substr(0, 259)};
    for (std::size_t i = 0; i < 2; ++i) {
        for (std::size_t at = 0; at < texts[i].size(); ++at)
            ASSERT_EQ(Number(received[i], 24 + 2 * at, 2), static_cast<std::uint64_t>(texts[i][at])) << "at " << at;
        EXPECT_EQ(received[i].find_first_not_of('\0', 24 + 2 * texts[i].size()), std::string::npos)
            << "every byte after the text is zero";
    }
}

using TraceLogFile = ModuleTest;

TEST_F(TraceLogFile, EntryWithoutLineEndRunsIntoTheNextEntrysDate)
{
    TraceLog(3, L"CleanRunState");
    TraceLog(3, L"UpdateRowState: %ld, %d\n", 12L, 2);
    TraceLog(3, L"StartMethod: %s\n", L"NITRATE.M");

    // Every entry carries the virtual clock's local date and time.
    const std::string stamp = "03/14/26 09:26:53: ";
    EXPECT_EQ(ReadFileBytes(m_root.onDriveC("SRNA.LOG")),
              stamp + "CleanRunState" + stamp + "UpdateRowState: 12, 2\r\n" + stamp + "StartMethod: NITRATE.M\r\n");

    // A log that cannot be written is said in the logbook once, and again once it failed anew.
    std::filesystem::remove(m_root.onDriveC("SRNA.LOG"));
    std::filesystem::create_directory(m_root.onDriveC("SRNA.LOG"));
    TraceLog(3, L"lost\n");
    TraceLog(3, L"lost again\n");
    std::filesystem::remove(m_root.onDriveC("SRNA.LOG"));
    TraceLog(3, L"kept\n");
    const std::wstring said = L"Serion cannot write its trace log C:\\SRNA.LOG; its entries are lost until the file "
                              L"can be written again. Check that the file is not read-only and that its drive has "
                              L"space.";
    EXPECT_EQ(LogbookTexts(), std::vector<std::wstring>{said});
    EXPECT_EQ(ReadFileBytes(m_root.onDriveC("SRNA.LOG")), stamp + "kept\r\n");
}

} // namespace
