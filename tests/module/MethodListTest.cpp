// The method list of the main window as a user meets it: a group's rows with their state images
// and colours, the click toggle, the properties dialog, Check All and Uncheck All, the fixed state
// column, and a group whose table cannot be opened.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/RecordText.h"
#include "worklist/RunClaim.h"

#include "host/AutomationCommands.h"

#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "resources/ResourceIds.h"
#include "win/ListViewAutomation.h"
#include "win/ListViewSnapshot.h"

#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class MethodList : public ModuleTest {
protected:
    // The window open on group Nitrates: five rows, one in each run state from checked to
    // unchecked, with the times and messages of their runs. The running row's run goes on: its
    // claim is held, so the row is not taken for interrupted.
    void OpenWithNitrates()
    {
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
        AddGroup(L"Nitrates");
        CGroupTable groups(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(groups.Open()));
        ASSERT_TRUE(m_liveRun.Take(GroupRows(groups).List().front().id));
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
        rows.InsertMethods({L"NO3", L"NO2", L"PO4", L"NH4", L"SIL"}, 1, L"C:\\Orvane\\Methods\\", 0);
        // The host's clock reads 2026-03-14 09:26:54 UTC.
        const auto now = static_cast<LONG>(_time64(nullptr));
        const struct {
            LONG start, end;
            const wchar_t* message;
        } runs[] = {{0, 0, L""},
                    {now - 75, 0, L""},
                    {1000000000, 1000000090, L"Run complete."},
                    {now - 3725, now - 3600, L"Pump pressure above limit.\r\nFlow stopped.\r\n"},
                    {now - 86400, now - 86400 + 4000, L"Run complete."}};
        for (LONG id = 0; id < 5; ++id) {
            MethodRecord* row = rows.FindRowById(id, FALSE);
            ASSERT_NE(row, nullptr);
            row->RunState = id + 1;
            row->StartTime = runs[id].start;
            row->EndTime = runs[id].end;
            SetRecordText(row->ErrMessage, runs[id].message);
            rows.Table()->SetData();
        }
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
        ASSERT_NE(Viewer(), nullptr);
    }

    void AddGroup(const std::wstring& name)
    {
        CGroupTable groups(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(groups.Open()));
        LONG id = 0;
        ASSERT_TRUE(SUCCEEDED(GroupRows(groups).Add(name, GroupRows(groups).List().empty(), &id)));
    }

    ListViewInfo List() const { return MethodsShown(Viewer()); }

    std::vector<int> StatesShown() const
    {
        std::vector<int> states;
        for (const ListItemInfo& item : List().items)
            states.push_back(item.stateImage);
        return states;
    }

    bool Enabled(UINT command) const { return CommandEnabled(Viewer(), command); }

    RunClaim m_liveRun{ModuleSettings};
};

