// What the user is shown of a failed database call: the descriptions of the call's error records,
// or the module's own texts when there are none to read.
#include "WorklistTestRoot.h"

#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/OleDbErrorText.h"

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

TEST(OleDbErrorText, DatabaseThatCannotOpenSaysWhyAndIsLeftAsItWas)
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
        CGroupTable groups(ModuleSettings);
        const HRESULT status = groups.Open();
        EXPECT_EQ(status, c.status) << c.what;
        EXPECT_EQ(OleDbErrorText(status), c.shown) << c.what;
        EXPECT_EQ(ReadFileBytes(root.databaseFile()), before) << c.what;
        const auto beside = std::distance(std::filesystem::directory_iterator(root.databaseFile().parent_path()), {});
        EXPECT_EQ(beside, before.empty() ? 0 : 1) << c.what << ": nothing was created beside it";
        // A method table's failed open leaves the same records for its caller.
        EXPECT_EQ(OleDbErrorText(CMethodTable(ModuleSettings).Open(L"Morning")), c.shown) << c.what;
    }
}

TEST(OleDbErrorText, RecordsAreJoinedAndMissingInformationIsNamed)
{
    WorklistTestRoot root;
    leaveRecords({L"First part. ", L"Second part."});
    EXPECT_EQ(OleDbErrorText(E_FAIL), L"First part. Second part.");

    leaveRecords({L"Found.", std::nullopt, L"Found again."});
    EXPECT_EQ(OleDbErrorText(DB_E_ERRORSOCCURRED),
              L"Found.\nOLE DB Error Record dump retrieval failed: hr = 0x80040e59Found again.");

    leaveRecords({});
    EXPECT_EQ(OleDbErrorText(E_FAIL), L"") << "an error object without records";
    EXPECT_EQ(OleDbErrorText(E_FAIL), L"No OLE DB Error Information found: hr = 0x80004005")
        << "the error object was used up by the last text";

    leaveRecords({L"Not for a success."});
    EXPECT_EQ(OleDbErrorText(S_OK), L"");
    EXPECT_EQ(OleDbErrorText(DB_S_ENDOFROWSET), L"");
}

} // namespace
