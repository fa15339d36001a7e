// The language library's dialogs: the added module's templates run by the Win32 layer.
#include "Nls.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"

INT_PTR NlsDialogBox(HINSTANCE instance, UINT templateId, HWND parent, DLGPROC procedure)
{
    if (!NlsHasModule(instance)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(static_cast<WORD>(templateId)), parent, procedure, 0);
}

HWND NlsCreateDialog(HMODULE module, UINT templateId, HWND parent, DLGPROC procedure)
{
    if (!NlsHasModule(module)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return CreateDialogParamW(module, MAKEINTRESOURCEW(static_cast<WORD>(templateId)), parent, procedure, 0);
}
