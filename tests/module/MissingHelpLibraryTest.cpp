// A system without HTML Help: the first help request finds no library, and that is remembered.
// Its own program, so that no earlier test has looked the library up already.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"

#include "host/DemoWorklist.h"
#include "host/InstalledHelp.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "resources/ResourceIds.h"
#include "win/HtmlHelp.h"

namespace {

class MissingHelpLibrary : public ModuleTest {};

TEST_F(MissingHelpLibrary, HelpDoesNothingAndDoesNotLookForTheLibraryAgain)
{
    WriteFileBytes(m_root.onDriveC("Orvane/Auto/helpenu/Orvane.chm"), InstalledHelpFile());
    std::string error;
    ASSERT_TRUE(CreateDemoWorklist(m_root.onDriveC("Orvane/Auto/database/worklist.mdb"), "C:\\Orvane\\Methods\\", error)) << error;
    std::filesystem::create_directories(m_root.onDriveC("Orvane/Methods"));
    const HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(library, nullptr) << "the platform has HTML Help";
    const ModuleExport htmlHelp[] = {{HH_HTMLHELPW_ORDINAL, "HtmlHelpW", GetProcAddress(library, MAKEINTRESOURCEA(HH_HTMLHELPW_ORDINAL))}};
    ASSERT_NE(htmlHelp[0].procedure, nullptr);
    WithdrawModule(L"hhctrl.ocx");
    ASSERT_EQ(LoadLibraryW(L"hhctrl.ocx"), nullptr);

    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    const auto windowCount = Automation::topLevelWindows().size();
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_F1)));
    EXPECT_EQ(Automation::topLevelWindows().size(), windowCount) << "no help window and no message";

    // The library is back, but the module looked once and remembers that it found none.
    AnnounceModule(L"hhctrl.ocx", library, htmlHelp);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_MODULE_HELP)));
    const auto addMethod = [] { return Automation::findWindow(L"Add Method(s)"); };
    m_user.then([&] {
        ASSERT_NE(addMethod(), nullptr);
        EXPECT_TRUE(Done(Automation::click(addMethod(), IDHELP)));
        EXPECT_EQ(Automation::findWindow(L"Orvane Help"), nullptr);
        EXPECT_TRUE(Done(Automation::click(addMethod(), IDCANCEL))) << "the dialog goes on";
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";
    EXPECT_EQ(Automation::topLevelWindows().size(), windowCount);
}

} // namespace
