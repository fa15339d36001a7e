// One message box with the descriptions of every error record, one after the other.
#include "ShowOleDbErrors.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/OleDbErrorText.h"

#include "win/WinUser.h"

BOOL ShowOleDbErrors(HRESULT status)
{
    if (SUCCEEDED(status))
        return FALSE;
    ShowWorklistMessage(OleDbErrorText(status));
    return TRUE;
}

void ShowWorklistMessage(const std::wstring& text)
{
    MessageBoxW(nullptr, text.c_str(), ModuleString(IDS_CAPTION).c_str(), MB_OK);
}
