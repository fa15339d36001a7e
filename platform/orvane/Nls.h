// The language library ("langkit"): texts of the modules added to it and of the host. Module
// strings are looked up in the added module's resources; ids 17001 to 17016 are the host's own.
// The library is loaded (GetModuleHandleW finds "langkit") while any module is added to it.
#pragma once

#include "kernel/WinTypes.h"
#include "win/WinUser.h"

constexpr SHORT NLS_OK = 0;
constexpr SHORT NLS_ERR_MODULE = 70;

// The host's strings that modules load.
constexpr UINT NLS_HOST_DELETE_GROUP = 17001;
constexpr UINT NLS_HOST_MISSING_MESSAGE = 17002;
constexpr UINT NLS_HOST_MENU_NAME = 17010;
constexpr UINT NLS_HOST_MODULE_ITEM = 17016;

SHORT NlsAddModule(HMODULE module);
// NLS_ERR_MODULE when the module was not added.
SHORT NlsRemoveModule(HMODULE module);
bool NlsHasModule(HMODULE module);
// As LoadStringW: copies the text, cut to capacity-1 characters and terminated, and answers the
// characters copied. The added module's own string first, then the host's; 0 and an empty
// buffer when neither has the id.
int NlsLoadString(HMODULE module, UINT id, LPWSTR buffer, int capacity);

// The module's dialog template templateId, run modally (its end code, -1 on failure) or created
// modeless (null on failure), as DialogBoxParamW and CreateDialogParamW do with initParam 0.
// The module must have been added.
INT_PTR NlsDialogBox(HINSTANCE instance, UINT templateId, HWND parent, DLGPROC procedure);
HWND NlsCreateDialog(HMODULE module, UINT templateId, HWND parent, DLGPROC procedure);
