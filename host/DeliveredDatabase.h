// The worklist database that an Orvane installation delivers: database\worklist.mdb with an empty
// group table and user table, ready for the module to add its method tables.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A delivered table: its name and its column declarations, as both providers take them.
struct DeliveredTable {
    const char* name;
    const char* columns;
};

const std::vector<DeliveredTable>& DeliveredTables();

// Creates the file and its folders. An existing file is left as it is (a worklist is never
// overwritten). False with a message in error when the file cannot be made.
bool CreateDeliveredDatabase(const std::filesystem::path& databaseFile, std::string& error);
