// Dialog template 23202, "Add Group": the name field, the failure policy and the OK and Cancel
// buttons, in whole terminal rows (8 dialog units).
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;

const DialogItemTemplate addGroupItems[] = {
    {L"EDIT", L"", IDC_GROUP_NAME, kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 8, 173, 8},
    {L"STATIC", L"On fai&lure:", IDC_STATIC, kControl | SS_LEFT, 7, 16, 46, 8},
    {L"COMBOBOX", L"", IDC_ON_FAILURE, kControl | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 55, 16, 125, 40},
    {L"BUTTON", L"&OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 69, 32, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 130, 32, 50, 8},
};

const DialogTemplate addGroupTemplate = {
    .style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
    .cx = 187,
    .cy = 48,
    .caption = L"Add Group",
    .items = addGroupItems,
};

const ResourceEntry entries[] = {
    {5, IDD_ADD_GROUP, LANG_ENGLISH_US, &addGroupTemplate, sizeof(addGroupTemplate)},
};

} // namespace

std::span<const ResourceEntry> AddGroupResources() { return entries; }
