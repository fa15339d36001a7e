// Installs Orvane into a fresh root: drives, host variables, methods, data and help folders.
#pragma once

#include "HostRoot.h"
#include "HostVariableFile.h"

#include <string>
#include <vector>

class HostInstaller {
public:
    // The host variables of a fresh installation with their resting values.
    static std::vector<HostVariable> defaultVariables();
    // false, with the reason in error, when a folder or file cannot be written.
    static bool install(const HostRoot& root, std::string& error);
    // The demo groups in an installed root's worklist, and the methods of its drifting night.
    static bool installDemo(const HostRoot& root, std::string& error);
};