TEST_F(MethodList, TheFirstGroupShowsItsRowsWithStateImagesColoursByRunStateAndTheirRunsTimesAndResults)
{
    OpenWithNitrates();
    const ListViewInfo list = List();
    ASSERT_EQ(list.columns.size(), 9u);
    EXPECT_EQ(list.columns[0].width, 21);
    EXPECT_EQ(list.columns[1].text, L"Method Name");
    EXPECT_EQ(list.columns[2].text, L"Data File");
    EXPECT_EQ(list.columns[3].text, L"Comments");
    // The template's list is 578 pixels wide; the window fills the 640-pixel screen, 22 pixels
    // wider than its template, which go to the data files.
    EXPECT_EQ(list.columns[1].width, 578 / 4);
    EXPECT_EQ(list.columns[2].width, 578 / 4 + 22);
    EXPECT_EQ(list.columns[3].width, 578 / 2 - 24);
    EXPECT_EQ(list.extendedStyle, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    ASSERT_EQ(list.stateImages.size(), 6u);
    EXPECT_TRUE(list.stateImages[0].transparent) << "white is the state images' transparent colour";
    EXPECT_THAT(StatesShown(), ElementsAre(1, 2, 3, 4, 5));
    EXPECT_EQ(ListItemText(list.items[0], 4), L" ... ... | NO3 | Nitrates0000000000.d | ");
    EXPECT_EQ(ListItemText(list.items[2], 4), L"Run complete. ... ... | PO4 | Nitrates0000000002.d | ");

    // Columns 1 to 3 take the run state's colours; column 0 keeps the list's own.
    const COLORREF expected[][2] = {{CLR_DEFAULT, CLR_DEFAULT}, {kBlue, CLR_DEFAULT}, {CLR_DEFAULT, kYellow},
                                    {kRed, CLR_DEFAULT}, {kGrey, CLR_DEFAULT}};
    for (std::size_t item = 0; item < 5; ++item) {
        EXPECT_EQ(list.items[item].cells[0].textColor, CLR_DEFAULT) << item;
        for (std::size_t column = 1; column < 4; ++column) {
            EXPECT_EQ(list.items[item].cells[column].textColor, expected[item][0]) << item << "," << column;
            EXPECT_EQ(list.items[item].cells[column].backgroundColor, expected[item][1]) << item << "," << column;
        }
    }
    EXPECT_TRUE(Enabled(ID_CHECK_ALL) && Enabled(ID_UNCHECK_ALL) && Enabled(ID_AUTONAME));
    EXPECT_FALSE(Enabled(ID_PROPERTIES) || Enabled(ID_DELETE_METHOD)) << "nothing is selected yet";

    // The run columns: each row's start, end and duration, and the first line of its result.
    EXPECT_EQ(list.columns[4].text, L"Start");
    EXPECT_EQ(list.columns[5].text, L"End");
    EXPECT_EQ(list.columns[6].text, L"Duration");
    EXPECT_EQ(list.columns[6].format, LVCFMT_RIGHT);
    EXPECT_EQ(list.columns[7].text, L"QC");
    EXPECT_EQ(list.columns[8].text, L"Result");
    const auto runColumns = [&](std::size_t item) {
        std::wstring text;
        for (std::size_t column = 4; column < 9; ++column)
            text += list.items[item].cells[column].text + L"|";
        return text;
    };
    EXPECT_EQ(runColumns(0), L"|||||") << "a row never run";
    EXPECT_EQ(runColumns(1), L"09:25:39||1:15|||") << "the running row, as long as it has run";
    EXPECT_EQ(runColumns(2), L"2001-09-09 01:46|2001-09-09 01:48|1:30||Run complete.|");
    EXPECT_EQ(runColumns(3), L"08:24:49|08:26:54|2:05||Pump pressure above limit.|");
    EXPECT_EQ(runColumns(4), L"Mar 13 09:26|Mar 13 10:33|1:06:40||Run complete.|") << "yesterday's run";
}

TEST_F(MethodList, ClickingAStateImageChecksAndUnchecksTheRowAndTheRunningRowOnlyBeeps)
{
    OpenWithNitrates();
    // Checked, done and failed become unchecked; unchecked becomes checked.
    for (int item : {0, 2, 3, 4})
        ASSERT_TRUE(Done(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, item, true)));
    EXPECT_THAT(StatesShown(), ElementsAre(5, 2, 5, 5, 1));
    EXPECT_THAT(StoredStates(), ElementsAre(5, 2, 5, 5, 1));
    EXPECT_EQ(List().items[0].cells[1].textColor, kGrey);
    ASSERT_TRUE(Done(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 0, true)));
    EXPECT_THAT(StoredStates(), ElementsAre(1, 2, 5, 5, 1));

    Automation::clearBeeps();
    ASSERT_TRUE(Done(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 1, true)));
    EXPECT_THAT(Automation::beeps(), ElementsAre(MB_ICONHAND));
    EXPECT_THAT(StoredStates(), ElementsAre(1, 2, 5, 5, 1));

    // A click beside the state image only selects; Space on the focused row toggles it.
    ASSERT_TRUE(Done(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 3, false)));
    EXPECT_TRUE(List().items[3].selected);
    EXPECT_THAT(StoredStates(), ElementsAre(1, 2, 5, 5, 1));
    EXPECT_TRUE(Enabled(ID_PROPERTIES) && Enabled(ID_DELETE_METHOD));
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_SPACE)));
    EXPECT_THAT(StoredStates(), ElementsAre(1, 2, 5, 1, 1));
    EXPECT_TRUE(List().items[3].selected && List().items[3].focused) << "the keyboard user keeps the place";
    // Ctrl moves the focus alone, and Ctrl+Space adds its row to the selection, checking nothing.
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_DOWN, MOD_CONTROL)));
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_SPACE, MOD_CONTROL)));
    EXPECT_TRUE(List().items[3].selected && List().items[4].selected && List().items[4].focused);
    EXPECT_THAT(StoredStates(), ElementsAre(1, 2, 5, 1, 1));

    // Uncheck All and Check All write every row; the keyboard user keeps the place, so Up goes
    // on from the focused row and the keys stay in the list, while the selection is cleared, so
    // that Add Method appends to the group.
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_UNCHECK_ALL)));
    EXPECT_THAT(StoredStates(), ElementsAre(5, 5, 5, 5, 5));
    EXPECT_THAT(StatesShown(), ElementsAre(5, 5, 5, 5, 5));
    EXPECT_TRUE(List().items[4].focused);
    EXPECT_FALSE(List().items[3].selected || List().items[4].selected);
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'A', MOD_CONTROL)));
    EXPECT_THAT(StoredStates(), ElementsAre(1, 1, 1, 1, 1));
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), VK_UP)));
    EXPECT_TRUE(List().items[3].selected && List().items[3].focused);
    EXPECT_FALSE(List().items[4].selected);
    EXPECT_EQ(GetFocus(), GetDlgItem(Viewer(), IDC_METHOD_LIST));

    // The run sequencer's state changes show in place: a state without a message empties column 0.
    MethodRows& methods = MainViewer()->m_rows;
    MethodRecord* row = methods.FindRowById(1, FALSE);
    methods.ChangeRunState(row, RUNSTATE_FAILED, L"Lamp failure");
    EXPECT_EQ(List().items[1].cells[0].text, L"Lamp failure");
    methods.ChangeRunState(methods.FindRowById(0, FALSE), RUNSTATE_RUNNING, nullptr);
    EXPECT_EQ(List().items[0].cells[0].text, L"");
    EXPECT_THAT(StatesShown(), ElementsAre(2, 4, 1, 1, 1));
}

