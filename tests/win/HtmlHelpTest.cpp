// HTML Help as a program reaches it: "hhctrl.ocx" loaded by name, HtmlHelpW taken by ordinal 15,
// a help file's topic shown in the one help window, laid out to its width.
#include "WinTest.h"

#include "win/HelpWindow.h"
#include "win/HtmlHelp.h"

#include "kernel/FileApi.h"
#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "win/Automation.h"

namespace {

using testing::HasSubstr;

class HtmlHelp : public WinTest {
protected:
    static HTMLHELPPROCW Entry()
    {
        const HMODULE library = LoadLibraryW(L"HHCTRL.OCX");
        EXPECT_NE(library, nullptr);
        return reinterpret_cast<HTMLHELPPROCW>(GetProcAddress(library, MAKEINTRESOURCEA(HH_HTMLHELPW_ORDINAL)));
    }
};

TEST_F(HtmlHelp, TheLibraryIsFoundByNameAndItsEntryByOrdinalOrName)
{
    const HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(GetModuleHandleW(L"hhctrl"), library);
    const FARPROC byOrdinal = GetProcAddress(library, MAKEINTRESOURCEA(HH_HTMLHELPW_ORDINAL));
    EXPECT_NE(byOrdinal, nullptr);
    EXPECT_EQ(GetProcAddress(library, "HtmlHelpW"), byOrdinal);
    EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCEA(14)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_EQ(LoadLibraryW(L"hhctrl.ocx"), library) << "a part of the platform stays loaded";
    // A path is the loader's: the platform's stand-in is no file.
    EXPECT_EQ(LoadLibraryW(L"C:\\Windows\\hhctrl.ocx"), nullptr);
}

TEST_F(HtmlHelp, ATopicIsShownInOneWindowLaidOutToItsWidthAndReplacedByTheNextTopic)
{
    WriteFileBytes(m_root.onDriveC("help/Lab.chm"),
                   "Lab Help\r\n"
                   "lines before a topic belong to none\r\n"
                   "[7] Weighing\r\n"
                   "Put the vial on the scale and wait until the reading stands still before you write it down.\r\n"
                   "\r\n"
                   "- Tare the scale with an empty vial before every series of samples.\r\n"
                   "\r\n"
                   "[[8]] not a topic\r\n"
                   "[8]Cleaning\r\n"
                   "Rinse twice.\r\n");
    const HWND owner = createRecordingWindow(L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND help = Entry()(owner, L"C:\\help\\lab.chm", HH_HELP_CONTEXT, 7);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(Automation::findWindow(L"Lab Help"), help);
    EXPECT_EQ(GetWindow(help, GW_OWNER), owner);
    EXPECT_EQ(Automation::describe(GetDlgItem(help, HelpWindow::headingId)).text, L"Weighing");
    // 68 columns of text, one left for the scroll marks; a list item goes on under its text.
    EXPECT_EQ(Automation::describe(GetDlgItem(help, HelpWindow::textId)).text,
              L"Put the vial on the scale and wait until the reading stands still\r\n"
              L"before you write it down.\r\n"
              L"\r\n"
              L"- Tare the scale with an empty vial before every series of samples.\r\n"
              L"\r\n"
              L"[[8]] not a topic");

    EXPECT_EQ(Entry()(owner, L"C:\\help\\lab.chm", HH_HELP_CONTEXT, 8), help) << "the same window";
    EXPECT_EQ(Automation::describe(GetDlgItem(help, HelpWindow::headingId)).text, L"Cleaning");
    EXPECT_EQ(Automation::describe(GetDlgItem(help, HelpWindow::textId)).text, L"Rinse twice.");
    EXPECT_EQ(Entry()(owner, L"C:\\help\\lab.chm", 0x0000, 8), nullptr) << "only the help-context command";
}

} // namespace
