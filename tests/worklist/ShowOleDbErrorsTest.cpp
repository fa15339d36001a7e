// What the user sees of a failed database call: one message box with the descriptions of the
// call's error records, or the module's own texts when there are none to read.
#include "WorklistTestRoot.h"

#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/ShowOleDbErrors.h"

#include "oledb/ErrorObject.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::wstring>;

void leaveRecords(std::initializer_list<std::optional<std::wstring>> descriptions)
{
    auto error = std::make_shared<ErrorObject>();
    for (const auto& description : descriptions)
        error->AddRecord({E_FAIL, 0, CLSID_JETOLEDB_4_00, IID_IRowset}, description);
    SetErrorInfo(0, error);
}

TEST(ShowOleDbErrors, MissingDatabaseShowsOneMessageWithTheProvidersDescription)
{
    WorklistTestRoot root;
    std::filesystem::remove(root.databaseFile());
    CGroupTable groups;
    const HRESULT status = groups.Open();
    EXPECT_EQ(status, E_FAIL);
    ShowOleDbErrors(status);
    EXPECT_EQ(root.boxes.take(), Texts{L"Could not find file 'C:\\Orvane\\Serion\\database\\worklist.mdb'."});
    EXPECT_FALSE(std::filesystem::exists(root.databaseFile()));
    EXPECT_TRUE(std::filesystem::is_empty(root.databaseFile().parent_path())) << "nothing was created beside it";

    // A method table shows its failed open itself, once.
    CMethodTable methods;
    EXPECT_EQ(methods.Open(L"Morning"), E_FAIL);
    EXPECT_EQ(root.boxes.take(), Texts{L"Could not find file 'C:\\Orvane\\Serion\\database\\worklist.mdb'."});
}

TEST(ShowOleDbErrors, RecordsAreJoinedAndMissingInformationIsNamed)
{
    WorklistTestRoot root;
    leaveRecords({L"First part. ", L"Second part."});
    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes.take(), Texts{L"First part. Second part."});

    leaveRecords({L"Found.", std::nullopt, L"Found again."});
    ShowOleDbErrors(DB_E_ERRORSOCCURRED);
    EXPECT_EQ(root.boxes.take(),
              Texts{L"Found.\nOLE DB Error Record dump retrieval failed: hr = 0x80040e59Found again."});

    leaveRecords({});
    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes.take(), Texts{L""}) << "an error object without records";

    ShowOleDbErrors(E_FAIL);
    EXPECT_EQ(root.boxes.take(), Texts{L"No OLE DB Error Information found: hr = 0x80004005"})
        << "the error object was used up by the last message";

    leaveRecords({L"Not for a success."});
    ShowOleDbErrors(S_OK);
    ShowOleDbErrors(DB_S_ENDOFROWSET);
    EXPECT_EQ(root.boxes.take(), Texts{});
}

TEST(ShowOleDbErrors, UnknownProviderShowsThatThereIsNoInformation)
{
    WorklistTestRoot root;
    ModuleSettings.strProvider = L"Microsoft.Jet.OLEDB.3.51";
    CGroupTable groups;
    const HRESULT status = groups.Open();
    EXPECT_EQ(status, CO_E_CLASSSTRING);
    ShowOleDbErrors(status);
    EXPECT_EQ(root.boxes.take(), Texts{L"No OLE DB Error Information found: hr = 0x80004005"});
}

TEST(ShowOleDbErrors, FileThatIsNotADatabaseIsShownAndKept)
{
    WorklistTestRoot root;
    const std::string notes = "worklist notes, not a database\n";
    WriteFileBytes(root.databaseFile(), notes);
    CGroupTable groups;
    ShowOleDbErrors(groups.Open());
    EXPECT_EQ(root.boxes.take(), Texts{L"Unrecognized database format 'C:\\Orvane\\Serion\\database\\worklist.mdb'."});
    EXPECT_EQ(ReadFileBytes(root.databaseFile()), notes);
}

} // namespace
