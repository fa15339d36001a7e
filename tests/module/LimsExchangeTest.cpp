// File > Export Results... and File > Import Worklist... as a lab user exchanges worklists with a
// LIMS: the files the export writes read back by Python's csv and json modules.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"
#include "resources/ResourceIds.h"
#include "worklist/MethodRows.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/QcRules.h"
#include "worklist/RecordText.h"

#include "host/InstrumentSimulation.h"
#include "kernel/Text.h"
#include "win/ListViewAutomation.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>

namespace {

class LimsExchange : public ModuleTest {
protected:
    InstrumentSimulation m_instrument{[](const std::wstring&) {}};
};

// 2026-03-14 09:26:53 UTC, the tests' virtual now.
constexpr LONG kNow = 1773480413;
// Central European time without the zone files: an hour ahead of UTC in March before the change.
constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";

std::wstring Text(const wchar_t* title, int id)
{
    WCHAR text[1024] = {};
    GetWindowTextW(GetDlgItem(Automation::findWindow(title), id), text, 1024);
    return text;
}

// What python3 makes of the two files: {"csv": [row dicts], "json": the parsed document}.
nlohmann::json ReadByPython(const std::filesystem::path& folder, const std::string& csv, const std::string& json)
{
    const std::filesystem::path script = folder / "read.py";
    WriteFileBytes(script, "import csv, json, sys\n"
                           "rows = list(csv.DictReader(open(sys.argv[1], newline='', encoding='utf-8')))\n"
                           "doc = json.load(open(sys.argv[2], encoding='utf-8'))\n"
                           "print(json.dumps({'csv': rows, 'json': doc}))\n");
    const std::string command = "python3 " + script.string() + " " + (folder / csv).string() + " " +
                                (folder / json).string() + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, read);
        pclose(pipe);
    }
    const nlohmann::json parsed = nlohmann::json::parse(output, nullptr, false);
    EXPECT_FALSE(parsed.is_discarded()) << output;
    return parsed;
}

TEST_F(LimsExchange, ExportedResultsWithQuotesLineBreaksAndNonAsciiTextAreReadBackByPython)
{
    AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M"}), "");
    const std::wstring comments = L"Probe \u00abNord\u00bb, \"A\"\r\nZeile 2 \u2013 5 \u00b5g/l";
    {
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
        MethodRecord* first = rows.FindRowById(0, FALSE);
        ASSERT_NE(first, nullptr);
        SetRecordText(first->Comments, comments);
        SetRecordText(first->ErrMessage, L"Pump pressure above limit.\nFlow stopped.\r\n");
        first->RunState = RUNSTATE_FAILED;
        first->StartTime = kNow - 75;
        first->EndTime = kNow;
        ASSERT_TRUE(SUCCEEDED(rows.WriteRow({})));
        MethodRecord* second = rows.FindRowById(1, FALSE);
        second->RunState = RUNSTATE_UNCHECKED;
        ASSERT_TRUE(SUCCEEDED(rows.WriteRow({})));
    }
    setenv("TZ", kCentralEurope, 1);
    tzset();
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    constexpr const wchar_t* title = L"Export Results";
    m_user.then([&] {
        const HWND dialog = Automation::findWindow(title);
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_TRUE(Text(title, IDC_EXPORT_RESULT).starts_with(L"Type the name of the file")) << "no name, no file";
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_EXPORT_FILE, L"C:\\Results.csv")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_EQ(Text(title, IDC_EXPORT_RESULT), L"2 rows of Nitrates exported to C:\\Results.csv.");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_EXPORT_FILE, L"C:\\Results.JSON")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_EXPORT_FILE, L"C:\\nowhere\\Results.csv")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_EQ(Text(title, IDC_EXPORT_RESULT),
                  L"The rows could not be written to C:\\nowhere\\Results.csv: the folder C:\\nowhere does not exist.");
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_EXPORT_RESULTS)));
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(m_user.pendingActions(), 0u) << "the dialog was shown";

    const std::string csv = ReadFileBytes(m_root.onDriveC("Results.csv"));
    EXPECT_TRUE(csv.starts_with("row,method,data file,comments,sub-folder,checked,state,start,end,duration,message,qc,"
                                "results\r\n"))
        << csv;
    const nlohmann::json read = ReadByPython(m_root.onDriveC(""), "Results.csv", "Results.JSON");
    ASSERT_EQ(read["csv"].size(), 2u);
    const nlohmann::json& failed = read["csv"][0];
    EXPECT_EQ(failed["comments"], WideToUtf8(comments));
    EXPECT_EQ(failed["message"], "Pump pressure above limit.\nFlow stopped.") << "no line break at its end";
    EXPECT_EQ(failed["start"], "2026-03-14T10:25:38+01:00");
    EXPECT_EQ(failed["end"], "2026-03-14T10:26:53+01:00");
    EXPECT_EQ(failed["duration"], "75");
    EXPECT_EQ(failed["state"], "failed");
    EXPECT_EQ(failed["checked"], "yes");
    EXPECT_EQ(failed["sub-folder"], "Run1");
    EXPECT_EQ(read["csv"][1]["checked"], "no");
    EXPECT_EQ(read["csv"][1]["start"], "") << "a row never run has no times";

    const nlohmann::json& json = read["json"];
    EXPECT_EQ(json["group"], "Nitrates");
    ASSERT_EQ(json["rows"].size(), 2u);
    EXPECT_EQ(json["rows"][0]["comments"], WideToUtf8(comments));
    EXPECT_EQ(json["rows"][0]["message"], failed["message"]);
    EXPECT_EQ(json["rows"][0]["duration"], 75);
    EXPECT_EQ(json["rows"][0]["row"], 1);
    EXPECT_EQ(json["rows"][0]["checked"], true);
    EXPECT_EQ(json["rows"][0]["data file"], failed["data file"]);
    EXPECT_EQ(json["rows"][1]["start"], nullptr);
    EXPECT_EQ(json["rows"][1]["duration"], nullptr);
    EXPECT_EQ(json["rows"][1]["state"], "unchecked");
}

