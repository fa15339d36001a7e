// A group run on the simulated instrument, as a user starts it with Run: the host variables and
// command lines of each method start, the rows' results in the database, the trace log, the
// shut-down command, and the window's state while the run goes on.
#include "UserTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"
#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/RecordText.h"
#include "worklist/RunClaim.h"

#include "host/InstrumentSimulation.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpRunEvent.h"
#include "resources/ResourceIds.h"
#include "win/CommCtrl.h"
#include "win/ControlBarAutomation.h"
#include "win/ListViewAutomation.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <tuple>


using testing::ElementsAre;

namespace {

// The module's test host with the user who answers its message boxes.
class Run : public UserTest {
protected:
    Run()
    {
        AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
        AddMethod("LEAK.M", "RunTime=20\nOutcome=failed\nMessage=Pump pressure above limit.\n"
                            "Message=Flow stopped.\nMessage=Pump pressure above limit.\n");
        AddMethod("ABORTED.M", "RunTime=5\nOutcome=aborted\n");
        AddMethod("ACQ.M", "RunTime=20\nOutcome=acqerror\nMessage=Acquisition board does not answer.\n");
    }

    // Presses an enabled button without running the host's loop, so that what the press queued
    // can be read before the host runs it.
    testing::AssertionResult Click(int id)
    {
        HWND button = GetDlgItem(Viewer(), id);
        if (!IsWindowEnabled(button))
            return testing::AssertionFailure() << "button " << id << " is disabled";
        SendMessageW(Viewer(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return testing::AssertionSuccess();
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(Viewer(), id)); }
    // The whole message, whichever form the pane has room for.
    std::wstring StatusMessage() const
    {
        return dynamic_cast<CSRStatusBar&>(*CWnd::FromHandlePermanent(GetDlgItem(Viewer(), AFX_IDW_STATUS_BAR))).MessageText();
    }
    CDialogMainViewer& Window() const { return *MainViewer(); }
    std::wstring ShownGroup() const
    {
        WCHAR text[64] = {};
        GetWindowTextW(GetDlgItem(Viewer(), IDC_GROUP), text, 64);
        return text;
    }
    std::vector<MethodRecord> StoredRows(const std::wstring& group = L"Nitrates") const { return ::StoredRows(group); }

    // The trace log's entries that begin with one of prefixes, without their time stamps and
    // line ends. An entry without a line end runs into the next one's stamp.
    std::vector<std::string> Trace(const std::vector<std::string>& prefixes) const
    {
        const std::string log = ReadFileBytes(m_root.onDriveC("SRNA.LOG"));
        static const std::regex stamp(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d: )");
        std::vector<std::string> entries;
        for (std::sregex_token_iterator part(log.begin(), log.end(), stamp, -1), end; part != end; ++part) {
            std::string entry = *part;
            if (entry.ends_with("\r\n"))
                entry.resize(entry.size() - 2);
            for (const std::string& prefix : prefixes)
                if (entry.starts_with(prefix))
                    entries.push_back(entry);
        }
        return entries;
    }

    // "event | old | new" of each audit record of a run or a row's result, in order.
    static std::vector<std::wstring> RunRecords()
    {
        std::vector<AuditRecord> records;
        EXPECT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
        std::vector<std::wstring> told;
        for (const AuditRecord& record : records) {
            const std::wstring_view event = record.Event;
            if (event.starts_with(L"Run ") || event.starts_with(L"Row "))
                told.push_back(std::wstring(event) + L" | " + record.OldValue + L" | " + record.NewValue);
        }
        return told;
    }

    std::vector<std::wstring> m_instrumentOutput;
    InstrumentSimulation m_instrument{[this](const std::wstring& line) { m_instrumentOutput.push_back(line); }};
};

TEST_F(Run, AWholeGroupRunsToItsShutDownCommandWithDoneAndFailedRows)
{
    OpenWithGroup({L"DONE.M", L"LEAK.M", L"ABORTED.M", L"DONE.M", L"MISSING.M"});
    ASSERT_TRUE(Automation::chooseEntry(Viewer(), IDC_SHUTDOWN, L"STANDBY").ok);
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_TRUE(Window().GetRun().IsRunning());
    EXPECT_EQ(GetFocus(), GetDlgItem(Viewer(), IDC_METHOD_LIST)) << "Enter no longer presses Run";
    EXPECT_FALSE(Enabled(IDC_RUN));
    EXPECT_TRUE(Enabled(IDC_PAUSE) && Enabled(IDC_STOP));
    EXPECT_FALSE(Enabled(IDC_GROUP) || Enabled(IDC_SHUTDOWN));
    EXPECT_TRUE(GetMenuState(GetMenu(Viewer()), ID_ADD_METHOD, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(CommandEnabled(Viewer(), ID_QC_RULES)) << "the rules of a running group stay as they are";

    RunHost(5);
    // Closing is refused while the group runs, by every way.
    Automation::chooseMenuCommand(Viewer(), SC_CLOSE);
    Automation::pressKey(Viewer(), VK_ESCAPE);
    ASSERT_NE(Viewer(), nullptr) << "the window stays open during the run";
    // FIARUNNER, with or without a parameter, leaves the running window as it is.
    const HWND running = Viewer();
    int result = 0;
    for (std::vector<std::wstring> parameters : {std::vector<std::wstring>{}, {L"CONTROL"}, {L"CONTINUE"}})
        ASSERT_EQ(RunCommand(ID_CMD_FIARUNNER, parameters, result), OOCP_OK);
    EXPECT_EQ(Viewer(), running);
    EXPECT_FALSE(ModuleSettings.bControl);
    EXPECT_TRUE(Window().GetRun().IsRunning());

    RunHost(110);
    EXPECT_FALSE(Window().GetRun().IsRunning());
    const std::vector<MethodRecord> rows = StoredRows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_FAILED, RUNSTATE_FAILED, RUNSTATE_DONE, RUNSTATE_FAILED));
    EXPECT_EQ(std::wstring(rows[0].ErrMessage), L"Run complete.");
    EXPECT_EQ(std::wstring(rows[1].ErrMessage), L"Pump pressure above limit.\r\nFlow stopped.\r\n")
        << "each host message once, each ending in CR LF";
    EXPECT_EQ(std::wstring(rows[2].ErrMessage), L"Run aborted.");
    EXPECT_EQ(std::wstring(rows[4].ErrMessage), L"Method directory does not exist.");
    EXPECT_EQ(rows[0].EndTime - rows[0].StartTime, 10);
    EXPECT_EQ(rows[1].StartTime, rows[0].EndTime) << "the next row starts at once";
    EXPECT_TRUE(std::filesystem::is_directory(m_root.onDriveC("Orvane/Data/Run1/Nitrates0000000000.d")));

    EXPECT_THAT(Trace({"OnRun", "StartMethod", "OnCompleteMethod", "OnCompleteGroup", "RunPostGroup"}),
                ElementsAre("OnRun: m_bRunning = 0, m_bStopped = 0, m_bPaused = 0, m_bNextReady = 0", "StartMethod: DONE.M", "OnCompleteMethod: 0x00000001 Run complete.", "StartMethod: LEAK.M",
                            // The log is a text file: each line feed gets its carriage return.
                            "OnCompleteMethod: 0x00000002 Pump pressure above limit.\r\r\nFlow stopped.\r\r\n",
                            "StartMethod: ABORTED.M", "OnCompleteMethod: 0x00000003 Run aborted.", "StartMethod: DONE.M",
                            "OnCompleteMethod: 0x00000004 Run complete.", "StartMethod: MISSING.M", "OnCompleteGroup",
                            "RunPostGroup: STANDBY"));
    EXPECT_EQ(m_instrumentOutput.back(), L"Instrument: Standby.") << "the shut-down command ran";
    EXPECT_TRUE(Enabled(IDC_RUN) && Enabled(IDC_GROUP) && Enabled(IDC_SHUTDOWN));
    EXPECT_FALSE(Enabled(IDC_PAUSE) || Enabled(IDC_STOP));
    EXPECT_FALSE(GetMenuState(GetMenu(Viewer()), ID_ADD_METHOD, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(CommandEnabled(Viewer(), ID_QC_RULES));
    const std::wstring summary = L"Serion group Nitrates ended: 2 done, 3 failed, 0 not run.";
    EXPECT_THAT(LogbookTexts(),
                testing::IsSupersetOf(std::vector<std::wstring>{L"Serion start group Nitrates.", L"Serion group Nitrates row 1 (DONE.M) done.",
                                       L"Serion group Nitrates row 2 (LEAK.M) failed: Pump pressure above limit. Flow stopped.",
                                       L"Serion group Nitrates row 5 (MISSING.M) failed: Method directory does not exist.",
                                       summary}));
    EXPECT_EQ(StatusMessage(), summary);
}

TEST_F(Run, AMissingMethodFolderPausesTheRunAndAnAcquisitionErrorEndsItWithoutASecondEmergencyCommand)
{
    OpenWithGroup({L"MISSING.M", L"ACQ.M", L"DONE.M"});
    ASSERT_TRUE(Automation::chooseEntry(Viewer(), IDC_ON_FAILURE, L"Pause the run").ok);
    ASSERT_TRUE(Automation::setText(Viewer(), IDC_EMERGENCY, L"PUMPALL OFF").ok);
    SetFocus(GetDlgItem(Viewer(), IDC_METHOD_LIST));
    ASSERT_TRUE(Automation::chooseEntry(Viewer(), IDC_SHUTDOWN, L"LAMPALL OFF").ok);
    ASSERT_TRUE(Click(IDC_RUN));
    RunHost(1);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_CHECKED, RUNSTATE_CHECKED));
    EXPECT_EQ(StatusMessage(), L"Row 1 (MISSING.M) failed: the next method waits for Run.");
    EXPECT_TRUE(Window().GetRun().IsRunning() && Enabled(IDC_RUN));
    // The policy and the emergency command chosen in the window are the group's.
    CGroupTable groups(ModuleSettings);
    ASSERT_TRUE(SUCCEEDED(groups.Open()));
    ASSERT_TRUE(GroupRows(groups).FindById(2));
    EXPECT_EQ(groups.OnFailure, ONFAILURE_PAUSE);
    EXPECT_STREQ(groups.EmergencyCommand, L"PUMPALL OFF");
    ASSERT_TRUE(Click(IDC_RUN));
    RunHost(100);
    EXPECT_FALSE(Window().GetRun().IsRunning());
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_FAILED, RUNSTATE_CHECKED));
    EXPECT_EQ(std::wstring(StoredRows()[1].ErrMessage), L"_ERROR");
    EXPECT_THAT(LogbookTexts(),
                testing::Contains(L"Serion group Nitrates row 2 (ACQ.M) failed: Acquisition board does not answer."));
    EXPECT_EQ(StatusMessage(),
              L"Acquisition board does not answer. Serion group Nitrates ended: 0 done, 2 failed, 1 not run.");
    EXPECT_THAT(Trace({"SendEmergencyCommand", "ACQSTATUS$", "OnCompleteGroup", "RunPostGroup"}),
                ElementsAre("SendEmergencyCommand: PUMPALL OFF", "ACQSTATUS$ = RUN", "ACQSTATUS$ = _ERROR",
                            "OnCompleteGroup", "RunPostGroup: LAMPALL OFF"));
    EXPECT_EQ(m_instrumentOutput.back(), L"Instrument: Lamps off.");
}