TEST_F(MethodList, PropertiesShowTheRowAndStoreCommentAndDataFileWhileCancelLeavesIt)
{
    OpenWithNitrates();
    const HWND viewer = Viewer();

    std::wstring startShown;
    m_user.then([&] {
        const HWND dialog = Automation::findWindow(L"Properties");
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowEnabled(viewer)) << "the dialog is modal";
        wchar_t text[64]{};
        GetDlgItemTextW(dialog, IDC_INFO_DATA_FILE, text, 64);
        EXPECT_STREQ(text, L"Nitrates0000000002");
        GetDlgItemTextW(dialog, IDC_INFO_START_TIME, text, 64);
        startShown = text;
        GetDlgItemTextW(dialog, IDC_INFO_RUN_MESSAGE, text, 64);
        EXPECT_STREQ(text, L"Run complete.");
        EXPECT_FALSE(Automation::setText(dialog, IDC_INFO_RUN_MESSAGE, L"edited").ok) << "the run message is read-only";
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"a.b.c")));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_COMMENT, std::wstring(300, L'c'))));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_OPERATOR, L"Kim")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    ASSERT_TRUE(Done(ListViewAutomation::doubleClickItem(viewer, IDC_METHOD_LIST, 2)));
    EXPECT_EQ(startShown, L"Sun Sep  9 01:46:40 2001\n") << "the start time as ctime writes it";
    MethodRecord row = StoredRows(L"Nitrates").at(2);
    EXPECT_STREQ(row.DataFile, L"a.d");
    EXPECT_EQ(std::wstring(row.Comments), std::wstring(254, L'c'));
    EXPECT_STREQ(row.Operator, L"Kim");
    EXPECT_EQ(List().items[2].cells[2].text, L"a.d");

    // A row that never ran shows no times; Cancel stores nothing.
    m_user.then([&] {
        const HWND dialog = Automation::findWindow(L"Properties");
        wchar_t text[64]{L"x"};
        GetDlgItemTextW(dialog, IDC_INFO_START_TIME, text, 64);
        EXPECT_STREQ(text, L"");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"run")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    ASSERT_TRUE(Done(ListViewAutomation::selectItems(viewer, IDC_METHOD_LIST, {0})));
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(viewer, ID_PROPERTIES)));
    EXPECT_STREQ(StoredRows(L"Nitrates").at(0).DataFile, L"Nitrates0000000000.d");

    // Enter on the list opens the focused row too. A data file a Windows name cannot be and
    // sub-folders that leave the data path are refused, naming the row; "run" is stored as run.d.
    std::vector<std::wstring> refusals;
    m_user.then([&] {
        const HWND dialog = Automation::findWindow(L"Properties");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"bad:na*me?")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"run")));
        for (const wchar_t* escape : {L"..\\..\\..\\escape", L"C:\\elsewhere", L"\\top", L"in?side"}) {
            EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_SUBFOLDER, escape)));
            EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        }
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_SUBFOLDER, L"2026\\May..June")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    for (int box = 0; box < 5; ++box)
        AnswerMessage(refusals, IDOK);
    ASSERT_TRUE(Done(Automation::pressKey(viewer, VK_RETURN)));
    EXPECT_EQ(m_user.pendingActions(), 0u);
    ASSERT_EQ(refusals.size(), 5u);
    EXPECT_EQ(refusals[0], L"Row 1 (NO3): The data file \"bad:na*me?\" cannot be a Windows file name: it must not "
                           L"contain any of these characters: \\ / : * ? \" < > |");
    EXPECT_EQ(refusals[1], L"Row 1 (NO3): The sub-folder \"..\\..\\..\\escape\" leaves the data path: it must not "
                           L"begin with \\ or a drive, nor go up with \"..\".");
    EXPECT_NE(refusals[2].find(L"\"C:\\elsewhere\" leaves the data path"), std::wstring::npos) << refusals[2];
    EXPECT_NE(refusals[3].find(L"\"\\top\" leaves the data path"), std::wstring::npos) << refusals[3];
    EXPECT_NE(refusals[4].find(L"\"in?side\" cannot be a Windows folder name"), std::wstring::npos) << refusals[4];
    EXPECT_STREQ(StoredRows(L"Nitrates").at(0).DataFile, L"run.d");
    EXPECT_STREQ(StoredRows(L"Nitrates").at(0).SubFolder, L"2026\\May..June");
}

