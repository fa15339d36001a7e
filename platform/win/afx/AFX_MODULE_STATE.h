// The framework state of one module (the host program or a loaded library): its instance and
// resource handles, its name for message boxes and its main window. Code entered from outside a
// module switches to the module's state first (AFX_MANAGE_STATE), so resources load from it.
#pragma once

#include "win/WinUser.h"

#include <string>

class CWnd;

class AFX_MODULE_STATE {
public:
    explicit AFX_MODULE_STATE(HINSTANCE hInstance = nullptr, std::wstring appName = L"");

    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    // The caption of AfxMessageBox.
    std::wstring m_strAppName;
    // The owner of dialogs and message boxes that name none; may stay null.
    CWnd* m_pMainWnd = nullptr;
};

// The state in force: the one last switched to, or the process's own.
AFX_MODULE_STATE* AfxGetModuleState();
// Makes pState the state in force and returns the one it replaces.
AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* pState);

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);
CWnd* AfxGetMainWnd();