TEST_F(Run, StopAfterThisMethodEndsTheRunWithTheRowsResultAndCanBeTakenBack)
{
    OpenWithGroup({L"DONE.M", L"DONE.M", L"DONE.M"});
    const auto menuState = [this] { return GetMenuState(GetMenu(Viewer()), ID_STOP_AFTER_METHOD, MF_BYCOMMAND); };
    EXPECT_TRUE(menuState() & MF_GRAYED) << "no run";
    ASSERT_TRUE(Click(IDC_RUN));
    RunHost(2);
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_STOP_AFTER_METHOD).ok);
    EXPECT_TRUE(menuState() & MF_CHECKED);
    EXPECT_EQ(StatusMessage(), L"The run stops after the running method.");
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_STOP_AFTER_METHOD).ok);
    EXPECT_FALSE(menuState() & MF_CHECKED) << "taken back";
    RunHost(10);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));

    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_STOP_AFTER_METHOD).ok);
    RunHost(30);
    EXPECT_FALSE(Window().GetRun().IsRunning());
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_CHECKED)) << "the method ended with its result";
    EXPECT_THAT(Trace({"RunPostGroup"}), ElementsAre("RunPostGroup:  "));
    EXPECT_THAT(LogbookTexts(), testing::Contains(L"Serion group Nitrates stops after row 2 (DONE.M)."));
    EXPECT_TRUE(menuState() & MF_GRAYED);
    EXPECT_FALSE(menuState() & MF_CHECKED);
}

