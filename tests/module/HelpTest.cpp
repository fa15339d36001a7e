// Help as a user reads it: F1, the Help command and the Help buttons of the main window, Autoname,
// Add Method(s), Run Queue, the export, the import, the audit trail and QC Rules show their topics of the
// installed help file in the help window.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"

#include "host/DemoWorklist.h"
#include "host/InstalledHelp.h"

#include "resources/ResourceIds.h"
#include "win/HelpWindow.h"
#include "win/ListViewAutomation.h"

#include <gmock/gmock.h>

#include <tuple>

using testing::HasSubstr;

namespace {

constexpr const wchar_t* kHelpTitle = L"Orvane Help";

class Help : public ModuleTest {
protected:
    void SetUp() override
    {
        // The module's help file lies below _AUTOPATH$ (C:\Orvane\Auto here), the worklist below
        // _AUTOMSPATH$; the demo group gives Autoname a first row.
        WriteFileBytes(m_root.onDriveC("Orvane/Auto/helpenu/Orvane.chm"), InstalledHelpFile());
        std::string error;
        ASSERT_TRUE(CreateDemoWorklist(m_root.onDriveC("Orvane/Auto/database/worklist.mdb"), "C:\\Orvane\\Methods\\", error))
            << error;
        std::filesystem::create_directories(m_root.onDriveC("Orvane/Methods/NITRATE.M"));
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    }

    static HWND HelpWindow() { return Automation::findWindow(kHelpTitle); }

    // The heading the help window shows, empty without one.
    static std::wstring ShownTopic()
    {
        const HWND help = HelpWindow();
        return help ? Automation::describe(GetDlgItem(help, HelpWindow::headingId)).text : L"";
    }

    static WindowInfo HelpText() { return Automation::describe(GetDlgItem(HelpWindow(), HelpWindow::textId)); }

    static void CloseHelpWithEscape()
    {
        ASSERT_NE(HelpWindow(), nullptr);
        EXPECT_TRUE(Done(Automation::pressKey(HelpWindow(), VK_ESCAPE)));
        EXPECT_EQ(HelpWindow(), nullptr) << "Escape closes the help window";
    }
};

TEST_F(Help, EachDialogShowsItsOwnTopicForF1AndTheHelpButtonAndPropertiesAndAddGroupTheMainWindows)
{
    const auto autoname = [] { return Automation::findWindow(L"Autoname Data files"); };
    m_user.then([&] {
        ASSERT_NE(autoname(), nullptr);
        EXPECT_TRUE(Done(Automation::click(autoname(), IDHELP)));
        EXPECT_EQ(ShownTopic(), L"Autoname Data files");
        EXPECT_THAT(HelpText().text, HasSubstr(L"NIT0000000005.d"));
        EXPECT_EQ(GetWindow(HelpWindow(), GW_OWNER), autoname());
        CloseHelpWithEscape();
        // F1 in a field asks the dialog, which shows the same topic; the dialog goes on.
        EXPECT_TRUE(Done(Automation::pressKey(autoname(), VK_F1)));
        EXPECT_EQ(ShownTopic(), L"Autoname Data files");
        // The help window covers the dialog until it is closed.
        EXPECT_FALSE(Automation::click(autoname(), IDCANCEL).ok);
        EXPECT_TRUE(Done(Automation::pressKey(autoname(), VK_ESCAPE))) << "Escape in the dialog cancels it";
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_AUTONAME)));
    EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";
    EXPECT_EQ(HelpWindow(), nullptr) << "the dialog's help went with it";

    // The main window's help gives way to Add Method(s)' own.
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_F1)));
    const auto addMethod = [] { return Automation::findWindow(L"Add Method(s)"); };
    m_user.then([&] {
        ASSERT_NE(addMethod(), nullptr);
        EXPECT_TRUE(Done(Automation::pressKey(addMethod(), VK_F1)));
        EXPECT_EQ(ShownTopic(), L"Add Method(s)");
        EXPECT_THAT(HelpText().text, HasSubstr(L"FIA Table details"));
        EXPECT_EQ(Automation::topLevelWindows().size(), 4u) << "one help window, the dialog, the main and host windows";
        CloseHelpWithEscape();
        EXPECT_TRUE(Done(Automation::click(addMethod(), IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";

    // Properties and Add Group show the main window's topic, which tells of them; the run queue,
    // the export, the import, the audit trail and the QC rules their own.
    ASSERT_TRUE(Done(ListViewAutomation::selectItems(Viewer(), IDC_METHOD_LIST, {0})));
    for (const auto& [command, title, topic] :
         {std::tuple{ID_PROPERTIES, L"Properties", L"Run Serion Methods"}, std::tuple{ID_ADD_GROUP, L"Add Group", L"Run Serion Methods"},
          std::tuple{ID_RUN_QUEUE, L"Run Queue", L"Run Queue"}, std::tuple{ID_EXPORT_RESULTS, L"Export Results", L"Export Results"},
          std::tuple{ID_IMPORT_WORKLIST, L"Import Worklist", L"Import Worklist"},
          std::tuple{ID_AUDIT_TRAIL, L"Audit Trail", L"Audit Trail"}, std::tuple{ID_QC_RULES, L"QC Rules", L"QC Rules"}}) {
        m_user.then([&] {
            const HWND dialog = Automation::findWindow(title);
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(Done(Automation::pressKey(dialog, VK_F1)));
            EXPECT_EQ(ShownTopic(), topic) << title;
            EXPECT_EQ(GetWindow(HelpWindow(), GW_OWNER), dialog) << title;
            CloseHelpWithEscape();
            EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
        });
        ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), command)));
        EXPECT_EQ(m_user.pendingActions(), 0u) << title;
    }
}

TEST_F(Help, AHelpFileWithoutTheTopicOrNoHelpFileIsSaidAndTheWindowGoesOn)
{
    WriteFileBytes(m_root.onDriveC("Orvane/Auto/helpenu/Orvane.chm"), "Orvane Help\n[101902] Autoname Data files\nText.\n");
    const auto answerBox = [this](std::wstring& text) {
        m_user.then([&text] {
            const HWND box = Automation::findWindow(L"HTML Help");
            ASSERT_NE(box, nullptr);
            text = Automation::snapshot(box);
            EXPECT_TRUE(Done(Automation::click(box, IDOK)));
        });
    };
    std::wstring said;
    answerBox(said);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_MODULE_HELP)));
    EXPECT_THAT(said, HasSubstr(L"The help file C:\\Orvane\\Auto\\helpenu\\Orvane.chm has no topic 101901."));
    EXPECT_EQ(HelpWindow(), nullptr);

    std::filesystem::remove(m_root.onDriveC("Orvane/Auto/helpenu/Orvane.chm"));
    answerBox(said);
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_F1)));
    EXPECT_THAT(said, HasSubstr(L"Cannot open the help file C:\\Orvane\\Auto\\helpenu\\Orvane.chm."));
    EXPECT_EQ(m_user.pendingActions(), 0u);
    EXPECT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_CHECK_ALL))) << "the window goes on";
}

} // namespace