TEST_F(LimsExchange, ANightWhoseCheckDriftsOutRerunsCalibratesAndGoesOnAndItsExportTellsPythonWhatIsSuspect)
{
    // Standards and a check standard on an instrument whose detector answers 20 % less from its
    // 11th injection: the night's second check reads 80 %.
    const struct {
        const char* name;
        const char* simulation;
        const char* fiaRows;
    } methods[] = {{"NITRATE.M", "RunTime=20\nStandard=Standard 1, 0.5\nStandard=Standard 2, 2.0\n",
                    "Row 1, 1, \"Standard 1\"\nRow 2, 1, \"Standard 2\"\nRow 3, 2, \"River inlet\"\n"},
                   {"PHOSPHATE.M", "RunTime=30\nBlank=Blank\nCheck=Check standard, 1.0\nSample=Lake outlet, 0.4\n",
                    "Row 10, 1, \"Blank\"\nRow 11, 2, \"Check standard\"\nRow 12, 3, \"Lake outlet\"\n"}};
    for (const auto& method : methods) {
        AddMethod(method.name, method.simulation + std::string("Drift=-20% after 10 injections\n"));
        WriteFileBytes(m_root.onDriveC("Orvane/Methods/" + std::string(method.name) + "/FIA.REG"),
                       "ORVANE REGISTER 1\nObject \"FIA\"\nTable FIATable\nHeader FIAEnabled = 1\nColumn VIALNUMBER "
                       "Long\nColumn INJPERVIAL Long\nColumn SAMPLENAME String\n" +
                           std::string(method.fiaRows) + "EndTable\nEndObject\n");
    }
    ASSERT_EQ(AddRunGroup({L"NITRATE.M", L"PHOSPHATE.M", L"PHOSPHATE.M", L"PHOSPHATE.M"}, L"Night"), "");
    // The window shows the first group in the list's order: Night.
    ASSERT_EQ(AddRunGroup({L"NITRATE.M"}, L"Standards"), "");
    CGroupTable groups(ModuleSettings);
    ASSERT_EQ(groups.Open(), S_OK);
    ASSERT_EQ(QcRules::Write(ModuleSettings, GroupRows(groups).List().front().id, L"Night",
                             {{QcCheck::Recovery, 90, 110, QcAction::Rerun, QcAction::Calibrate, L"Standards"}}),
              S_OK);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    ASSERT_TRUE(Done(Automation::click(Viewer(), IDC_RUN)));
    RunHost(400);
    EXPECT_EQ(StoredStates(L"Night"), std::vector<LONG>(5, RUNSTATE_DONE)) << "row 3 and its rerun, then row 5";
    EXPECT_EQ(StoredStates(L"Standards"), std::vector<LONG>{RUNSTATE_DONE});
    // The list's QC column flags the same rows as the export below; a flagged row's tip says why.
    std::vector<std::wstring> flags;
    for (const ListItemInfo& item : MethodsShown(Viewer()).items)
        flags.push_back(item.cells[7].text);
    EXPECT_EQ(flags, (std::vector<std::wstring>{L"", L"suspect", L"failed", L"failed", L""}));
    std::wstring failedTip;
    std::wstring suspectTip;
    // The run's columns are beside the list's first ones.
    SendMessageW(GetDlgItem(Viewer(), IDC_METHOD_LIST), LVM_SCROLL, 600, 0);
    ASSERT_TRUE(Done(ListViewAutomation::restOnItem(Viewer(), IDC_METHOD_LIST, 2, 7, failedTip)));
    ASSERT_TRUE(Done(ListViewAutomation::restOnItem(Viewer(), IDC_METHOD_LIST, 1, 7, suspectTip)));
    const std::wstring why = L" % outside 90-110 % (rule: recovery outside 90-110 %: rerun, then calibrate with Standards)";
    EXPECT_TRUE(failedTip.starts_with(L"Check standard: recovery 8") && failedTip.ends_with(why)) << WideToUtf8(failedTip);
    EXPECT_TRUE(suspectTip.starts_with(L"Measured before the failed check of row 3: Check standard: recovery 8") &&
                suspectTip.ends_with(why))
        << WideToUtf8(suspectTip);

    m_user.then([&] {
        const HWND dialog = Automation::findWindow(L"Export Results");
        for (const wchar_t* file : {L"C:\\Night.csv", L"C:\\Night.json"}) {
            EXPECT_TRUE(Done(Automation::setText(dialog, IDC_EXPORT_FILE, file)));
            EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        }
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_EXPORT_RESULTS)));
    const nlohmann::json read = ReadByPython(m_root.onDriveC(""), "Night.csv", "Night.json");
    // The lake sample measured after the last passing check is suspect, and so is all that the
    // failed checks measured; after the calibration the check passes again.
    std::vector<std::string> qc;
    for (const nlohmann::json& row : read["csv"])
        qc.push_back(row["qc"]);
    EXPECT_EQ(qc, (std::vector<std::string>{"", "suspect", "failed", "failed", ""}));
    EXPECT_EQ(read["json"]["rows"][3]["comments"], "Rerun of row 3: ");
    const nlohmann::json& check = read["json"]["rows"][2]["results"][1];
    EXPECT_EQ(check["kind"], "check");
    EXPECT_EQ(check["qc"], "failed");
    EXPECT_NEAR(check["concentration"].get<double>(), 0.8, 0.03);
    EXPECT_EQ(read["json"]["rows"][2]["results"][2]["qc"], "suspect");
    EXPECT_NEAR(read["json"]["rows"][4]["results"][1]["concentration"].get<double>(), 1.0, 0.03);
    EXPECT_NE(read["csv"][2]["results"].get<std::string>().find("Check standard 0."), std::string::npos);
}