TEST_F(Run, AResultIsKeptWhileItsWorklistFileIsRenamedAwayAndLandsWhenItIsBackButNeverInAFileDeleted)
{
    OpenWithGroup({L"DONE.M", L"DONE.M"});
    const std::filesystem::path file = m_root.onDriveC("Orvane/Auto/database/worklist.mdb");
    const std::filesystem::path away = file.string() + ".away";
    ASSERT_TRUE(Click(IDC_RUN));
    RunHost(5);
    std::filesystem::rename(file, away);
    m_instrumentOutput.clear();
    RunHost(6);
    const std::wstring gone = L"The worklist file 'C:\\Orvane\\Auto\\database\\worklist.mdb' was deleted, renamed or "
                              L"replaced while it was open";
    EXPECT_TRUE(StatusMessage().starts_with(L"Results are not saved yet; Serion tries again and the next method waits. " +
                                            gone))
        << WideToUtf8(StatusMessage());
    EXPECT_THAT(m_instrumentOutput, testing::Not(testing::Contains(L"Method C:\\Orvane\\Methods\\DONE.M loaded.")))
        << "the next method waits";
    std::wstring painted;
    ASSERT_TRUE(ControlBarAutomation::paneText(Viewer(), 2, painted).ok);
    EXPECT_EQ(painted, L"Results not saved yet: Serion tries again.") << "the form that fits 80 columns";
    EXPECT_EQ(MethodsShown(Viewer()).items[0].cells[0].text, L"Run complete.") << "the window shows the result it keeps";
    // Put back, the file takes the kept result and the run goes on.
    std::filesystem::rename(away, file);
    RunHost(30);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE));

    // Deleted for good: the retries give up and say that the results are lost, not that they were saved.
    std::vector<std::wstring> messages;
    AnswerMessage(messages, IDYES);
    AnswerMessage(messages, IDOK);
    AnswerMessage(messages, IDOK);
    ASSERT_TRUE(Click(IDC_RUN));
    RunHost(5);
    std::filesystem::remove(file);
    RunHost(40);
    EXPECT_FALSE(Window().GetRun().IsRunning());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1], L"Could not find file 'C:\\Orvane\\Auto\\database\\worklist.mdb'.") << "the list shows the file";
    EXPECT_TRUE(messages[2].starts_with(L"The run's results could not be saved in the worklist:\n" + gone))
        << WideToUtf8(messages[2]);
    EXPECT_THAT(LogbookTexts(), testing::Not(testing::Contains(testing::HasSubstr(L"ended: 1 done"))));
}

