// The running host as a module and a user meet it: the host window's messages, the menu entry,
// errors at the command line and the module's commands.
#include "FreshHost.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/Nls.h"
#include "win/Automation.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class HostTest : public FreshHost {
protected:
    std::wstring text(const char* name) { return CpVariables::instance().get(name)->text(); }
    UINT moduleEntryState()
    {
        return GetMenuState(GetSubMenu(GetMenu(host->window().handle()), 0), 0, MF_BYPOSITION);
    }
    static std::wstring hostString(UINT id)
    {
        wchar_t buffer[128] = {};
        NlsLoadString(nullptr, id, buffer, 128);
        return buffer;
    }
};

// A logbook record built byte for byte as a module builds it.
std::array<unsigned char, LogbookRecord::size> logbookRecord(std::int32_t id, std::int64_t time, const std::wstring& text)
{
    std::array<unsigned char, LogbookRecord::size> bytes{};
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(id) >> (8 * i));
    for (int i = 0; i < 8; ++i)
        bytes[16 + i] = static_cast<unsigned char>(static_cast<std::uint64_t>(time) >> (8 * i));
    const std::u16string units = WideToUtf16(text);
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[24 + 2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[25 + 2 * i] = static_cast<unsigned char>(units[i] >> 8);
    }
    return bytes;
}

TEST_F(HostTest, HostWindowRegistersModulesAndKeepsTheirLogbookEntries)
{
    start();
    HWND window = host->window().handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(Automation::findWindow(L"Orvane"), window);
    const auto registerSource = [window](const wchar_t* name) {
        return static_cast<std::int32_t>(SendMessageW(window, 0x408, 0, reinterpret_cast<LPARAM>(name)));
    };
    const auto write = [window](std::int32_t id, std::int64_t time, const std::wstring& text) {
        auto record = logbookRecord(id, time, text);
        return SendMessageW(window, 0x405, 0, reinterpret_cast<LPARAM>(record.data()));
    };

    const std::int32_t serion = registerSource(L"Serion");
    const std::int32_t other = registerSource(L"Other");
    EXPECT_GT(serion, 0);
    EXPECT_NE(serion, other);
    EXPECT_EQ(write(serion, 1773480413, L"Open Serion Window \U0001F600."), 0);
    SendMessageW(window, 0x409, static_cast<WPARAM>(serion), 0);
    EXPECT_FALSE(host->logbook().isRegistered(serion));
    // An entry after unregistering is still kept, under its id.
    write(serion, 1773480414, L"late");
    EXPECT_GT(registerSource(L"Serion again"), other);

    const std::vector<std::string>& lines = host->logbook().lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].ends_with(":53 Serion: Open Serion Window \xF0\x9F\x98\x80.")) << lines[0];
    EXPECT_TRUE(lines[1].ends_with(":54 module " + std::to_string(serion) + ": late")) << lines[1];
    EXPECT_TRUE(printed(L"Logbook: " + Utf8ToWide(lines[0])));
    EXPECT_EQ(ReadFileBytes(temp.path() / "logbook.txt"), lines[0] + "\n" + lines[1] + "\n");

    // A logbook file that cannot be written is said once, and again only after it worked meanwhile.
    const auto unwritable = [this] {
        return std::count_if(output.begin(), output.end(),
                             [](const std::wstring& line) { return line.find(L"cannot be written") != line.npos; });
    };
    std::filesystem::remove(temp.path() / "logbook.txt");
    std::filesystem::create_directory(temp.path() / "logbook.txt");
    write(other, 1773480415, L"lost 1");
    write(other, 1773480416, L"lost 2");
    EXPECT_EQ(unwritable(), 1);
    EXPECT_TRUE(printed(L"Logbook: the logbook file " + (temp.path() / "logbook.txt").wstring() +
                        L" cannot be written; entries are shown but not kept in it until it can. Check that it is "
                        L"not read-only and that its drive has space."));
    std::filesystem::remove(temp.path() / "logbook.txt");
    write(other, 1773480417, L"kept");
    EXPECT_TRUE(ReadFileBytes(temp.path() / "logbook.txt").ends_with(": kept\n"));

    // The text field is 264 units; a record filled to the brim stops at the field's end.
    std::array<unsigned char, LogbookRecord::size> full{};
    std::fill(full.begin() + 24, full.end(), 'A');
    EXPECT_EQ(LogbookRecord::decode(full.data()).text.size(), LogbookRecord::textCharacters);
}