// Opens File > Import Worklist..., reads file into the shown group or into newGroup, and gives
// the dialog's last line.
std::wstring ImportThroughDialog(ScriptedInput& user, const std::wstring& file, const std::wstring& newGroup = L"")
{
    constexpr const wchar_t* title = L"Import Worklist";
    std::wstring result;
    user.then([&] {
        const HWND dialog = Automation::findWindow(title);
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_IMPORT_FILE, file)));
        if (!newGroup.empty()) {
            EXPECT_TRUE(Done(Automation::click(dialog, IDC_IMPORT_NEW_GROUP)));
            EXPECT_TRUE(Done(Automation::setText(dialog, IDC_IMPORT_GROUP_NAME, newGroup)));
        }
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        result = Text(title, IDC_IMPORT_RESULT);
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    EXPECT_TRUE(Done(Automation::chooseMenuCommand(MainViewer()->GetSafeHwnd(), ID_IMPORT_WORKLIST)));
    return result;
}

// What a row plans, as the import takes it.
std::vector<std::wstring> Planned(const MethodRecord& row)
{
    return {row.MethodName, row.DataFile, row.Comments, row.SubFolder, row.RunState == RUNSTATE_UNCHECKED ? L"no" : L"yes"};
}

TEST_F(LimsExchange, AnImportAddsAGoodFileAfterTheLastRowOrAsANewGroupAndABadFileNotAtAll)
{
    AddMethod("NITRATE.M", "RunTime=10\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"NITRATE.M"}), "");
    WriteFileBytes(m_root.onDriveC("lims.csv"), "data file,method,comments\r\nS-1.d,nitrate.m,\"River, \"\"north\"\"\"\r\n"
                                               "S-2.d,NITRATE.M,\r\n");
    WriteFileBytes(m_root.onDriveC("bad.csv"), "method,data file\r\nNITRATE.M,S-1.d\r\nSULFATE.M,S-2.d\r\n");
    WriteFileBytes(m_root.onDriveC("lims7.csv"), "method,data file\r\nNITRATE.M,S-3.d\r\nNITRATE.M,S-4.d\r\n");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);

    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\bad.csv"),
              L"Nothing was imported. Line 3: the method \"SULFATE.M\" is not in the method directory");
    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\missing.csv"), L"The file C:\\missing.csv cannot be read.");
    EXPECT_EQ(StoredRows(L"Nitrates").size(), 1u) << "nothing written";

    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\lims.csv"), L"2 rows imported from C:\\lims.csv into Nitrates.");
    const std::vector<MethodRecord> rows = StoredRows(L"Nitrates");
    ASSERT_EQ(rows.size(), 3u) << "ids dense after the last row";
    EXPECT_EQ(Planned(rows[1]), (std::vector<std::wstring>{L"NITRATE.M", L"S-1.d", L"River, \"north\"", L"", L"yes"}));
    EXPECT_EQ(MethodsShown(Viewer()).items.size(), 3u) << "the list shows the new rows";

    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\lims7.csv", L"Nitrates"),
              L"Nothing was imported. There is another group with the same name");
    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\lims7.csv", L"LIMS 7"), L"2 rows imported from C:\\lims7.csv into LIMS 7.");
    wchar_t shown[64] = L"";
    GetDlgItemTextW(Viewer(), IDC_GROUP, shown, 64);
    EXPECT_STREQ(shown, L"LIMS 7") << "the new group is shown";
    EXPECT_EQ(MethodsShown(Viewer()).items.size(), 2u);
    EXPECT_EQ(StoredRows(L"LIMS 7").size(), 2u);
}