TEST_F(Run, AReadOnlyWorklistIsSaidWhenTheWindowOpensAndRunsNothing)
{
    ASSERT_EQ(AddRunGroup({L"DONE.M"}), "");
    const auto file = m_root.onDriveC("Orvane/Auto/database/worklist.mdb");
    std::filesystem::permissions(file, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                           std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    EXPECT_FALSE(Enabled(IDC_RUN));
    EXPECT_EQ(StatusMessage(), L"The worklist C:\\Orvane\\Auto\\database\\worklist.mdb is read-only: a run could not "
                               L"save its results. Clear the file's read-only attribute, then open this window again.");    std::wstring shown;
    ASSERT_TRUE(ControlBarAutomation::paneText(Viewer(), 2, shown).ok);
    EXPECT_EQ(shown, L"Worklist read-only: a run cannot save results.") << "the form that fits 80 columns";
}

TEST_F(Run, RowsSharingADataFolderAreAskedAboutAndDuringTheRunPropertiesChangeOnlyTheRowsToCome)
{
    OpenWithGroup({L"DONE.M", L"DONE.M", L"DONE.M"});
    m_user.then([] {
        const HWND dialog = Automation::findWindow(L"Properties");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"nitrates0000000000")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    ASSERT_TRUE(Done(ListViewAutomation::doubleClickItem(Viewer(), IDC_METHOD_LIST, 1)));
    std::vector<std::wstring> questions;
    AnswerMessage(questions, IDNO);
    ASSERT_TRUE(Click(IDC_RUN));
    Automation::deliverPending();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], L"Rows 1 and 2 would both write their data into this folder:\n"
                            L"C:\\Orvane\\Data\\Run1\\nitrates0000000000.d\nRun anyway?");
    EXPECT_FALSE(Window().GetRun().IsRunning());

    AnswerMessage(questions, IDYES);
    ASSERT_TRUE(Click(IDC_RUN));
    ASSERT_TRUE(Window().GetRun().IsRunning());
    // The running row keeps the texts its start sent.
    m_user.then([] {
        const HWND dialog = Automation::findWindow(L"Properties");
        EXPECT_FALSE(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"other").ok) << "the running row is read-only";
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    ASSERT_TRUE(Done(ListViewAutomation::doubleClickItem(Viewer(), IDC_METHOD_LIST, 0)));
    EXPECT_STREQ(StoredRows()[0].DataFile, L"Nitrates0000000000.d");
    // A row the run has not reached yet is edited as when idle, and its start sends the new texts.
    EXPECT_FALSE(GetMenuState(GetMenu(Viewer()), ID_PROPERTIES, MF_BYCOMMAND) & MF_GRAYED);
    m_user.then([this] {
        const HWND dialog = Automation::findWindow(L"Properties");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"later")));
        // A method's end while the dialog is open is the running row's.
        RunHost(15);
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    ASSERT_TRUE(Done(ListViewAutomation::doubleClickItem(Viewer(), IDC_METHOD_LIST, 2)));
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));
    // A row that starts while its properties are open runs with the texts its start sent.
    m_user.then([this] {
        const HWND dialog = Automation::findWindow(L"Properties");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_INFO_DATA_FILE, L"meanwhile")));
        RunHost(10);
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    AnswerMessage(questions, IDOK);
    ASSERT_TRUE(Done(ListViewAutomation::doubleClickItem(Viewer(), IDC_METHOD_LIST, 2)));
    EXPECT_EQ(questions.back(), L"Row 3 started while its properties were open: it runs with the texts it had, and the "
                                L"change was not stored.");
    RunHost(30);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
    EXPECT_STREQ(StoredRows()[2].DataFile, L"later.d");
    EXPECT_TRUE(std::filesystem::is_directory(m_root.onDriveC("Orvane/Data/Run1/later.d")));
}