TEST_F(MethodList, TheStateColumnKeepsItsWidthAndOtherDividersFitTheirColumn)
{
    OpenWithNitrates();
    const HWND list = GetDlgItem(Viewer(), IDC_METHOD_LIST);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (auto [message, x] : {std::pair{WM_LBUTTONDOWN, 21}, std::pair{WM_MOUSEMOVE, 80}, std::pair{WM_LBUTTONUP, 80}})
        SendMessageW(header, message, 0, MAKELPARAM(static_cast<WORD>(x), 8));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 21);
    SendMessageW(header, WM_LBUTTONDBLCLK, 0, MAKELPARAM(21, 8));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 21);
    // "Nitrates0000000000.d" has 20 characters: 21 cells of 8 pixels.
    const auto dataFileEnd = 21 + SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0) + SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0);
    SendMessageW(header, WM_LBUTTONDBLCLK, 0, MAKELPARAM(static_cast<WORD>(dataFileEnd), 8));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), 21 * 8);
    // A click that does not move, a little before the divider, leaves the width as it is.
    const auto fittedEnd = static_cast<WORD>(21 + SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0) + 21 * 8);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageW(header, message, 0, MAKELPARAM(static_cast<WORD>(fittedEnd - 6), 8));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), 21 * 8);

    // The dialog base tells edits from other controls.
    CDialogMainViewer* viewer = MainViewer();
    EXPECT_FALSE(viewer->FocusEdit(IDC_GROUP));
    EXPECT_FALSE(viewer->SetEditReadOnly(IDC_RUN, TRUE));
    EXPECT_FALSE(viewer->EnableControl(12345, FALSE));
    EXPECT_TRUE(viewer->ShowControl(IDC_STOP, FALSE));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Viewer(), IDC_STOP)) || IsWindowEnabled(GetDlgItem(Viewer(), IDC_STOP)));
}

TEST_F(MethodList, AGroupWhoseTableCannotBeOpenedShowsTheErrorAndAnEmptyList)
{
    OpenWithNitrates();
    AddGroup(L"Ghost");
    CMethodTable(ModuleSettings).DropMethodTable(L"Ghost");
    std::vector<std::wstring> errors;
    const auto answer = [&errors] {
        const HWND box = Automation::findWindow(L"Serion");
        ASSERT_NE(box, nullptr);
        errors.push_back(MessageText(box));
        EXPECT_TRUE(Done(Automation::click(box, IDOK)));
    };
    // Ghost comes first in the sorted box, so the window opens on it.
    m_user.then(answer);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(L"cannot find the input table or query 'Ghost'"), std::wstring::npos) << WideToUtf8(errors[0]);
    EXPECT_EQ(List().items.size(), 0u);
    ASSERT_TRUE(Done(Automation::chooseEntry(Viewer(), IDC_GROUP, L"Nitrates")));
    EXPECT_EQ(List().items.size(), 5u);
    m_user.then(answer);
    ASSERT_TRUE(Done(Automation::chooseEntry(Viewer(), IDC_GROUP, L"Ghost")));
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(List().items.size(), 0u) << "no rows of another group stay on show";
    EXPECT_FALSE(Enabled(ID_CHECK_ALL));
}

