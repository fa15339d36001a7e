// Reading a module's command table as the host does when it loads the module.
#include "host/ModuleCommandTable.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ModuleCommandTable, TheModulesTableNamesBothCommandsWithTheirIds)
{
    HMODULE module = LoadLibraryW(L"" SERION_MODULE_PATH);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(101), LANG_ENGLISH_US);
    ASSERT_NE(found, nullptr);
    std::string error;
    const auto commands = ModuleCommandTable::parse(
        static_cast<const unsigned char*>(LockResource(LoadResource(module, found))), SizeofResource(module, found),
        error);
    FreeLibrary(module);
    ASSERT_TRUE(commands) << error;
    ASSERT_EQ(commands->size(), 2u);
    EXPECT_EQ((*commands)[0].name, "FIARUNNER");
    EXPECT_EQ((*commands)[0].id, 1002);
    EXPECT_EQ((*commands)[1].name, "FIACONTROL");
    EXPECT_EQ((*commands)[1].id, 1001);
}

TEST(ModuleCommandTable, DamagedTablesAreRefusedWithAReason)
{
    std::string error;
    const std::vector<unsigned char> noMarker = {'N', 'O', 'H', 'E', 'L', 'P', 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ModuleCommandTable::parse(noMarker.data(), noMarker.size(), error));
    EXPECT_NE(error.find("WITHHELP"), std::string::npos);

    // A name whose id and attributes are cut off.
    const std::vector<unsigned char> cut = {'W', 'I', 'T', 'H', 'H', 'E', 'L', 'P', 0, 1, 0, 0, 0x80, 0,
                                            'R', 'U', 'N', 0, 0xEA, 0x03, 0};
    EXPECT_FALSE(ModuleCommandTable::parse(cut.data(), cut.size(), error));
    EXPECT_NE(error.find("middle of a command"), std::string::npos);

    const std::vector<unsigned char> empty = {'W', 'I', 'T', 'H', 'H', 'E', 'L', 'P', 0, 1, 0, 0, 0x80, 0, 0};
    const auto none = ModuleCommandTable::parse(empty.data(), empty.size(), error);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
    EXPECT_FALSE(ModuleCommandTable::parse(nullptr, 0, error));
}

} // namespace
