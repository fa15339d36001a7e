// Registers as the module reads them: a method's FIA.REG loaded into a temporary register under
// a write lock, the host's message text read under a read lock, and files that are refused.
#include "orvane/CDopNdr.h"
#include "orvane/CDopTable.h"
#include "orvane/CRegLockSemaphore.h"
#include "orvane/CpApi.h"
#include "orvane/RegApi.h"
#include "orvane/RegisterStore.h"

#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const fiaRegister = "ORVANE REGISTER 1\r\n"
                                "; The FIA settings of a method.\r\n"
                                "Object \"FIA\"\r\n"
                                "  Table FIATable\r\n"
                                "    Header FIAEnabled = 1\r\n"
                                "    Header Title = \"Nitrate\"\r\n"
                                "    Column VIALNUMBER Long\r\n"
                                "    Column INJPERVIAL Long\r\n"
                                "    Column SAMPLENAME String\r\n"
                                "    Row 1, 1, \"Standard 1\"\r\n"
                                "    Row -2, , \"River \"\"North\"\"\"\r\n"
                                "    Row 3\r\n"
                                "  EndTable\r\n"
                                "EndObject\r\n";

class Registers : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStore::instance().clear();
        context = CpCreateContext();
    }
    void TearDown() override
    {
        CpDestroyContext(context);
        RegisterStore::instance().clear();
    }
    TempRoot root;
    HCPCONTEXT context = 0;
};

TEST_F(Registers, FiaRegisterIsReadThroughATemporaryRegisterAndDiscarded)
{
    WriteFileBytes(root.onDriveC("Methods/NITRATE.M/FIA.REG"), fiaRegister);

    CRegLockSemaphore lock;
    ASSERT_EQ(lock.LockWrite(L"FIAREG_4_SERION", nullptr, 1), REG_OK);
    REGDESCSTRUCT desc{};
    ASSERT_EQ(lock.GetRegDescStruct(&desc), REG_OK);
    EXPECT_NE(desc.hRegister, 0u);
    EXPECT_EQ(std::wstring(desc.szName), L"FIAREG_4_SERION");
    ASSERT_EQ(RegLoadFile(L"c:\\methods\\nitrate.m\\FIA.REG", 1, 1, desc.hRegister, 0), REG_OK);

    CDopTable table;
    ASSERT_EQ(table.SetLockAccess(&lock), REG_OK);
    ASSERT_EQ(table.GetFirstObj(), REG_OK);
    ASSERT_EQ(table.Capture(1, L"fiatable"), REG_OK);
    USHORT enabled = 0;
    EXPECT_EQ(table.GetHdrNVUShort(L"FIAEnabled", &enabled), REG_OK);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(table.GetHdrNVUShort(L"Title", &enabled), REG_ERR_WRONG_TYPE);
    EXPECT_EQ(table.GetHdrNVUShort(L"Missing", &enabled), REG_ERR_NO_ITEM);
    EXPECT_EQ(enabled, 1);
    ASSERT_EQ(table.GetRowMax(), 3);

    LONG vial = 0, injections = 0;
    std::wstring name;
    EXPECT_EQ(table.GetSafeLong(2, L"VIALNUMBER", &vial), REG_OK);
    EXPECT_EQ(vial, -2);
    EXPECT_EQ(table.GetSafeLong(2, L"INJPERVIAL", &injections), REG_ERR_NO_ITEM);
    EXPECT_EQ(injections, 0);
    EXPECT_EQ(table.GetSafeString(2, L"SAMPLENAME", &name), REG_OK);
    EXPECT_EQ(name, L"River \"North\"");
    EXPECT_EQ(table.GetSafeString(3, L"SAMPLENAME", &name), REG_ERR_NO_ITEM);
    EXPECT_EQ(name, L"");
    EXPECT_EQ(table.GetSafeLong(4, L"VIALNUMBER", &vial), REG_ERR_NO_ITEM);
    EXPECT_EQ(table.GetSafeLong(1, L"SAMPLENAME", &vial), REG_ERR_NO_ITEM);
    EXPECT_EQ(table.GetNthObj(2), REG_ERR_NO_OBJECT);

    // Still locked: RegFree refuses, and another writer is refused at once.
    const LONGLONG found = UtFindRegister(RegGetCpSpace(context, 1), &desc);
    ASSERT_NE(found, 0);
    EXPECT_EQ(RegFree(found), REG_ERR_LOCKED);
    CRegLockSemaphore other;
    EXPECT_EQ(other.LockWrite(L"fiareg_4_serion", nullptr, 1), REG_ERR_LOCKED);
    EXPECT_EQ(other.LockRead(L"FIAREG_4_SERION", nullptr, 1), REG_ERR_LOCKED);

    EXPECT_EQ(table.Release(), REG_OK);
    EXPECT_EQ(table.GetRowMax(), 0);
    EXPECT_EQ(lock.Unlock(), REG_OK);
    EXPECT_EQ(lock.Unlock(), REG_ERR_NOT_LOCKED);
    EXPECT_EQ(RegFree(UtFindRegister(RegGetCpSpace(context, 1), &desc)), REG_OK);
    EXPECT_EQ(RegisterStore::instance().find(L"FIAREG_4_SERION"), nullptr);
    EXPECT_EQ(table.GetSafeLong(1, L"VIALNUMBER", &vial), REG_ERR_NO_TABLE);
}

