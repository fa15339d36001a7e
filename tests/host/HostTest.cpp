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
