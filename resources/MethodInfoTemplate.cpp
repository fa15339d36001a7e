// Dialog template 23205, "Properties" of one method row. Each field takes whole terminal rows
// (8 dialog units), so the dialog fits an 80 x 24 terminal. The fields start past the widest label
// as the terminal draws it, a character a cell, so that "Last Start Time: " leaves its time whole.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kMultiLine = kControl | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN;

const DialogItemTemplate methodInfoItems[] = {
    {L"STATIC", L"&Subdirectory:", IDC_STATIC, kControl | SS_LEFT, 7, 8, 66, 8},
    {L"EDIT", L"", IDC_INFO_SUBFOLDER, kField, 75, 8, 151, 8},
    {L"STATIC", L"&Data File:", IDC_STATIC, kControl | SS_LEFT, 7, 16, 66, 8},
    {L"EDIT", L"", IDC_INFO_DATA_FILE, kField, 75, 16, 151, 8},
    {L"STATIC", L"&Operator:", IDC_STATIC, kControl | SS_LEFT, 7, 24, 66, 8},
    {L"EDIT", L"", IDC_INFO_OPERATOR, kField, 75, 24, 151, 8},
    {L"STATIC", L"&Comment:", IDC_STATIC, kControl | SS_LEFT, 7, 32, 66, 8},
    {L"EDIT", L"", IDC_INFO_COMMENT, kMultiLine | WS_TABSTOP, 75, 32, 151, 40},
    {L"STATIC", L"", IDC_STATIC, kControl | SS_ETCHEDHORZ, 7, 72, 219, 8},
    {L"STATIC", L"Last Start Time: ", IDC_STATIC, kControl | SS_LEFT, 7, 80, 66, 8},
    {L"STATIC", L"", IDC_INFO_START_TIME, kControl | SS_LEFT, 75, 80, 151, 8},
    {L"STATIC", L"Last End Time: ", IDC_STATIC, kControl | SS_LEFT, 7, 88, 66, 8},
    {L"STATIC", L"", IDC_INFO_END_TIME, kControl | SS_LEFT, 75, 88, 151, 8},
    {L"STATIC", L"Run Message", IDC_STATIC, kControl | SS_LEFT, 7, 96, 66, 8},
    {L"EDIT", L"", IDC_INFO_RUN_MESSAGE, kMultiLine | ES_READONLY | WS_TABSTOP, 75, 96, 151, 24},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 112, 128, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 176, 128, 50, 8},
};

const DialogTemplate methodInfoTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 233,
    .cy = 144,
    .caption = L"Properties",
    .items = methodInfoItems,
};

const ResourceEntry entries[] = {
    {5, IDD_METHOD_INFO, LANG_ENGLISH_US, &methodInfoTemplate, sizeof(methodInfoTemplate)},
};

} // namespace

std::span<const ResourceEntry> MethodInfoResources() { return entries; }
