// The five callbacks that the application object runs for the host's life-cycle events.
#pragma once

#include "kernel/WinTypes.h"

class CXRCpDlcApp;
class CXRCpDlcWnd;

// What the module attaches to each task the host creates: set once the task is closed.
struct TaskRecord {
    BOOL bClosed = FALSE;
};

// Attaches the application, fetches the host handles, registers with the host window for the
// logbook, takes the login name and adds the module's texts to the language library.
int OnModuleInit(CXRCpDlcApp* app);
int OnTaskCreate(CXRCpDlcWnd* task, void* data);
int OnTaskClose(CXRCpDlcWnd* task, void* data);
// Closes the main viewer and unregisters from the host window.
int OnTaskDestroy(CXRCpDlcWnd* task, void* data);
int OnModuleExit(CXRCpDlcApp* app);

// The module's name in the host's logbook.
inline constexpr const wchar_t* kLogbookSourceName = L"Serion";
constexpr UINT WM_HOST_LOGBOOK_REGISTER = 0x0408;
constexpr UINT WM_HOST_LOGBOOK_UNREGISTER = 0x0409;
