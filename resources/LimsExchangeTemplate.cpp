// Dialog templates 23212 "Export Results" and 23213 "Import Worklist": the file to write or read,
// for the import where its rows go, the button that does it and the line that tells the outcome.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kRadio = kControl | BS_AUTORADIOBUTTON;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

const DialogItemTemplate exportItems[] = {
    {L"STATIC", L"&File (.csv, or .json):", IDC_STATIC, kControl | SS_LEFT, 7, 8, 90, 8},
    {L"EDIT", L"", IDC_EXPORT_FILE, kField, 99, 8, 180, 8},
    {L"BUTTON", L"&Export", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 171, 24, 50, 8},
    {L"BUTTON", L"Close", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 229, 24, 50, 8},
    {L"STATIC", L"", IDC_EXPORT_RESULT, kControl | SS_LEFT, 7, 40, 272, 16},
};

const DialogTemplate exportTemplate = {
    .style = kDialogStyle,
    .cx = 286,
    .cy = 64,
    .caption = L"Export Results",
    .items = exportItems,
};

const DialogItemTemplate importItems[] = {
    {L"STATIC", L"&File (.csv):", IDC_STATIC, kControl | SS_LEFT, 7, 8, 60, 8},
    {L"EDIT", L"", IDC_IMPORT_FILE, kField, 69, 8, 210, 8},
    {L"BUTTON", L"After the last row of the &shown group", IDC_IMPORT_SHOWN_GROUP, kRadio | WS_GROUP | WS_TABSTOP, 7,
     24, 200, 8},
    {L"BUTTON", L"Into a &new group named:", IDC_IMPORT_NEW_GROUP, kRadio, 7, 32, 110, 8},
    {L"EDIT", L"", IDC_IMPORT_GROUP_NAME, kField, 119, 32, 160, 8},
    {L"BUTTON", L"&Import", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 171, 48, 50, 8},
    {L"BUTTON", L"Close", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 229, 48, 50, 8},
    {L"STATIC", L"", IDC_IMPORT_RESULT, kControl | SS_LEFT, 7, 64, 272, 24},
};

const DialogTemplate importTemplate = {
    .style = kDialogStyle,
    .cx = 286,
    .cy = 96,
    .caption = L"Import Worklist",
    .items = importItems,
};

const ResourceEntry entries[] = {
    {5, IDD_EXPORT_RESULTS, LANG_ENGLISH_US, &exportTemplate, sizeof(exportTemplate)},
    {5, IDD_IMPORT_WORKLIST, LANG_ENGLISH_US, &importTemplate, sizeof(importTemplate)},
};

} // namespace

std::span<const ResourceEntry> LimsExchangeResources() { return entries; }
