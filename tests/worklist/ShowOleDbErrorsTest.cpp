// What the user sees of a failed database call: one message box with the descriptions of the
// call's error records, or the module's own texts when there are none to read.
#include "WorklistTestRoot.h"

#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/ShowOleDbErrors.h"

#include "oledb/ErrorObject.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

void leaveRecords(std::initializer_list<std::optional<std::wstring>> descriptions)
{
    auto error = std::make_shared<ErrorObject>();
    for (const auto& description : descriptions)
        error->AddRecord({E_FAIL, 0, CLSID_JETOLEDB_4_00, IID_IRowset}, description);
    SetErrorInfo(0, error);
}

TEST(ShowOleDbErrors, DatabaseThatCannotOpenShowsOneMessageAndIsLeftAsItWas)
{
    const std::string notes = "worklist notes, not a database\n";
    const struct {
        const char* what;
        std::function<void(const WorklistTestRoot&)> spoil;
        HRESULT status;
        std::wstring shown;
    } cases[] = {
        {"missing", [](const WorklistTestRoot& root) { std::filesystem::remove(root.databaseFile()); }, E_FAIL,
         L"Could not find file 'C:\\Orvane\\Serion\\database\\worklist.mdb'."},
        {"not a database", [&](const WorklistTestRoot& root) { WriteFileBytes(root.databaseFile(), notes); }, E_FAIL,
         L"Unrecognized database format 'C:\\Orvane\\Serion\\database\\worklist.mdb'. The file is damaged or is "
         L"not a worklist; put back a copy from a backup, or the delivered worklist."},
        {"unknown provider", [](const WorklistTestRoot&) { ModuleSettings.strProvider = L"Microsoft.Jet.OLEDB.3.51"; },
         CO_E_CLASSSTRING, L"No OLE DB Error Information found: hr = 0x80004005"},
    };
    for (const auto& c : cases) {
        WorklistTestRoot root;
        c.spoil(root);
        const std::string before = ReadFileBytes(root.databaseFile());
        CGroupTable groups;
        const HRESULT status = groups.Open();
        EXPECT_EQ(status, c.status) << c.what;
        root.answerBoxes(2);
        ShowOleDbErrors(status);
        EXPECT_EQ(root.boxes(), Texts{c.shown}) << c.what;
        EXPECT_EQ(ReadFileBytes(root.databaseFile()), before) << c.what;
        const auto beside = std::distance(std::filesystem::directory_iterator(root.databaseFile().parent_path()), {});
        EXPECT_EQ(beside, before.empty() ? 0 : 1) << c.what << ": nothing was created beside it";
        // A method table shows its failed open itself, once.
        EXPECT_EQ(CMethodTable().Open(L"Morning"), c.status) << c.what;
        EXPECT_EQ(root.boxes(), Texts{c.shown}) << c.what;
    }
}

TEST(ShowOleDbErrors, RecordsAreJoinedAndMissingInformationIsNamed)
{
    WorklistTestRoot root;
    root.answerBoxes(4);
    leaveRecords({L"First part. ", L"Second part."});
    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes(), Texts{L"First part. Second part."});

    leaveRecords({L"Found.", std::nullopt, L"Found again."});
    ShowOleDbErrors(DB_E_ERRORSOCCURRED);
    EXPECT_EQ(root.boxes(),
              Texts{L"Found.\nOLE DB Error Record dump retrieval failed: hr = 0x80040e59Found again."});

    leaveRecords({});
    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes(), Texts{L""}) << "an error object without records";

    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes(), Texts{L"No OLE DB Error Information found: hr = 0x80004005"})
        << "the error object was used up by the last message";

    leaveRecords({L"Not for a success."});
    ShowOleDbErrors(S_OK);
    ShowOleDbErrors(DB_S_ENDOFROWSET);
}

} // namespace
