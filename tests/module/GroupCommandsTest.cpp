// The main viewer's group and method commands as a user meets them on a fresh root: adding and
// deleting groups, the shut-down box, deleting methods and the commands each state allows.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/OleDbErrorText.h"
#include "worklist/QcRules.h"

#include "host/HostInstaller.h"
#include "host/HostRoot.h"
#include "orvane/CpApi.h"
#include "support/TempRoot.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"
#include "resources/ResourceIds.h"
#include "win/ListViewAutomation.h"

#include <gmock/gmock.h>

using testing::ElementsAre;

namespace {

struct StoredGroup {
    LONG id;
    std::wstring name;
    std::wstring shutdown;
    bool operator==(const StoredGroup&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StoredGroup& group)
{
    return out << group.id << " " << WideToUtf8(group.name) << " [" << WideToUtf8(group.shutdown) << "]";
}

class GroupCommands : public ModuleTest {
protected:
    void Open()
    {
        ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
        ASSERT_NE(Viewer(), nullptr);
    }

    // Group > Add..., or its shortcut Ctrl+Alt+A, with the name typed; a refused name's message
    // is answered.
    void AddGroup(const std::wstring& name, bool byShortcut = false, bool refused = false)
    {
        m_user.then([name] {
            const HWND dialog = Automation::findWindow(L"Add Group");
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(Done(Automation::setText(dialog, IDC_GROUP_NAME, name)));
            EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        });
        if (refused)
            AnswerMessage(m_boxTexts, IDOK);
        if (byShortcut)
            ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'A', MOD_CONTROL | MOD_ALT)));
        else
            ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_GROUP)));
        EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";
    }

    // The window open on group Nitrates with three rows.
    void OpenWithThreeRows()
    {
        Open();
        AddGroup(L"Nitrates");
        {
            MethodRows rows(ModuleSettings);
            ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
            rows.InsertMethods({L"NO3", L"NO2", L"PO4"}, 1, L"C:\\Orvane\\Methods\\", 0);
        }
        Open();
    }

    static std::vector<StoredGroup> StoredGroups()
    {
        CGroupTable table(ModuleSettings);
        EXPECT_TRUE(SUCCEEDED(table.Open()));
        std::vector<StoredGroup> groups;
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
            groups.push_back({table.GroupID, table.GroupName, table.ShutDownOption});
        return groups;
    }

    WindowInfo Combo(int id) const { return Automation::describe(GetDlgItem(Viewer(), id)); }

    bool Enabled(UINT command) const { return CommandEnabled(Viewer(), command); }

    std::vector<UINT> EnabledCommands() const
    {
        std::vector<UINT> enabled;
        for (UINT command : {IDCANCEL, ID_ADD_GROUP, ID_AUTONAME, ID_DELETE_GROUP, ID_ADD_METHOD, ID_CHECK_ALL,
                             ID_DELETE_METHOD, ID_PROPERTIES, ID_UNCHECK_ALL, ID_MODULE_HELP})
            if (Enabled(command))
                enabled.push_back(command);
        return enabled;
    }

    std::vector<std::wstring> m_boxTexts;
};

