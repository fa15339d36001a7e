// Reading a module's command table as the host does when it loads the module: the module's own
// table is read whenever the host starts it; here the tables it must refuse.
#include "host/ModuleCommandTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
