// A freshly installed root whose database the module's settings name, with the message boxes the
// module shows answered and kept.
#pragma once

#include "MessageBoxes.h"

#include "module/ModuleSettings.h"
#include "resources/ModuleResources.h"

#include "orvane/Nls.h"

#include "support/WorklistRoot.h"

#include "kernel/Text.h"

#include <string>
#include <vector>

using Texts = std::vector<std::wstring>;

class WorklistTestRoot : public WorklistRoot {
public:
    WorklistTestRoot()
    {
        ModuleSettings = CModuleSettings();
        ModuleSettings.strProvider = L"Microsoft.Jet.OLEDB.4.0";
        ModuleSettings.strDatabasePath = databasePath;
        ModuleSettings.strUserName = L"analyst";
        // As the module's initialisation does, so that its strings are found.
        NlsAddModule(ModuleResourceHandle());
    }
    ~WorklistTestRoot() { NlsRemoveModule(ModuleResourceHandle()); }

    // The trace log's contents so far.
    std::string traceLog() const { return ReadFileBytes(onDriveC("SRNA.LOG")); }

    MessageBoxes boxes;
};
