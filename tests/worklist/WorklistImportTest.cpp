// A LIMS worklist read as a whole: every kind of bad line refuses the file with its line and its
// fault, a good file's columns come in any order, and 10,000 rows are added as one edit.
#include "WorklistTestRoot.h"

#include "worklist/CMethodTable.h"
#include "worklist/MethodRows.h"
#include "worklist/WorklistImport.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::wstring> kMethods = {L"NITRATE.M", L"PHOSPHATE.M"};

class WorklistImportTest : public testing::Test {
protected:
    WorklistTestRoot m_root;
};

TEST_F(WorklistImportTest, EachKindOfBadLineRefusesTheWholeFileNamingItsLineAndFault)
{
    const std::string header = "method,data file,comments,sub-folder,checked\r\n";
    const std::string good = "NITRATE.M,s1.d,,Run1,yes\r\n";
    const struct {
        std::string file;
        std::wstring fault;
    } cases[] = {
        {"", L"Line 1: the file is empty: its first line must name the columns"},
        {"method,data file,colour\r\n", L"Line 1: the column \"colour\" is unknown: a worklist has the columns method, "
                                        L"data file, comments, sub-folder and checked, and may keep the others of an export"},
        {"method,Method,data file\r\n", L"Line 1: the column \"Method\" is named twice"},
        {"data file,comments\r\ns1.d,x\r\n", L"Line 1: the header names no column \"method\""},
        {header, L"Line 2: the file holds no rows below its header"},
        {header + good + "SULFATE.M,s2.d,,Run1,yes\r\n", L"Line 3: the method \"SULFATE.M\" is not in the method directory"},
        {header + "NITRATE.M,s1.d," + std::string(255, 'c') + ",Run1,yes\r\n",
         L"Line 2: the comments has 255 characters; it holds at most 254"},
        {header + good + "NITRATE.M,s\"2.d,,,\r\n", L"Line 3: a double quote inside a field that does not begin with one"},
        {header + "NITRATE.M,\"s1.d,,,\r\n" + good, L"Line 2: a field begins with a double quote that is never closed"},
        {header + "NITRATE.M,\"s1\".d,,,\r\n", L"Line 2: text after the double quote that closes a field"},
        {header + "NITRATE.M,s1.d\r\n", L"Line 2: 2 fields where the header names 5"},
        {header + "NITRATE.M,s1.d,,Run1,maybe\r\n", L"Line 2: checked is \"maybe\": it must be yes or no"},
        {header + "NITRATE.M,a/b.d,,,\r\n", L"Line 2: The data file \"a/b.d\" cannot be a Windows file name: it must not "
                                            L"contain any of these characters: \\ / : * ? \" < > |"},
        {header + "NITRATE.M,s1.d,,..\\Other,\r\n", L"Line 2: The sub-folder \"..\\Other\" leaves the data path: it must "
                                                    L"not begin with \\ or a drive, nor go up with \"..\""},
        // A quoted line break: the bad line is counted as the file's lines are.
        {header + "NITRATE.M,s1.d,\"first\nsecond\",,\r\nNITRATE.M\r\n", L"Line 4: 1 fields where the header names 5"},
    };
    for (const auto& bad : cases) {
        std::vector<ImportedRow> rows;
        const std::wstring fault = WorklistImport::Read(bad.file, kMethods, rows);
        EXPECT_EQ(fault.substr(0, bad.fault.size()), bad.fault) << bad.file;
        EXPECT_TRUE(rows.empty()) << bad.file;
    }
}

TEST_F(WorklistImportTest, AGoodFileHasItsColumnsInAnyOrderAndIsReadWithoutRegardToCase)
{
    std::vector<ImportedRow> rows;
    const std::string file = "\xEF\xBB\xBF"
                             "Checked,Data File,METHOD,state,Sub-Folder,Comments\n"
                             "no,s1.d,nitrate.m,done,Run1,\"River, \"\"north\"\" \xC2\xB5g\r\nbank\"\n"
                             ",,Phosphate.M,,,\n";
    ASSERT_EQ(WorklistImport::Read(file, kMethods, rows), L"");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].method, L"NITRATE.M") << "as the method directory names it";
    EXPECT_EQ(rows[0].dataFile, L"s1.d");
    EXPECT_EQ(rows[0].comments, L"River, \"north\" \u00b5g\r\nbank");
    EXPECT_EQ(rows[0].subFolder, L"Run1");
    EXPECT_FALSE(rows[0].checked);
    EXPECT_EQ(rows[1].method, L"PHOSPHATE.M");
    EXPECT_TRUE(rows[1].checked) << "an empty checked field is yes";
    EXPECT_EQ(rows[1].dataFile, L"") << "named by the group when added";
    EXPECT_EQ(rows[1].line, 4u) << "after a quoted line break";
}

} // namespace
