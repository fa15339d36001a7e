// The settings record's one instance. It is constant-initialised, so it exists before any other
// static object of the library is built and every one of them may use it.
#include "ModuleSettings.h"

constinit CModuleSettings ModuleSettings;