TEST_F(GroupCommands, GroupsAddedToAnEmptyTableGetIdsFromTwoAreSortedAndBadNamesAreRefused)
{
    Open();
    EXPECT_TRUE(Combo(IDC_GROUP).items.empty());
    EXPECT_THAT(EnabledCommands(), ElementsAre(IDCANCEL, ID_ADD_GROUP, ID_MODULE_HELP));

    // The host's timers go on while the new table settles: this one runs before the row exists.
    std::vector<std::size_t> rowsWhenTimerRan;
    const std::int64_t started = Clock::nowMs();
    const Clock::TimerId timer = Clock::addTimer(400, [&rowsWhenTimerRan] { rowsWhenTimerRan.push_back(StoredGroups().size()); });
    AddGroup(L"Zinc");
    Clock::removeTimer(timer);
    EXPECT_GE(Clock::nowMs() - started, 1000);
    ASSERT_FALSE(rowsWhenTimerRan.empty());
    EXPECT_EQ(rowsWhenTimerRan.front(), 0u);

    // A policy chosen in the dialog is the new group's; the default goes on after a failed row.
    m_user.then([] {
        const HWND dialog = Automation::findWindow(L"Add Group");
        EXPECT_EQ(Automation::describe(GetDlgItem(dialog, IDC_ON_FAILURE)).text, L"Go on with the next method");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_GROUP_NAME, L"Ammonia")));
        EXPECT_TRUE(Automation::chooseEntry(dialog, IDC_ON_FAILURE, L"Stop the group").ok);
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_GROUP)));
    EXPECT_EQ(Combo(IDC_ON_FAILURE).text, L"Stop the group");
    {
        CGroupTable table(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(table.Open()));
        ASSERT_TRUE(GroupRows(table).FindById(3));
        EXPECT_EQ(table.OnFailure, ONFAILURE_STOP);
        ASSERT_TRUE(GroupRows(table).FindById(2));
        EXPECT_EQ(table.OnFailure, ONFAILURE_GO_ON);
    }
    EXPECT_THAT(StoredGroups(), ElementsAre(StoredGroup{2, L"Zinc", L" "}, StoredGroup{3, L"Ammonia", L" "}));
    EXPECT_THAT(Combo(IDC_GROUP).items, ElementsAre(L"Ammonia", L"Zinc"));
    EXPECT_EQ(Combo(IDC_GROUP).text, L"Ammonia") << "the new group is the shown one";
    EXPECT_EQ(Combo(IDC_SHUTDOWN).currentSelection, -1);
    EXPECT_THAT(EnabledCommands(), ElementsAre(IDCANCEL, ID_ADD_GROUP, ID_DELETE_GROUP, ID_ADD_METHOD, ID_MODULE_HELP));
    MethodRows rows(ModuleSettings);
    EXPECT_TRUE(SUCCEEDED(rows.LoadGroup(L"Ammonia"))) << "the group's method table exists";

    // Another letter case, an empty name, a name no file may start with: refused, nothing written.
    for (const wchar_t* bad : {L"zINC", L"", L"a/b", L" lead"})
        AddGroup(bad, false, true);
    ASSERT_EQ(m_boxTexts.size(), 4u);
    EXPECT_EQ(m_boxTexts[0], L"There is another group with the same name");
    for (std::size_t box = 1; box < 4; ++box)
        EXPECT_NE(m_boxTexts[box].find(L"1 to 50 characters"), std::wstring::npos) << WideToUtf8(m_boxTexts[box]);
    EXPECT_EQ(StoredGroups().size(), 2u);
    EXPECT_EQ(Combo(IDC_GROUP).items.size(), 2u);

    // Cancel adds nothing.
    m_user.then([] { EXPECT_TRUE(Done(Automation::click(Automation::findWindow(L"Add Group"), IDCANCEL))); });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_GROUP)));
    EXPECT_EQ(StoredGroups().size(), 2u);
}

TEST_F(GroupCommands, AGroupDeletedRightAfterBeingAddedLosesRowAndTableAndDoesNotComeBack)
{
    Open();
    AddGroup(L"Nitrates");
    AddGroup(L"Silicates", true);
    ASSERT_EQ(Combo(IDC_GROUP).text, L"Silicates");

    AnswerMessage(m_boxTexts, IDNO);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_DELETE_GROUP)));
    ASSERT_EQ(m_boxTexts.size(), 1u);
    EXPECT_EQ(m_boxTexts[0], L"Are you sure you want to delete the group \"Silicates\"");
    EXPECT_EQ(StoredGroups().size(), 2u);

    AnswerMessage(m_boxTexts, IDYES);
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'D', MOD_CONTROL | MOD_ALT)));
    EXPECT_THAT(StoredGroups(), ElementsAre(StoredGroup{2, L"Nitrates", L" "}));
    EXPECT_THAT(Combo(IDC_GROUP).items, ElementsAre(L"Nitrates"));
    EXPECT_EQ(Combo(IDC_GROUP).text, L"Nitrates");
    MethodRows rows(ModuleSettings);
    EXPECT_NE(OleDbErrorText(rows.LoadGroup(L"Silicates")).find(L"cannot find the input table or query 'Silicates'"),
              std::wstring::npos) << "the method table is dropped";

    Open();
    EXPECT_THAT(Combo(IDC_GROUP).items, ElementsAre(L"Nitrates"));

    // Deleting the last group leaves an empty window with only the commands of an empty table.
    AnswerMessage(m_boxTexts, IDYES);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_DELETE_GROUP)));
    EXPECT_TRUE(StoredGroups().empty());
    EXPECT_EQ(Combo(IDC_GROUP).currentSelection, -1);
    EXPECT_THAT(EnabledCommands(), ElementsAre(IDCANCEL, ID_ADD_GROUP, ID_MODULE_HELP));
    // The shortcut of a greyed command does nothing: no question is asked.
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'D', MOD_CONTROL | MOD_ALT)));
    EXPECT_EQ(m_boxTexts.size(), 3u);
}

