// The demo worklist that `orvane --init --demo` adds to the delivered database: a group "Nitrates"
// whose rows run sample methods that end in every way a new user should see, and a night ("Overnight"
// with its QC rule and "Recalibration") on a drifting instrument that corrects itself.
#pragma once

#include <filesystem>
#include <string>

// methodPath is the host's method folder the rows were added from ("C:\Orvane\Methods\"). False,
// with the reason in error, when the database cannot be written; it then holds no demo group.
bool CreateDemoWorklist(const std::filesystem::path& databaseFile, const std::string& methodPath, std::string& error);