TEST_F(Run, AFirstRowWaitsForAMethodStartedByHandAndPauseHoldsTheNextUntilRunWhichDuringTheLastRowEndsTheGroup)
{
    const std::wstring paused = L"Paused: the next method waits for Run.";
    OpenWithGroup({L"LEAK.M", L"DONE.M"});
    CpSetStrVar(m_context, "_METHFILE$", L"DONE.M");
    CpExecCommand(m_context, L"RUNMETHOD", 0, 0, 0);
    RunHost(1);
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_EQ(StatusMessage(), L"Waiting for the instrument: a method that Serion did not start is running.");
    std::wstring painted;
    ASSERT_TRUE(ControlBarAutomation::paneText(Viewer(), 2, painted).ok);
    EXPECT_EQ(painted, L"Waiting for a method Serion did not start.") << "the form that fits 80 columns";
    RunHost(11);
    CpCommandQueue::instance().clear();
    ASSERT_TRUE(Click(IDC_PAUSE));
    EXPECT_TRUE(QueuedLines().empty()) << "Pause sends nothing to the host";
    EXPECT_EQ(StatusMessage(), paused);
    EXPECT_TRUE(Enabled(IDC_RUN) && Enabled(IDC_STOP));
    EXPECT_FALSE(Enabled(IDC_PAUSE));

    RunHost(30);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_CHECKED)) << "the next row waits for Run";
    EXPECT_EQ(StatusMessage(), paused) << "the failed method's message came before the pause is shown again";
    EXPECT_TRUE(Window().GetRun().IsRunning());
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_RUNNING)) << "Run starts it at once";
    EXPECT_EQ(StatusMessage(), L"");
    EXPECT_TRUE(Enabled(IDC_PAUSE));

    ASSERT_TRUE(Click(IDC_PAUSE));
    RunHost(30);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_FAILED, RUNSTATE_DONE));
    EXPECT_TRUE(Window().GetRun().IsRunning()) << "after the last row the window waits for Run";
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_FALSE(Window().GetRun().IsRunning());
    EXPECT_THAT(Trace({"OnCompleteGroup", "RunPostGroup"}), ElementsAre("OnCompleteGroup", "RunPostGroup:  "));
    EXPECT_THAT(QueuedLines(), ElementsAre(L" ", L" FIALOADHOOK "));
    const std::vector<std::wstring> logbook = LogbookTexts();
    // Every press of Run is in the logbook; the presses that let the paused run go on say so.
    EXPECT_EQ(std::ranges::count(logbook, L"Serion start group Nitrates."), 3);
    EXPECT_EQ(std::ranges::count(logbook, L"Serion group Nitrates goes on after the pause."), 2);
}

TEST_F(Run, ARowUncheckedDuringTheRunIsSkippedAndNoRowsMeansNoRun)
{
    OpenWithGroup({L"DONE.M", L"DONE.M", L"DONE.M"});
    ASSERT_TRUE(Click(IDC_RUN));
    ASSERT_TRUE(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 1, true).ok);
    RunHost(60);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_UNCHECKED, RUNSTATE_DONE));

    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_UNCHECK_ALL).ok);
    const std::size_t entries = LogbookTexts().size();
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_FALSE(Window().GetRun().IsRunning()) << "no checked row: nothing runs";
    EXPECT_EQ(LogbookTexts().size(), entries + 1) << "the press is logged and nothing else";
}

} // namespace

using PreRunCheck = Run;

TEST_F(PreRunCheck, OldDataIsListedAndDeletedOnlyOnYesPlainFilesUncheckedRowsAndOtherGroupsDataLeftAlone)
{
    // A row of another group names row 2's data folder: that folder is the other group's data.
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Other"), "");
    {
        MethodRows other(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(other.LoadGroup(L"Other")));
        SetRecordText(other.FindRowById(0, FALSE)->DataFile, L"NITRATES0000000002.d");
        ASSERT_TRUE(SUCCEEDED(other.WriteRow({})));
    }
    OpenWithGroup(std::vector<std::wstring>(9, L"DONE.M"));
    const auto dataOf = [this](int row, const char* kept = "") {
        char name[96];
        std::snprintf(name, sizeof name, "Orvane/Data/Run1/Nitrates%010d%s.d", row, kept);
        return m_root.onDriveC(name);
    };
    for (int row = 0; row < 8; ++row)
        std::filesystem::create_directories(dataOf(row) / "RAW");
    // What two interrupted runs of row 1 kept beside its folder goes with it, as does the folder
    // of row 3's rerun, which its QC asked for.
    std::filesystem::create_directories(dataOf(3, "R"));
    for (const char* kept : {"-interrupted", "-interrupted2"})
        std::filesystem::create_directories(dataOf(1, kept) / "RAW");
    std::filesystem::create_directories(dataOf(8).parent_path());
    std::ofstream(dataOf(8)) << "not a folder";
    // Row 7's old data is not the run's: the row is unchecked.
    ASSERT_TRUE(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 7, true).ok);

    std::vector<std::wstring> questions;
    AnswerMessage(questions, IDNO);
    ASSERT_TRUE(Click(IDC_RUN));
    Automation::deliverPending();
    ASSERT_EQ(questions.size(), 1u);
    const std::wstring folder = L"C:\\Orvane\\Data\\Run1\\Nitrates000000000";
    const std::wstring listing = folder + L"0.d\n" + folder + L"1.d\n" + folder + L"1-interrupted.d\n" + folder +
                                 L"1-interrupted2.d\n" + folder + L"2.d (group Other names it: it stays)\n";
    EXPECT_EQ(questions[0], L"11 old data folder still exists:\n" + listing +
                                L"... \n\nDid you want to delete all old data and start the run?");
    EXPECT_FALSE(Window().GetRun().IsRunning()) << "No: no run";
    EXPECT_TRUE(std::filesystem::exists(dataOf(0)));
    EXPECT_EQ(StatusMessage(), L"Started Pre-Run Check for existing data files...") << "where the run stopped";
    EXPECT_THAT(LogbookTexts(), testing::Contains(L"Serion start group Nitrates.")) << "every press is logged";

    AnswerMessage(questions, IDYES);
    ASSERT_TRUE(Click(IDC_RUN));
    Automation::deliverPending();
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(questions[1].starts_with(L"11 old data folder still exists:\n"));
    EXPECT_TRUE(Window().GetRun().IsRunning()) << "Yes: the run starts";
    for (int row : {1, 3, 4, 5, 6})
        EXPECT_FALSE(std::filesystem::exists(dataOf(row))) << row;
    EXPECT_FALSE(std::filesystem::exists(dataOf(1, "-interrupted")) || std::filesystem::exists(dataOf(1, "-interrupted2")));
    EXPECT_FALSE(std::filesystem::exists(dataOf(3, "R")));
    EXPECT_TRUE(std::filesystem::is_directory(dataOf(2) / "RAW")) << "another group's data stays";
    EXPECT_TRUE(std::filesystem::is_directory(dataOf(7))) << "the unchecked row's data stays";
    EXPECT_TRUE(std::filesystem::is_regular_file(dataOf(8))) << "a plain file is counted, never deleted";
    EXPECT_EQ(StatusMessage(), L"");
    RunHost(100);
    EXPECT_EQ(StoredRows()[8].RunState, RUNSTATE_FAILED) << "its method could write no data folder";
    EXPECT_EQ(std::wstring(StoredRows()[8].ErrMessage),
              L"No data was written: the data folder C:\\Orvane\\Data\\Run1\\Nitrates0000000008.d does not exist.");
}