TEST_F(GroupCommands, TheShutDownBoxStoresAChosenOrTypedCommandAndRefusesOneTooLong)
{
    Open();
    AddGroup(L"Nitrates");
    const HWND viewer = Viewer();
    // A new group neither shows nor takes over the option of the group shown before it.
    ASSERT_TRUE(Done(Automation::chooseEntry(viewer, IDC_SHUTDOWN, L"STANDBY")));
    AddGroup(L"Phosphates");
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"");
    ASSERT_TRUE(Done(Automation::pressKey(viewer, VK_TAB)));
    EXPECT_EQ(StoredGroups()[1].shutdown.find_first_not_of(L' '), std::wstring::npos) << "still without a command";

    // "lamp" typed: shown in capitals, LAMPALL OFF selected on leaving, LAMP stored.
    ASSERT_TRUE(Done(Automation::setText(viewer, IDC_SHUTDOWN, L"lamp")));
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"LAMP");
    ASSERT_TRUE(Done(Automation::pressKey(viewer, VK_TAB)));
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"LAMPALL OFF");
    EXPECT_EQ(Combo(IDC_SHUTDOWN).items.size(), 4u);
    EXPECT_EQ(StoredGroups()[1], (StoredGroup{3, L"Phosphates", L"LAMP"}));

    // A macro of the user's own becomes a fifth entry; the other group keeps its own option.
    ASSERT_TRUE(Done(Automation::chooseEntry(viewer, IDC_GROUP, L"Nitrates")));
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"STANDBY");
    ASSERT_TRUE(Done(Automation::setText(viewer, IDC_SHUTDOWN, L"flushall")));
    ASSERT_TRUE(Done(Automation::pressKey(viewer, VK_TAB)));
    EXPECT_THAT(Combo(IDC_SHUTDOWN).items, ElementsAre(L" ", L"STANDBY", L"LAMPALL OFF", L"PUMPALL OFF", L"FLUSHALL"));
    EXPECT_EQ(Combo(IDC_SHUTDOWN).currentSelection, 4);
    EXPECT_EQ(StoredGroups()[0].shutdown, L"FLUSHALL");

    // Choosing an entry stores it at once.
    ASSERT_TRUE(Done(Automation::chooseEntry(viewer, IDC_SHUTDOWN, L"STANDBY")));
    EXPECT_EQ(StoredGroups()[0].shutdown, L"STANDBY");

    // 51 characters: refused, the stored option shown again and kept.
    AnswerMessage(m_boxTexts, IDOK);
    ASSERT_TRUE(Done(Automation::setText(viewer, IDC_SHUTDOWN, std::wstring(51, L'X'))));
    ASSERT_TRUE(Done(Automation::pressKey(viewer, VK_TAB)));
    ASSERT_EQ(m_boxTexts.size(), 1u);
    EXPECT_NE(m_boxTexts[0].find(L"at most 50 characters"), std::wstring::npos);
    EXPECT_EQ(StoredGroups()[0].shutdown, L"STANDBY");
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"STANDBY");

    // Reopened, each group shows its option again.
    Open();
    ASSERT_TRUE(Done(Automation::chooseEntry(Viewer(), IDC_GROUP, L"Phosphates")));
    EXPECT_EQ(Combo(IDC_SHUTDOWN).text, L"LAMPALL OFF");
}

