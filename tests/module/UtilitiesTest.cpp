// MenuState's command line, the host's message register, reading host texts and deleting folders.
#include "ModuleTestSupport.h"

#include "module/DeleteFolder.h"
#include "module/MenuState.h"
#include "module/ModMsgText.h"
#include "module/ReadStrVar.h"
#include "module/ShowSystemError.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/Nls.h"
#include "orvane/RegisterStore.h"

#include <filesystem>

namespace {

using Utilities = ModuleTest;
namespace fs = std::filesystem;

TEST_F(Utilities, MenuStateCommandLinesDifferOnlyInTheirLastArgument)
{
    MenuState(FALSE);
    MenuState(TRUE);
    const std::wstring names = L"MenuState \"" + HostString(NLS_HOST_MENU_NAME) + L"\", \"" +
                               HostString(NLS_HOST_MODULE_ITEM) + L"\", ";
    EXPECT_EQ(QueuedLines(), (std::vector<std::wstring>{names + L"\"Insensitive/Checked\"",
                                                        names + L"\"Sensitive/Unchecked\""}));
}

TEST_F(Utilities, MenuStateGreysAndChecksTheHostsEntryThenRestoresIt)
{
    HMENU modules = GetSubMenu(GetMenu(m_hostWindow.handle()), 0);
    const UINT entry = HostWindow::ID_MODULE_WINDOW;

    MenuState(FALSE);
    EXPECT_EQ(MacroInterpreter::instance().runQueuedCommands(), 1);
    EXPECT_EQ(GetMenuState(modules, entry, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), MF_GRAYED | MF_CHECKED);

    MenuState(TRUE);
    EXPECT_EQ(MacroInterpreter::instance().runQueuedCommands(), 1);
    EXPECT_EQ(GetMenuState(modules, entry, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), 0u);
}

TEST_F(Utilities, ModMsgTextReadsTheFirstObjectsMessageAndIsEmptyOnAnyFailure)
{
    EXPECT_EQ(ModMsgText(L"GUI"), L"") << "no such register";

    Register& gui = RegisterStore::instance().obtain(L"GUI");
    EXPECT_EQ(ModMsgText(L"GUI"), L"") << "no object";
    RegObject& first = gui.addObject();
    EXPECT_EQ(ModMsgText(L"GUI"), L"") << "no item";
    first.setText(L"ModMsgText", L"Lamp not ready");
    EXPECT_EQ(ModMsgText(L"gui"), L"Lamp not ready");

    ASSERT_TRUE(gui.lockWrite());
    EXPECT_EQ(ModMsgText(L"GUI"), L"") << "locked by a writer";
    gui.unlockWrite();
    EXPECT_EQ(gui.readers(), 0) << "the read lock is given back";
}

TEST_F(Utilities, ReadStrVarReadsTextsOfAnyLengthAndRefusesNumbersAndUnknownNames)
{
    const std::wstring longText(1000, L'x');
    CpSetStrVar(m_context, "LONGTEXT$", longText.c_str());
    std::wstring text = L"unchanged";
    EXPECT_TRUE(ReadStrVar("LONGTEXT$", text));
    EXPECT_EQ(text, longText);

    CpSetStrVar(m_context, "EMPTY$", L"");
    EXPECT_TRUE(ReadStrVar("EMPTY$", text));
    EXPECT_EQ(text, L"");

    text = L"unchanged";
    EXPECT_FALSE(ReadStrVar("_OFFLINE", text));
    EXPECT_FALSE(ReadStrVar("NO_SUCH_VARIABLE$", text));
    EXPECT_EQ(text, L"unchanged");
}

TEST_F(Utilities, SystemErrorShowsTheSystemsTextWithTheInformationIconAndOk)
{
    std::vector<bool> informationIcons;
    std::vector<std::wstring> snapshots;
    auto acknowledge = [&] {
        HWND box = Automation::topLevelWindows().front();
        bool information = false;
        for (HWND child : Automation::children(box))
            information = information || Automation::describe(child).iconName == L"information";
        informationIcons.push_back(information);
        snapshots.push_back(Automation::snapshot(box));
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_RETURN)));
    };
    m_user.then(acknowledge).then(acknowledge);
    ShowSystemError(ERROR_ACCESS_DENIED);
    ShowSystemError(0xDEAD);

    ASSERT_EQ(snapshots.size(), 2u);
    EXPECT_EQ(informationIcons, (std::vector<bool>{true, true}));
    EXPECT_NE(snapshots[0].find(L"Access is denied."), std::wstring::npos) << WideToUtf8(snapshots[0]);
    EXPECT_EQ(snapshots[0].find(L"Cancel"), std::wstring::npos) << "only an OK button";
    EXPECT_EQ(snapshots[1].find(L"Access"), std::wstring::npos) << "a code without a text shows an empty box";
    for (HWND window : Automation::topLevelWindows())
        EXPECT_NE(Automation::describe(window).className, L"#32770") << "every box was closed";
}

class DeleteFolderTest : public ModuleTest {
protected:
    // A data folder with a sub-folder, a read-only file and an empty folder, as a run leaves it.
    fs::path MakeTree()
    {
        const fs::path top = m_root.onDriveC("Data/Group1");
        WriteFileBytes(top / "N1.d/RUN.LOG", "run");
        WriteFileBytes(top / "N1.d/SIGNAL.CH", "signal");
        WriteFileBytes(top / "REPORT.TXT", "report");
        fs::create_directories(top / "N2.d/empty");
        const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        fs::permissions(top / "N1.d/SIGNAL.CH", writable, fs::perm_options::remove);
        return top;
    }
};

TEST_F(DeleteFolderTest, TreeWithAReadOnlyFileGoesWhole)
{
    const fs::path top = MakeTree();
    EXPECT_EQ(DeleteFolder(L"C:\\Data\\Group1"), TRUE);
    EXPECT_FALSE(fs::exists(top));
    EXPECT_TRUE(fs::exists(top.parent_path()));
}

TEST_F(DeleteFolderTest, TrailingSeparatorsChangeNothing)
{
    for (const wchar_t* path : {L"C:\\Data\\Group1\\", L"C:\\Data\\Group1\\\\", L"C:/Data/Group1/"}) {
        const fs::path top = MakeTree();
        EXPECT_EQ(DeleteFolder(path), TRUE) << WideToUtf8(path);
        EXPECT_FALSE(fs::exists(top)) << WideToUtf8(path);
    }
}

TEST_F(DeleteFolderTest, FileOrMissingPathIsLeftAloneAndAnswersZero)
{
    const fs::path top = MakeTree();
    EXPECT_EQ(DeleteFolder(L"C:\\Data\\Group1\\REPORT.TXT"), FALSE);
    EXPECT_TRUE(fs::exists(top / "REPORT.TXT"));
    EXPECT_EQ(DeleteFolder(L"C:\\Data\\Nothing"), FALSE);
    EXPECT_TRUE(fs::exists(top / "N1.d/SIGNAL.CH"));
}

} // namespace
