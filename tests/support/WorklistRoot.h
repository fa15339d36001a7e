// A fresh host root holding the delivered worklist database, as an Orvane installation has it.
#pragma once

#include "TempRoot.h"

#include <string>

class WorklistRoot : public TempRoot {
public:
    // The database as the module names it, in the folder the host names _AUTOMSPATH$.
    static constexpr const wchar_t* databasePath = L"C:\\Orvane\\Serion\\database\\worklist.mdb";

    WorklistRoot();
    std::filesystem::path databaseFile() const { return onDriveC("Orvane/Serion/database/worklist.mdb"); }
};
