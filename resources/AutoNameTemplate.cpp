// Dialog template 23204, "Autoname Data files": sub-folder, prefix, counter and the operator (shown
// only), in whole terminal rows (8 dialog units).
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

const DialogItemTemplate autoNameItems[] = {
    {L"STATIC", L"&Subdirectory:", IDC_STATIC, kControl | SS_LEFT, 12, 8, 50, 8},
    {L"EDIT", L"", IDC_AUTONAME_SUBFOLDER, kField, 63, 8, 164, 8},
    {L"STATIC", L"&Prefix:", IDC_STATIC, kControl | SS_LEFT, 12, 16, 50, 8},
    {L"EDIT", L"", IDC_AUTONAME_PREFIX, kField, 63, 16, 164, 8},
    {L"STATIC", L"&Counter:", IDC_STATIC, kControl | SS_LEFT, 12, 24, 50, 8},
    {L"EDIT", L"", IDC_AUTONAME_COUNTER, kField, 63, 24, 164, 8},
    {L"STATIC", L"&Operator:", IDC_STATIC, kControl | SS_LEFT, 12, 32, 50, 8},
    {L"EDIT", L"", IDC_AUTONAME_OPERATOR, kField | WS_DISABLED, 63, 32, 164, 8},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 34, 48, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 91, 48, 50, 8},
    {L"BUTTON", L"&Help", IDHELP, kControl | BS_PUSHBUTTON | WS_TABSTOP, 149, 48, 50, 8},
};

const DialogTemplate autoNameTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 234,
    .cy = 64,
    .caption = L"Autoname Data files",
    .items = autoNameItems,
};

const ResourceEntry entries[] = {
    {5, IDD_AUTONAME, LANG_ENGLISH_US, &autoNameTemplate, sizeof(autoNameTemplate)},
};

} // namespace

std::span<const ResourceEntry> AutoNameResources() { return entries; }