TEST_F(Run, WithoutAHostRunCannotStartAndAFailedStartEndsTheGroupWithTheReason)
{
    CpSetNumVar(m_context, "_OFFLINE", 1);
    OpenWithGroup({L"DONE.M"});
    EXPECT_FALSE(Enabled(IDC_RUN) || Enabled(IDC_PAUSE) || Enabled(IDC_STOP)) << "offline";

    // The instrument going online enables Run when the host's status next changes.
    CpSetNumVar(m_context, "_OFFLINE", 0);
    CpExecCommand(m_context, L"STANDBY", 0, 0, 0);
    RunHost(1);
    EXPECT_TRUE(Enabled(IDC_RUN));

    // A sub-folder below a plain file cannot be made: the run ends at once and says why.
    std::ofstream(m_root.onDriveC("Orvane/Data/Blocked")) << "a file";
    {
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
        rows.AutoName(L"Blocked\\Run1", L"Nitrates", 0, L"Ann");
    }
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    CpCommandQueue::instance().clear();
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_FALSE(Window().GetRun().IsRunning());
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_CHECKED));
    EXPECT_TRUE(StatusMessage().starts_with(L"C:\\Orvane\\Data\\Blocked\\Run1: ")) << WideToUtf8(StatusMessage());
    EXPECT_GT(StatusMessage().size(), std::wstring(L"C:\\Orvane\\Data\\Blocked\\Run1: ").size());
    EXPECT_THAT(QueuedLines(), ElementsAre(L" ", L" FIALOADHOOK ")) << "the group ended";
    EXPECT_TRUE(Enabled(IDC_RUN));
}

using Continue = Run;

