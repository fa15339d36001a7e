// A module's help administrator: the function that shows help and the module's help key.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

class CXRHelpAdmin {
public:
    using ShowHelp = SHORT (*)(HWND window, LPCWSTR helpFile, LPCWSTR topic, int* viewId);

    // id and flags are the module's help numbers, kept unchanged for the host.
    CXRHelpAdmin(ShowHelp showHelp, int id, LPCWSTR helpKey, int flags);

    const std::wstring& helpKey() const { return m_helpKey; }
    int id() const { return m_id; }
    int flags() const { return m_flags; }
    // Shows the topic through the module's help function.
    SHORT showTopic(HWND window, LPCWSTR helpFile, LPCWSTR topic);

private:
    ShowHelp m_showHelp;
    int m_id;
    std::wstring m_helpKey;
    int m_flags;
};
