// The settings record's one instance, built first when the library is loaded.
#include "ModuleSettings.h"

CModuleSettings ModuleSettings;