TEST_F(GroupCommands, DeletingMethodsAsksWithOneNameALineAndDeletesOnlyOnYes)
{
    OpenWithThreeRows();
    EXPECT_FALSE(Enabled(ID_DELETE_METHOD));
    ASSERT_TRUE(Done(ListViewAutomation::selectItems(Viewer(), IDC_METHOD_LIST, {0, 2})));

    AnswerMessage(m_boxTexts, IDNO);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_DELETE_METHOD)));
    ASSERT_EQ(m_boxTexts.size(), 1u);
    EXPECT_EQ(m_boxTexts[0], L"Are you sure you want to delete \nNO3\nPO4");
    EXPECT_EQ(MethodsShown(Viewer()).items.size(), 3u);

    AnswerMessage(m_boxTexts, IDYES);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_DELETE_METHOD)));
    const std::vector<MethodRecord> left = StoredRows(L"Nitrates");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_STREQ(left[0].MethodName, L"NO2");
    EXPECT_EQ(MethodsShown(Viewer()).items.size(), 1u);
    EXPECT_FALSE(Enabled(ID_DELETE_METHOD)) << "nothing is selected any more";

    // Ctrl+A checks every row.
    ASSERT_TRUE(Done(ListViewAutomation::clickItem(Viewer(), IDC_METHOD_LIST, 0, true)));
    EXPECT_EQ(StoredRows(L"Nitrates")[0].RunState, RUNSTATE_UNCHECKED);
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'A', MOD_CONTROL)));
    EXPECT_EQ(StoredRows(L"Nitrates")[0].RunState, RUNSTATE_CHECKED);
}

TEST_F(GroupCommands, QcRulesAreAddedChangedAndRemovedABadLimitIsRefusedKeepingWhatWasTypedAndCancelWritesNothing)
{
    ASSERT_EQ(AddRunGroup({L"NO3"}, L"Standards"), "");
    OpenWithGroup({L"NO3"});
    ASSERT_EQ(MethodsShown(Viewer()).items.size(), 1u) << "Nitrates is shown";
    const auto dialog = [] { return Automation::findWindow(L"QC Rules"); };
    const auto lines = [&] {
        ListViewInfo list;
        EXPECT_TRUE(ListViewAutomation::inspect(dialog(), IDC_QC_LIST, list).ok);
        std::vector<std::wstring> shown;
        for (const ListItemInfo& item : list.items) {
            std::wstring line;
            for (const auto& cell : item.cells)
                line += (line.empty() ? L"" : L" | ") + cell.text;
            shown.push_back(line);
        }
        return shown;
    };
    const auto field = [&](int id) { return Automation::describe(GetDlgItem(dialog(), id)); };
    m_user.then([&] {
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(field(IDC_QC_GROUP).text, L"Nitrates");
        EXPECT_FALSE(field(IDC_QC_LIMIT).enabled || field(IDC_QC_REMOVE).enabled) << "no rule to change";
        // A new rule starts as a recovery range, rerun once and then pause; its fields change it.
        EXPECT_TRUE(Done(Automation::click(dialog(), IDC_QC_ADD)));
        EXPECT_THAT(lines(), ElementsAre(L"Recovery outside (%) | 90-110 | Rerun once | Pause the run | "));
        EXPECT_FALSE(field(IDC_QC_CALIBRATION).enabled);
        EXPECT_TRUE(Done(Automation::setText(dialog(), IDC_QC_UPPER, L"105.5")));
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog(), IDC_QC_THEN, L"Calibrate")));
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog(), IDC_QC_CALIBRATION, L"Standards")));
        // A blank's limit typed with a comma is no number: OK names the rule and its fault.
        EXPECT_TRUE(Done(Automation::click(dialog(), IDC_QC_ADD)));
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog(), IDC_QC_CHECK, L"Blank above")));
        EXPECT_FALSE(field(IDC_QC_UPPER).enabled) << "a blank has one limit";
        EXPECT_TRUE(Done(Automation::setText(dialog(), IDC_QC_LIMIT, L"0,05")));
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog(), IDC_QC_ACTION, L"Pause the run")));
        EXPECT_FALSE(field(IDC_QC_THEN).enabled);
        EXPECT_TRUE(Done(Automation::click(dialog(), IDC_QC_ADD)));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDC_QC_REMOVE)));
        ASSERT_TRUE(Done(ListViewAutomation::selectItems(dialog(), IDC_QC_LIST, {0})));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDOK)));
    });
    AnswerMessage(m_boxTexts);
    m_user.then([&] {
        ASSERT_NE(dialog(), nullptr) << "still open after the refusal";
        EXPECT_THAT(lines(), ElementsAre(L"Recovery outside (%) | 90-105.5 | Rerun once | Calibrate | Standards",
                                         L"Blank above | 0,05 | Pause the run |  | "));
        EXPECT_EQ(field(IDC_QC_LIMIT).text, L"0,05") << "the refused rule is shown as typed";
        EXPECT_TRUE(field(IDC_QC_LIMIT).focused);
        EXPECT_TRUE(Done(Automation::setText(dialog(), IDC_QC_LIMIT, L"0.05")));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDOK)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_QC_RULES)));
    EXPECT_EQ(m_user.pendingActions(), 0u);
    EXPECT_THAT(m_boxTexts, ElementsAre(L"QC rule 2, Blank above, cannot be kept: the limit \"0,05\" is not a number; "
                                        L"type one such as 90 or 0.995. Nothing was saved."));
    std::vector<QcRule> stored;
    constexpr LONG kNitrates = 3;   // the second group of the table
    ASSERT_EQ(QcRules::Read(ModuleSettings, kNitrates, stored), S_OK);
    const std::vector<QcRule> saved = {{QcCheck::Recovery, 90, 105.5, QcAction::Rerun, QcAction::Calibrate, L"Standards"},
                                       {QcCheck::Blank, 0, 0.05, QcAction::Pause, QcAction::None, L""}};
    EXPECT_EQ(stored, saved);

    // Opened again, the window shows the stored rules; Escape leaves them as they were.
    m_user.then([&] {
        EXPECT_THAT(lines(), ElementsAre(L"Recovery outside (%) | 90-105.5 | Rerun once | Calibrate | Standards",
                                         L"Blank above | 0.05 | Pause the run |  | "));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDC_QC_REMOVE)));
        EXPECT_TRUE(Done(Automation::pressKey(dialog(), VK_ESCAPE)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_QC_RULES)));
    EXPECT_EQ(m_user.pendingActions(), 0u);
    ASSERT_EQ(QcRules::Read(ModuleSettings, kNitrates, stored), S_OK);
    EXPECT_EQ(stored, saved);
}