TEST_F(HostTest, MenuStateGreysAndChecksTheModulesMenuEntry)
{
    start();
    const std::wstring menu = hostString(NLS_HOST_MENU_NAME);
    const std::wstring item = hostString(NLS_HOST_MODULE_ITEM);
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(moduleEntryState() & (MF_GRAYED | MF_CHECKED), 0u);

    // The command line the module sends when its window opens, then when it closes.
    const std::wstring prefix = L"MenuState \"" + menu + L"\", \"" + item + L"\", ";
    host->commandLine().run(prefix + L"\"Insensitive/Checked\"");
    EXPECT_EQ(moduleEntryState() & (MF_GRAYED | MF_CHECKED), MF_GRAYED | MF_CHECKED);
    // A greyed entry cannot be chosen; an enabled one opens the module's window with FIARUNNER.
    int opened = 0;
    MacroInterpreter::instance().registerCommand("FIARUNNER", 0, 1, [&opened](MacroCall&) { ++opened; });
    const std::wstring choose = L"MenuCommand \"Orvane\", " + std::to_wstring(HostWindow::ID_MODULE_WINDOW);
    EXPECT_NE(host->commandLine().run(choose), std::nullopt);
    EXPECT_EQ(opened, 0);
    host->commandLine().run(prefix + L"\"Sensitive/Unchecked\"");
    EXPECT_EQ(moduleEntryState() & (MF_GRAYED | MF_CHECKED), 0u);
    EXPECT_EQ(host->commandLine().run(choose), std::nullopt);
    EXPECT_EQ(opened, 1);

    host->commandLine().run(L"MenuState \"Nowhere\", \"Nothing\", \"Insensitive/Checked\"");
    EXPECT_EQ(text("_ERRMSG$"), L"MenuState: no menu entry \"Nowhere\", \"Nothing\"");
    host->commandLine().run(prefix + L"\"Invisible\"");
    EXPECT_NE(text("_ERRMSG$").find(L"unknown state \"Invisible\""), std::wstring::npos);
    EXPECT_EQ(moduleEntryState() & (MF_GRAYED | MF_CHECKED), 0u);
}

TEST_F(HostTest, CommandLineMistakesAreShownAndLeaveTheHostRunning)
{
    start();
    EXPECT_EQ(host->commandLine().run(L"FROBNICATE 1, 2"), std::nullopt);

    EXPECT_EQ(host->commandLine().run(L"Click \"No such window\", 1"), L"no visible window \"No such window\"");
    EXPECT_EQ(host->commandLine().run(L"Click \"Orvane\""),
              L"Click takes Click \"title\", id (got 1 arguments)");
    EXPECT_EQ(host->commandLine().run(L"Expect \"Orvane\", 5, \"unterminated"),
              L"Unterminated quote in: Expect \"Orvane\", 5, \"unterminated");
    EXPECT_EQ(host->commandLine().run(L"ExpectVar _NOSUCH, 1"), L"the host variable _NOSUCH does not exist");

    // Numbers a whole number or a wait cannot hold are refused, not cast.
    EXPECT_EQ(host->commandLine().run(L"Click \"Orvane\", 1e10"),
              L"the id \"1e10\" is not a whole number from 0 to 65535");
    EXPECT_EQ(host->commandLine().run(L"Click \"Orvane\", -1"), L"the id \"-1\" is not a whole number from 0 to 65535");
    const std::int64_t before = Clock::nowMs();
    EXPECT_EQ(host->commandLine().run(L"Wait 3000000"),
              L"the time \"3000000\" is not a number of seconds from 0 to 86400");
    EXPECT_EQ(host->commandLine().run(L"WaitWindow \"Orvane\", nan"),
              L"the time \"nan\" is not a number of seconds from 0 to 86400");
    EXPECT_EQ(Clock::nowMs(), before);

    host->commandLine().run(L"Print \"still here\"");
    EXPECT_EQ(output.back(), L"still here");
}

TEST_F(HostTest, ModuleCommandsJoinTheMacroLanguageAndAMissingModuleIsReported)
{
    start({temp.path() / "libmissing.so", SERION_MODULE_PATH});
    EXPECT_TRUE(printed(L"The Serion module is loaded; its commands: FIARUNNER, FIACONTROL."));
    EXPECT_TRUE(MacroInterpreter::instance().isKnownCommand("FIARUNNER"));
    EXPECT_TRUE(MacroInterpreter::instance().isKnownCommand("fiacontrol"));
    host.reset();
    EXPECT_FALSE(MacroInterpreter::instance().isKnownCommand("FIARUNNER"));

    output.clear();
    host.emplace(HostRoot(temp.path()), collect());
    start({temp.path() / "libmissing.so"});
    ASSERT_EQ(output.size(), 1u);
    EXPECT_TRUE(output[0].starts_with(L"The Serion module is not available: libserion.so was not found")) << output[0];
    host->commandLine().run(L"FIARUNNER");
    EXPECT_EQ(output.back(), L"Error: Unknown command: FIARUNNER");

    // A file that is there but is no library is reported as such.
    output.clear();
    host.reset();
    WriteFileBytes(temp.path() / "libbroken.so", "not a library");
    host.emplace(HostRoot(temp.path()), collect());
    start({temp.path() / "libbroken.so"});
    ASSERT_EQ(output.size(), 1u);
    EXPECT_TRUE(output[0].ends_with(L"libbroken.so cannot be loaded.")) << output[0];
}

} // namespace