TEST_F(Continue, ARowLeftRunningIsInterruptedOnlyWhenNoHostClaimsTheGroupAndContinueSendsTheRecoveryFirst)
{
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M", L"DONE.M"}), "");
    // What a host that died during row 2 left behind: row 1 done, row 2 running with some data, in
    // a worklist whose group record says nothing of the run (written before the record was kept).
    {
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
        rows.ChangeRunState(rows.FindRowById(0, FALSE), RUNSTATE_RUNNING, nullptr);
        rows.ChangeRunState(rows.FindRowById(0, FALSE), RUNSTATE_DONE, L"Run complete.");
        rows.ChangeRunState(rows.FindRowById(1, FALSE), RUNSTATE_RUNNING, nullptr);
        CGroupTable groups(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(groups.Open()));
        GroupRows(groups).StoreRecoveryCommand(2, L"STANDBY");
    }
    const std::filesystem::path partial = m_root.onDriveC("Orvane/Data/Run1/Nitrates0000000001.d");
    std::filesystem::create_directories(partial);
    const MethodRecord before = StoredRows()[0];

    // Another host still runs the group: its running row is left as it is.
    auto otherHost = std::make_unique<RunClaim>(ModuleSettings);
    ASSERT_TRUE(otherHost->Take(2));
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_RUNNING, RUNSTATE_CHECKED));
    std::vector<std::wstring> refusals;
    AnswerMessage(refusals, IDOK);
    ASSERT_TRUE(Click(IDC_RUN));
    EXPECT_FALSE(Window().GetRun().IsRunning()) << "a group another host runs is not run here";
    EXPECT_THAT(refusals, ElementsAre(L"Another Orvane runs this group now. It can be run here once that run has ended."));

    otherHost.reset();
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_INTERRUPTED, RUNSTATE_CHECKED));
    EXPECT_EQ(std::wstring(StoredRows()[1].ErrMessage), L"Orvane stopped while this method ran.");
    EXPECT_GT(StoredRows()[1].StartTime, 0) << "its start time is kept";
    EXPECT_EQ(StatusMessage(), L"Interrupted at row 2 (DONE.M) of Nitrates: Group > Continue");
    EXPECT_THAT(LogbookTexts(), testing::Contains(L"Serion group Nitrates was interrupted at row 2 (DONE.M).").Times(1));
    WCHAR recovery[64] = {};
    GetWindowTextW(GetDlgItem(Viewer(), IDC_RECOVERY), recovery, 64);
    EXPECT_EQ(std::wstring(recovery), L"STANDBY");

    m_instrumentOutput.clear();
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_CONTINUE).ok);
    RunHost(1);
    ASSERT_GE(m_instrumentOutput.size(), 2u);
    EXPECT_EQ(m_instrumentOutput[0], L"Instrument: Standby.") << "the instrument is brought to its defined state first";
    EXPECT_EQ(m_instrumentOutput[1], L"Method C:\\Orvane\\Methods\\DONE.M loaded.");
    EXPECT_TRUE(std::filesystem::exists(m_root.onDriveC("Orvane/Data/Run1/Nitrates0000000001-interrupted.d")));
    EXPECT_EQ(std::wstring(StoredRows()[1].ErrMessage),
              L"Orvane stopped while this method ran. Its data so far are kept in "
              L"C:\\Orvane\\Data\\Run1\\Nitrates0000000001-interrupted.d.");
    RunHost(200);
    EXPECT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE, RUNSTATE_DONE));
    EXPECT_EQ(StoredRows()[0].StartTime, before.StartTime);
    EXPECT_EQ(std::wstring(StoredRows()[0].ErrMessage), L"Run complete.");
    EXPECT_TRUE(GetMenuState(GetMenu(Viewer()), ID_CONTINUE, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Continue, TheWindowOpensOnTheFirstInterruptedGroupAndEachInterruptionIsToldOnce)
{
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Nitrates"), "");
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M"}, L"Sulfates"), "");
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Phosphates"), "");
    // Hosts that died in Sulfates' row 2 and in Phosphates' row 1; Nitrates, first in the box, is idle.
    for (const auto& [group, id, row] : {std::tuple{L"Sulfates", 3, 1}, std::tuple{L"Phosphates", 4, 0}}) {
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(group)));
        rows.ChangeRunState(rows.FindRowById(row, FALSE), RUNSTATE_RUNNING, nullptr);
        CGroupTable groups(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(groups.Open()));
        ASSERT_EQ(GroupRows(groups).StoreRunEnd(id, 1, 0, {L"Run started", L"", L""}), S_OK);
    }
    std::vector<std::wstring> told;
    const CpRunEventObserverId observer = CpAddRunEventObserver([&told](const CpRunEvent& event) {
        if (event.kind == RUNEVENT_RUN_INTERRUPTED)
            told.push_back(event.group);
    });

    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    EXPECT_EQ(ShownGroup(), L"Phosphates");
    EXPECT_EQ(StatusMessage(),
              L"Interrupted at row 1 (DONE.M) of Phosphates: Group > Continue. Also interrupted: Sulfates.");
    std::wstring painted;
    ASSERT_TRUE(ControlBarAutomation::paneText(Viewer(), 2, painted).ok);
    EXPECT_EQ(painted, L"Interrupted at row 1: Group > Continue (+1 more)") << "the form that fits 80 columns";
    EXPECT_THAT(StoredStates(L"Sulfates"), ElementsAre(RUNSTATE_CHECKED, RUNSTATE_INTERRUPTED));
    EXPECT_THAT(LogbookTexts(), testing::Contains(L"Serion group Sulfates was interrupted at row 2 (DONE.M).").Times(1));
    EXPECT_THAT(told, testing::UnorderedElementsAre(L"Sulfates", L"Phosphates"));

    // Shown again, by hand or in a new window, an interruption is not told again.
    ASSERT_TRUE(Automation::chooseEntry(Viewer(), IDC_GROUP, L"Sulfates").ok);
    EXPECT_EQ(StatusMessage(), L"Interrupted at row 2 (DONE.M) of Sulfates: Group > Continue");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"CONTINUE"}), OOCP_OK);
    RunHost(30);
    EXPECT_EQ(told.size(), 2u);
    EXPECT_THAT(StoredStates(L"Phosphates"), ElementsAre(RUNSTATE_DONE)) << "CONTINUE goes on with the group shown";
    EXPECT_THAT(StoredStates(L"Sulfates"), ElementsAre(RUNSTATE_CHECKED, RUNSTATE_INTERRUPTED));
    CpRemoveRunEventObserver(observer);
}

