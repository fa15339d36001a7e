// The host's help viewer: headless, it records every help request so that the host and tests
// can show and check it.
#pragma once

#include "kernel/WinTypes.h"

#include <string>
#include <vector>

struct HelpRequest {
    HWND window;
    std::wstring helpFile;
    std::wstring topic;
};

// Records the request and answers 0 with a view id (from 1) in *viewId when given.
SHORT ViewShowHelp(HWND window, LPCWSTR helpFile, LPCWSTR topic, int* viewId);
const std::vector<HelpRequest>& ViewHelpRequests();
void ViewClearHelpRequests();