TEST_F(GroupCommands, AddMethodListsTheMethodsWithTheirFiaTablesAndAddsEachChosenOneAsOftenAsAsked)
{
    std::string error;
    ASSERT_TRUE(HostInstaller::install(HostRoot(m_root.path()), error)) << error;
    WriteFileBytes(m_root.onDriveC("Orvane/Methods/BROKEN.M/FIA.REG"), "not a register\n");
    WriteFileBytes(m_root.onDriveC("Orvane/Methods/NOTABLE.M/FIA.REG"), "ORVANE REGISTER 1\nObject \"FIA\"\nEndObject\n");
    std::filesystem::create_directories(m_root.onDriveC("Orvane/Methods/NOREG.M"));
    OpenWithThreeRows();

    const auto dialog = [] { return Automation::findWindow(L"Add Method(s)"); };
    const auto listed = [&] {
        ListViewInfo list;
        EXPECT_TRUE(ListViewAutomation::inspect(dialog(), IDC_METHODS, list).ok);
        EXPECT_EQ(list.smallImages.size(), 2u);
        std::vector<std::wstring> names;
        for (const ListItemInfo& item : list.items)
            names.push_back(item.cells[0].text + (item.image == 0 ? L" FIA" : L""));
        return names;
    };
    const auto fiaTable = [&] {
        ListViewInfo list;
        EXPECT_TRUE(ListViewAutomation::inspect(dialog(), IDC_FIA_TABLE, list).ok);
        std::vector<std::wstring> rows;
        for (const ListItemInfo& item : list.items)
            rows.push_back(item.cells[0].text + L"|" + item.cells[1].text + L"|" + item.cells[2].text);
        return rows;
    };
    // Over the listed methods, the ones whose FIA.REG is there but unusable are named with the
    // reason; a method without one is simply without FIA.
    AnswerMessage(m_boxTexts, IDOK);
    m_user.then([&] {
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(Automation::describe(GetDlgItem(dialog(), IDC_METHOD_PATH)).text, L"C:\\Orvane\\Methods\\");
        EXPECT_THAT(listed(), ElementsAre(L"ABORTED.M FIA", L"ACQERROR.M FIA", L"BLANK.M", L"BROKEN.M", L"LEAK.M FIA",
                                          L"NITRATE.M FIA", L"NOREG.M", L"NOTABLE.M", L"NOTREADY.M FIA", L"PHOSPHATE.M FIA"));
        ASSERT_TRUE(Done(ListViewAutomation::selectItems(dialog(), IDC_METHODS, {2})));
        EXPECT_TRUE(fiaTable().empty()) << "a method without FIA has no table";
        // A plain click chooses its method alone, a Ctrl+click adds one; the details show the
        // table of the method changed last.
        ASSERT_TRUE(Done(ListViewAutomation::selectItems(dialog(), IDC_METHODS, {9, 5})));
        EXPECT_THAT(fiaTable(), ElementsAre(L"Vial 1|Standard 1|1", L"Vial 2|Standard 2|1", L"Vial 3|River inlet|2"));
        // A refused count, then a good one: each name is in the result once.
        EXPECT_TRUE(Done(Automation::setText(dialog(), IDC_SAMPLES, L"1000")));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDOK)));
        EXPECT_TRUE(Done(Automation::setText(dialog(), IDC_SAMPLES, L"2")));
        EXPECT_TRUE(Done(Automation::click(dialog(), IDOK)));
    });
    AnswerMessage(m_boxTexts, IDOK);
    ASSERT_TRUE(Done(ListViewAutomation::selectItems(Viewer(), IDC_METHOD_LIST, {0})));
    ASSERT_TRUE(Done(Automation::pressKey(Viewer(), 'M', MOD_CONTROL)));
    EXPECT_EQ(m_user.pendingActions(), 0u);
    ASSERT_EQ(m_boxTexts.size(), 2u);
    EXPECT_EQ(m_boxTexts[0],
              L"These methods are listed without FIA because their FIA.REG cannot be used:\n"
              L"BROKEN.M: C:\\Orvane\\Methods\\BROKEN.M\\FIA.REG, line 1: not a register file: the first line must be "
              L"ORVANE REGISTER 1\n"
              L"NOTABLE.M: C:\\Orvane\\Methods\\NOTABLE.M\\FIA.REG: it has no table FIATable");
    EXPECT_EQ(m_boxTexts[1], L"Enter an integer between 1 and 999.");

    std::vector<std::wstring> names;
    for (const MethodRecord& row : StoredRows(L"Nitrates"))
        names.push_back(row.MethodName);
    EXPECT_THAT(names, ElementsAre(L"NO3", L"NITRATE.M", L"NITRATE.M", L"PHOSPHATE.M", L"PHOSPHATE.M", L"NO2", L"PO4"));
    EXPECT_STREQ(StoredRows(L"Nitrates")[1].SysMethPath, L"C:\\Orvane\\Methods\\");
    EXPECT_EQ(MethodsShown(Viewer()).items.size(), 7u);

    // A double click takes the clicked method, and so does Enter on the list; Cancel adds nothing.
    AnswerMessage(m_boxTexts, IDOK);
    m_user.then([&] { EXPECT_TRUE(Done(ListViewAutomation::doubleClickItem(dialog(), IDC_METHODS, 2))); });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    EXPECT_EQ(StoredRows(L"Nitrates").size(), 8u);
    AnswerMessage(m_boxTexts, IDOK);
    m_user.then([&] {
        ASSERT_TRUE(Done(ListViewAutomation::selectItems(dialog(), IDC_METHODS, {5})));
        EXPECT_TRUE(Done(Automation::pressKey(dialog(), VK_RETURN)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    EXPECT_EQ(StoredRows(L"Nitrates").size(), 9u);
    EXPECT_EQ(Automation::findWindow(L"Add Method(s)"), nullptr);
    AnswerMessage(m_boxTexts, IDOK);
    m_user.then([&] { EXPECT_TRUE(Done(Automation::click(dialog(), IDCANCEL))); });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    EXPECT_EQ(StoredRows(L"Nitrates").size(), 9u);

    // A method directory that is gone is said so, and no dialog opens.
    CpSetStrVar(m_context, "_METHPATH$", L"C:\\Orvane\\Gone\\");
    AnswerMessage(m_boxTexts, IDOK);
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_ADD_METHOD)));
    ASSERT_EQ(m_boxTexts.size(), 6u);
    EXPECT_EQ(m_boxTexts[5], L"Method directory does not exist.");
}

} // namespace
