// The host's message register, reading host texts and deleting folders.
#include "ModuleTestSupport.h"

#include "module/core/CsvLine.h"
#include "module/core/DeleteFolder.h"
#include "module/core/ModMsgText.h"
#include "module/core/ReadStrVar.h"
#include "module/core/ShowSystemError.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/RegisterStore.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

using Utilities = ModuleTest;
namespace fs = std::filesystem;

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
    std::vector<std::wstring> snapshots;
    auto acknowledge = [&] {
        HWND box = Automation::topLevelWindows().front();
        snapshots.push_back(Automation::snapshot(box));
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_RETURN)));
    };
    m_user.then(acknowledge).then(acknowledge);
    ShowSystemError(ERROR_ACCESS_DENIED);
    ShowSystemError(0xDEAD);

    ASSERT_EQ(snapshots.size(), 2u);
    for (const std::wstring& snapshot : snapshots)
        EXPECT_NE(snapshot.find(L"icon=information"), std::wstring::npos) << WideToUtf8(snapshot);
    EXPECT_NE(snapshots[0].find(L"Access is denied."), std::wstring::npos) << WideToUtf8(snapshots[0]);
    EXPECT_EQ(snapshots[0].find(L"Cancel"), std::wstring::npos) << "only an OK button";
    EXPECT_EQ(snapshots[1].find(L"Access"), std::wstring::npos) << "a code without a text shows an empty box";
    for (HWND window : Automation::topLevelWindows())
        EXPECT_NE(Automation::describe(window).className, L"#32770") << "every box was closed";
}

TEST_F(Utilities, DeleteFolderTakesAWholeTreeWithAReadOnlyFileAndLeavesFilesAndMissingPathsAlone)
{
    // A data folder with a sub-folder, a read-only file and an empty folder, as a run leaves it.
    const fs::path top = m_root.onDriveC("Data/Group1");
    auto makeTree = [&] {
        WriteFileBytes(top / "N1.d/RUN.LOG", "run");
        WriteFileBytes(top / "N1.d/SIGNAL.CH", "signal");
        WriteFileBytes(top / "REPORT.TXT", "report");
        fs::create_directories(top / "N2.d/empty");
        const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        fs::permissions(top / "N1.d/SIGNAL.CH", writable, fs::perm_options::remove);
    };
    for (const wchar_t* path :
         {L"C:\\Data\\Group1", L"C:\\Data\\Group1\\", L"C:\\Data\\Group1\\\\", L"C:/Data/Group1/"}) {
        makeTree();
        EXPECT_EQ(DeleteFolder(path), TRUE) << WideToUtf8(path);
        EXPECT_FALSE(fs::exists(top)) << WideToUtf8(path);
        EXPECT_TRUE(fs::exists(top.parent_path())) << WideToUtf8(path);
    }

    makeTree();
    EXPECT_EQ(DeleteFolder(L"C:\\Data\\Group1\\REPORT.TXT"), FALSE);
    EXPECT_TRUE(fs::exists(top / "REPORT.TXT"));
    EXPECT_EQ(DeleteFolder(L"C:\\Data\\Nothing"), FALSE);
    EXPECT_TRUE(fs::exists(top / "N1.d/SIGNAL.CH"));
}

} // namespace

TEST_F(Utilities, AFileThatCannotBeWrittenIsSaidWithItsReasonInTheUsersWords)
{
    fs::create_directories(m_root.onDriveC("Export/Night.csv"));
    const int onFolder = WriteWholeFile(L"C:\\Export\\Night.csv", "x");
    EXPECT_EQ(FileWriteFailure(L"C:\\Export\\Night.csv", onFolder), L"a folder has that name.");
    EXPECT_EQ(FileWriteFailure(L"C:\\Export\\Night.csv", EACCES), L"there is no permission to write it.");
    EXPECT_EQ(FileWriteFailure(L"C:\\Export\\Night.csv", ENOSPC), L"the disk is full.");
    EXPECT_EQ(FileWriteFailure(L"C:\\Export\\Night.csv", EIO), Utf8ToWide(std::strerror(EIO)) + L".");
}
