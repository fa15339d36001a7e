// Logbook records as the host window receives them, and trace log entries as the file holds them.
#include "ModuleTestSupport.h"

#include "module/LogbookWrite.h"
#include "module/ModuleSettings.h"
#include "module/TraceLog.h"

#include "kernel/Clock.h"
#include "kernel/TimeApi.h"

#include <cstdio>

#include <regex>

namespace {

// A host window that keeps each logbook record's bytes as they arrive.
class RecordingHostWindow {
public:
    RecordingHostWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &RecordingHostWindow::Procedure;
        windowClass.lpszClassName = L"RecordingHostWindow";
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, L"RecordingHostWindow", L"Recorder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
        records().clear();
    }
    ~RecordingHostWindow() { DestroyWindow(m_window); }
    HWND handle() const { return m_window; }
    static std::vector<std::vector<BYTE>>& records()
    {
        static std::vector<std::vector<BYTE>> received;
        return received;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_HOST_LOGBOOK_ENTRY && wParam == 0) {
            const auto* record = reinterpret_cast<const BYTE*>(lParam);
            records().emplace_back(record, record + LOGBOOK_RECORD_SIZE);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND m_window;
};

std::uint64_t LittleEndian(const std::vector<BYTE>& record, std::size_t offset, std::size_t bytes)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(record[offset + i]) << (8 * i);
    return value;
}

std::u16string RecordText(const std::vector<BYTE>& record)
{
    std::u16string text;
    for (std::size_t offset = 24; offset < LOGBOOK_RECORD_SIZE; offset += 2)
        if (char16_t character = static_cast<char16_t>(LittleEndian(record, offset, 2)))
            text.push_back(character);
        else
            break;
    return text;
}

using Logbook552 = ModuleTest;

TEST_F(Logbook552, RecordCarriesIdTimeAndTextWithEveryOtherByteZero)
{
    RecordingHostWindow recorder;
    ModuleSettings.hHostWnd = recorder.handle();
    ModuleSettings.nLogbookId = 0x01020304;

    EXPECT_TRUE(LogbookWrite(L"Open Serion Window."));
    ASSERT_EQ(RecordingHostWindow::records().size(), 1u);
    const std::vector<BYTE>& record = RecordingHostWindow::records()[0];
    EXPECT_EQ(LittleEndian(record, 0, 4), 0u);
    EXPECT_EQ(LittleEndian(record, 4, 4), 0x01020304u);
    EXPECT_EQ(LittleEndian(record, 8, 8), 0u);
    EXPECT_EQ(static_cast<std::int64_t>(LittleEndian(record, 16, 8)), Clock::nowMs() / 1000);
    EXPECT_EQ(RecordText(record), u"Open Serion Window.");
    for (std::size_t offset = 24 + 2 * 19; offset < LOGBOOK_RECORD_SIZE; ++offset)
        ASSERT_EQ(record[offset], 0) << "byte " << offset;
}

TEST_F(Logbook552, LongTextIsCutTo259CharactersAndStaysTerminated)
{
    RecordingHostWindow recorder;
    ModuleSettings.hHostWnd = recorder.handle();
    std::wstring text;
    for (int i = 0; i < 300; ++i)
        text.push_back(static_cast<wchar_t>(L'a' + i % 26));

    EXPECT_TRUE(LogbookWrite(text));
    const std::vector<BYTE>& record = RecordingHostWindow::records().at(0);
    const std::u16string shown = RecordText(record);
    ASSERT_EQ(shown.size(), 259u);
    EXPECT_EQ(shown, std::u16string(text.begin(), text.begin() + 259));
    for (std::size_t offset = 24 + 2 * 259; offset < LOGBOOK_RECORD_SIZE; ++offset)
        ASSERT_EQ(record[offset], 0) << "byte " << offset;
}

TEST_F(Logbook552, LineBreaksArriveAtTheHostLogbookAsBlanks)
{
    EXPECT_TRUE(LogbookWrite(L"Serion start group\r\nNitrate\nrun.\r"));
    EXPECT_TRUE(LogbookWriteId(22031));
    EXPECT_EQ(LogbookTexts(),
              (std::vector<std::wstring>{L"Serion start group  Nitrate run. ", L"Serion Window Closed."}));
}

using TraceLogFile = ModuleTest;

TEST_F(TraceLogFile, EntryWithoutLineEndRunsIntoTheNextEntrysDate)
{
    TraceLog(3, L"CleanRunState");
    TraceLog(3, L"UpdateRowState: %ld, %d\n", 12L, 2);
    TraceLog(3, L"StartMethod: %s\n", L"NITRATE.M");

    const std::string log = ReadFileBytes(m_root.onDriveC("SRNA.LOG"));
    const std::string stamp = R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d: )";
    const std::regex expected(stamp + "CleanRunState" + stamp + "UpdateRowState: 12, 2\r\n" + stamp +
                              "StartMethod: NITRATE.M\r\n");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
    std::tm local{};
    const __time64_t now = Clock::nowMs() / 1000;
    _localtime64_s(&local, &now);
    char first[32];
    std::snprintf(first, sizeof first, "%02d/%02d/%02d %02d:%02d:%02d: ", local.tm_mon + 1, local.tm_mday,
                  local.tm_year % 100, local.tm_hour, local.tm_min, local.tm_sec);
    EXPECT_EQ(log.substr(0, 19), first) << "the virtual clock's local date and time";
}

} // namespace