TEST_F(Registers, ModuleMessageTextIsReadUnderAReadLockThatOthersShare)
{
    Register& gui = RegisterStore::instance().obtain(L"GUI");
    gui.addObject().setText(L"ModMsgText", L"Lamp warming up");

    CRegLockSemaphore first, second;
    ASSERT_EQ(first.LockRead(L"gui", nullptr, 1), REG_OK);
    ASSERT_EQ(second.LockRead(L"GUI", nullptr, 1), REG_OK);
    EXPECT_EQ(gui.readers(), 2);
    CRegLockSemaphore writer;
    EXPECT_EQ(writer.LockWrite(L"GUI", nullptr, 1), REG_ERR_LOCKED);

    CDopNdr ndr;
    ASSERT_EQ(ndr.SetLockAccess(&first), REG_OK);
    ASSERT_EQ(ndr.GetNthObj(1), REG_OK);
    std::wstring text;
    EXPECT_EQ(ndr.GetNdrString(L"modmsgtext", &text), REG_OK);
    EXPECT_EQ(text, L"Lamp warming up");
    EXPECT_EQ(ndr.GetNdrString(L"Other", &text), REG_ERR_NO_ITEM);
    EXPECT_EQ(text, L"");
    EXPECT_EQ(RegFree(gui.handle()), REG_ERR_RANGE); // not temporary: stays

    first.Unlock();
    {
        CRegLockSemaphore scoped;
        EXPECT_EQ(scoped.LockRead(L"GUI", nullptr, 1), REG_OK);
    } // the destructor unlocks
    second.Unlock();
    EXPECT_EQ(gui.readers(), 0);
    EXPECT_EQ(writer.LockWrite(L"GUI", nullptr, 1), REG_OK);

    CRegLockSemaphore missing;
    EXPECT_EQ(missing.LockRead(L"NOSUCH", nullptr, 1), REG_ERR_NO_REGISTER);
    CDopNdr unattached;
    EXPECT_EQ(unattached.SetLockAccess(&missing), REG_ERR_NOT_LOCKED);
    EXPECT_EQ(unattached.GetNthObj(1), REG_ERR_NOT_LOCKED);
    REGDESCSTRUCT desc{};
    EXPECT_EQ(missing.GetRegDescStruct(&desc), REG_ERR_NOT_LOCKED);
    EXPECT_EQ(desc.hRegister, 0u);
}

TEST_F(Registers, BadFilesLoadNothingAndSayWhere)
{
    Register& reg = RegisterStore::instance().obtain(L"KEEP");
    reg.addObject(L"old");
    const std::pair<const char*, const wchar_t*> files[] = {
        {"", L"C:\\bad.reg: not a register file: it is empty"},
        {"REGISTER\n", L"C:\\bad.reg, line 1: not a register file: the first line must be ORVANE REGISTER 1"},
        {"ORVANE REGISTER 1\nObject\nText M = \"open\nEndObject\n",
         L"C:\\bad.reg, line 3: Unterminated quote in: Text M = \"open"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A Long\nRow 1, 2\nEndTable\nEndObject\n",
         L"C:\\bad.reg, line 5: Row has 2 values, the table has 1 columns"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A Long\nRow 1.5\n",
         L"C:\\bad.reg, line 5: the column A takes whole numbers that fit 32 bits"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A String\nRow 1\n", L"C:\\bad.reg, line 5: the column A takes quoted texts"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A Date\n", L"C:\\bad.reg, line 4: Column takes a name and Long or String"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn\n", L"C:\\bad.reg, line 4: Column takes a name and Long or String"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A\n", L"C:\\bad.reg, line 4: Column takes a name and Long or String"},
        {"ORVANE REGISTER 1\nObject\nTable T\nColumn A Long\nRow 1e400\n", L"C:\\bad.reg, line 5: Number out of range: 1e400"},
        {"ORVANE REGISTER 1\nObject\nTable T\nHeader X 1\n",
         L"C:\\bad.reg, line 4: Header takes a name, '=' and a number or a quoted text"},
        {"ORVANE REGISTER 1\nObject\nTable T\n", L"C:\\bad.reg: the last Table has no EndTable"},
        {"ORVANE REGISTER 1\nTable T\n", L"C:\\bad.reg, line 2: expected Object"},
    };
    for (const auto& [text, message] : files) {
        SCOPED_TRACE(text);
        WriteFileBytes(root.onDriveC("bad.reg"), text);
        EXPECT_EQ(RegLoadFile(L"C:\\bad.reg", 1, 1, reg.handle(), 0), REG_ERR_SYNTAX);
        EXPECT_EQ(RegLastLoadError(), message);
        ASSERT_EQ(reg.objectCount(), 1u);
        EXPECT_EQ(reg.object(1)->name(), L"old");
    }
    EXPECT_EQ(RegLoadFile(L"C:\\none.reg", 1, 1, reg.handle(), 0), REG_ERR_FILE);
    std::filesystem::create_directory(root.onDriveC("folder.reg"));
    EXPECT_EQ(RegLoadFile(L"C:\\folder.reg", 1, 1, reg.handle(), 0), REG_ERR_FILE);
    EXPECT_EQ(RegLoadFile(L"C:\\bad.reg", 1, 1, 9999, 0), REG_ERR_NO_REGISTER);
}

} // namespace