// Three groups, each with its own shut-down option, run as queues from the "Run Queue" dialog.
class Queue : public Run {
protected:
    Queue()
    {
        EXPECT_EQ(AddRunGroup({L"DONE.M"}, L"Nitrates"), "");
        EXPECT_EQ(AddRunGroup({L"DONE.M", L"DONE.M"}, L"Nitrites"), "");
        EXPECT_EQ(AddRunGroup({L"LEAK.M"}, L"Sulfates"), "");
        CGroupTable groups(ModuleSettings);
        EXPECT_TRUE(SUCCEEDED(groups.Open()));
        GroupRows(groups).StoreShutDownOption(2, L"LAMPALL OFF");
        GroupRows(groups).StoreShutDownOption(3, L"STANDBY");
        GroupRows(groups).StoreShutDownOption(4, L"PUMPALL OFF");
        EXPECT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
        Automation::deliverPending();
    }

    // Group > Run Queue... with these items of the dialog's list checked, after Sulfates, listed last,
    // was moved to the top (where a third Up leaves it); each question asked then is read into
    // questions and answered Yes.
    void RunQueue(const std::vector<int>& checked, bool sulfatesFirst = false, int answers = 0,
                  std::vector<std::wstring>* questions = nullptr)
    {
        m_user.then([checked, sulfatesFirst] {
            const HWND dialog = Automation::findWindow(L"Run Queue");
            ASSERT_NE(dialog, nullptr);
            if (sulfatesFirst) {
                EXPECT_TRUE(ListViewAutomation::selectItems(dialog, IDC_QUEUE_GROUPS, {2}).ok);
                for (int up = 0; up < 3; ++up)
                    EXPECT_TRUE(Automation::click(dialog, IDC_QUEUE_UP).ok);
            }
            for (int item : checked)
                EXPECT_TRUE(ListViewAutomation::clickItem(dialog, IDC_QUEUE_GROUPS, item, true).ok);
            EXPECT_TRUE(Automation::click(dialog, IDOK).ok);
        });
        for (int answer = 0; answer < answers; ++answer)
            AnswerMessage(*questions, IDYES);
        ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_RUN_QUEUE).ok);
        EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";
    }
    // Each group's QueueID, QueuePos and RunOpen, in id order.
    std::vector<std::array<LONG, 3>> QueueColumns() const
    {
        CGroupTable groups(ModuleSettings);
        EXPECT_TRUE(SUCCEEDED(groups.Open()));
        std::vector<std::array<LONG, 3>> columns;
        for (groups.MoveFirst(); groups.HasCurrentRow(); groups.MoveNext())
            columns.push_back({groups.QueueID, groups.QueuePos, groups.RunOpen});
        return columns;
    }
};

TEST_F(Queue, GroupsRunInTheChosenOrderAndOnlyTheLastSendsItsShutDownCommand)
{
    // Start with nothing checked is refused, and the dialog stays for the user's choice.
    std::vector<std::wstring> refusals;
    m_user.then([] { EXPECT_TRUE(Automation::click(Automation::findWindow(L"Run Queue"), IDOK).ok); });
    AnswerMessage(refusals, IDOK);
    RunQueue({0, 1, 2}, true);
    EXPECT_THAT(refusals, ElementsAre(L"Check the groups the queue runs: Space or a click on a group's box checks it."));
    EXPECT_EQ(ShownGroup(), L"Sulfates");
    EXPECT_EQ(StatusMessage(), L"Queue: group 1 of 3, Sulfates.");
    EXPECT_TRUE(GetMenuState(GetMenu(Viewer()), ID_RUN_QUEUE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_THAT(QueueColumns(), ElementsAre(std::array<LONG, 3>{4, 2, 0}, std::array<LONG, 3>{4, 3, 0},
                                            std::array<LONG, 3>{4, 1, 1}));
    RunHost(25);
    EXPECT_EQ(ShownGroup(), L"Nitrates") << "the window shows the group that runs";
    EXPECT_EQ(StatusMessage(), L"Queue: group 2 of 3, Nitrates.");
    RunHost(200);

    EXPECT_FALSE(Window().GetRun().IsRunning());
    EXPECT_THAT(StoredStates(L"Sulfates"), ElementsAre(RUNSTATE_FAILED)) << "a failed row goes on with the queue";
    EXPECT_THAT(StoredStates(L"Nitrates"), ElementsAre(RUNSTATE_DONE));
    EXPECT_THAT(StoredStates(L"Nitrites"), ElementsAre(RUNSTATE_DONE, RUNSTATE_DONE));
    EXPECT_EQ(StoredRows(L"Nitrates")[0].StartTime, StoredRows(L"Sulfates")[0].EndTime) << "the next group starts at once";
    EXPECT_THAT(Trace({"RunPostGroup"}), ElementsAre("RunPostGroup: STANDBY"));
    EXPECT_THAT(QueueColumns(), testing::Each(std::array<LONG, 3>{0, 0, 0}));
    EXPECT_THAT(LogbookTexts(), testing::IsSupersetOf(std::vector<std::wstring>{
                                    L"Serion queue started: Sulfates, Nitrates, Nitrites.",
                                    L"Serion group Sulfates ended: 0 done, 1 failed, 0 not run.",
                                    L"Serion queue goes on with group Nitrates.", L"Serion queue goes on with group Nitrites.",
                                    L"Serion queue ended.", L"Serion group Nitrites ended: 2 done, 0 failed, 0 not run."}));
}