TEST_F(LimsExchange, AnExportImportsAgainIntoItsGroupButNeverTakesAnotherGroupsDataAndImportIsGreyedWhileTheGroupRuns)
{
    AddMethod("NITRATE.M", "RunTime=10\nOutcome=done\n");
    AddMethod("PHOSPHATE.M", "RunTime=10\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"NITRATE.M", L"PHOSPHATE.M", L"NITRATE.M"}), "");
    {
        MethodRows rows(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(rows.LoadGroup(L"Nitrates")));
        MethodRecord* row = rows.FindRowById(1, FALSE);
        SetRecordText(row->Comments, L"Lake \u00e9t\u00e9, \"B\"\nsecond line");
        row->RunState = RUNSTATE_UNCHECKED;
        ASSERT_TRUE(SUCCEEDED(rows.WriteRow({})));
    }
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    m_user.then([&] {
        const HWND dialog = Automation::findWindow(L"Export Results");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_EXPORT_FILE, L"C:\\Nitrates.csv")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDOK)));
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_EXPORT_RESULTS)));
    // Another group's rows would write into Nitrates' data folders: the file is refused, naming each.
    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\Nitrates.csv", L"Copy"),
              L"Nothing was imported. These data files are other groups' data: line 2 \"Nitrates0000000000.d\" "
              L"(Nitrates, row 1), line 3 \"Nitrates0000000001.d\" (Nitrates, row 2), line 5 \"Nitrates0000000002.d\" "
              L"(Nitrates, row 3). Import the file without them and name the rows with Group > Autoname.");
    EXPECT_EQ(SendDlgItemMessageW(Viewer(), IDC_GROUP, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(L"Copy")),
              CB_ERR)
        << "no group made";
    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\Nitrates.csv"), L"3 rows imported from C:\\Nitrates.csv into Nitrates.");
    const std::vector<MethodRecord> rows = StoredRows(L"Nitrates");
    ASSERT_EQ(rows.size(), 6u);
    for (std::size_t n = 0; n < 3; ++n)
        EXPECT_EQ(Planned(rows[n + 3]), Planned(rows[n])) << n;

    // Rows without data files are named as Autoname names them.
    WriteFileBytes(m_root.onDriveC("copy.csv"), "method,comments\r\nNITRATE.M,a\r\nPHOSPHATE.M,b\r\n");
    EXPECT_EQ(ImportThroughDialog(m_user, L"C:\\copy.csv", L"Copy"), L"2 rows imported from C:\\copy.csv into Copy.");
    const std::vector<MethodRecord> copy = StoredRows(L"Copy");
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_STREQ(copy[0].DataFile, L"Copy0000000000.d");
    EXPECT_STREQ(copy[1].DataFile, L"Copy0000000001.d");

    // While the shown group, the copy, runs, only the export is offered.
    EXPECT_TRUE(CommandEnabled(Viewer(), ID_IMPORT_WORKLIST));
    Automation::deliverPending();
    ASSERT_TRUE(Done(Automation::click(Viewer(), IDC_RUN)));
    ASSERT_TRUE(MainViewer()->GetRun().IsRunning());
    RunHost(2);
    EXPECT_FALSE(CommandEnabled(Viewer(), ID_IMPORT_WORKLIST));
    EXPECT_TRUE(CommandEnabled(Viewer(), ID_EXPORT_RESULTS)) << "an export only reads";
    RunHost(30);
    EXPECT_TRUE(CommandEnabled(Viewer(), ID_IMPORT_WORKLIST));
}

} // namespace