TEST_F(MethodList, ScriptCommandsSelectClickAndCheckItemsAndFailChangingNothing)
{
    OpenWithNitrates();
    std::wstring printed;
    AutomationCommands commands([&printed](const std::wstring& line) { printed += line + L"\n"; });
    const auto run = [&commands](const std::wstring& text) {
        std::wstring error;
        const auto line = AutomationArguments::split(text, error);
        EXPECT_TRUE(line) << WideToUtf8(error);
        return line ? commands.run(*line) : std::optional<std::wstring>(error);
    };
    const std::wstring list = L"\"Run Serion Methods\", 19001, ";
    EXPECT_EQ(run(L"ExpectItemCount " + list + L"5"), std::nullopt);
    EXPECT_EQ(run(L"ExpectItem " + list + L"1, \" ... ... | NO2 | Nitrates0000000001.d | \""), std::nullopt);
    EXPECT_EQ(run(L"ClickItem " + list + L"0, \"state\""), std::nullopt);
    EXPECT_EQ(run(L"ExpectItemState " + list + L"0, 5"), std::nullopt);
    EXPECT_EQ(run(L"SelectItems " + list + L"\"2,4\""), std::nullopt);
    EXPECT_EQ(run(L"SelectItems " + list + L"\"2,9\""), L"control 19001 has no item 9 (it has 5)");
    EXPECT_EQ(run(L"ExpectItemState " + list + L"3, 1"), L"item 3 of control 19001 shows state 4, expected state 1");
    EXPECT_EQ(run(L"ExpectItemCount " + list + L"4"), L"control 19001 has 5 items, expected 4");
    EXPECT_EQ(run(L"ClickItem " + list + L"0, \"label\""), L"ClickItem's fourth argument can only be \"state\", not \"label\"");
    EXPECT_EQ(run(L"ClickItem \"Run Serion Methods\", 19006, 0"), L"control 19006 is no list");

    EXPECT_EQ(run(L"Snapshot \"Run Serion Methods\""), std::nullopt);
    EXPECT_NE(printed.find(L"item 2 state=3 selected \"Run complete. ... ... | PO4 | Nitrates0000000002.d |  | "
                           L"2001-09-09 01:46 | 2001-09-09 01:48 | 1:30 |  | Run complete.\" colours={1:-/#FFFF00, 2:-/#FFFF00, "
                           L"3:-/#FFFF00, 4:-/#FFFF00, 5:-/#FFFF00, 6:-/#FFFF00, 7:-/#FFFF00, 8:-/#FFFF00}"),
              std::wstring::npos)
        << WideToUtf8(printed);
    EXPECT_NE(printed.find(L"item 4 state=5 selected focused"), std::wstring::npos) << WideToUtf8(printed);
    EXPECT_EQ(run(L"DoubleClickItem " + list + L"7"), L"control 19001 has no item 7 (it has 5)");

    // A run message of several lines: a script names its line breaks, and so does the snapshot,
    // one line an item.
    MethodRows& methods = MainViewer()->m_rows;
    methods.ChangeRunState(methods.FindRowById(1, FALSE), RUNSTATE_FAILED, L"Lamp failure\r\nRun stopped");
    EXPECT_EQ(run(L"ExpectItem " + list + L"1, \"Lamp failure{CR}{LF}Run stopped | NO2 | Nitrates0000000001.d | \""), std::nullopt);
    EXPECT_EQ(run(L"ExpectItem " + list + L"1, \"Lamp failure{LF}\""),
              L"item 1 of control 19001 shows \"Lamp failure{CR}{LF}Run stopped\", expected "
              L"\"Lamp failure{LF}\"");
    printed.clear();
    EXPECT_EQ(run(L"Snapshot \"Run Serion Methods\""), std::nullopt);
    EXPECT_NE(printed.find(L"item 1 state=4 \"Lamp failure{CR}{LF}Run stopped | NO2 | Nitrates0000000001.d |  | "
                           L"09:25:39 | 09:26:54 | 1:15 |  | Lamp failure\" colours="),
              std::wstring::npos)
        << WideToUtf8(printed);
}

} // namespace
