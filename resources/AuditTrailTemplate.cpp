// Dialog template 23211, "Audit Trail": the filters by group, user and date above the list of
// records, and below it the export to a named file and Verify with the lines that tell the result.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/CommCtrl.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kFilterBox = kControl | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// Laid out in whole terminal rows (8 dialog units) so that the window with all its buttons fits an
// 80 x 24 terminal; on a larger screen the dialog gives the list the rows and columns it gains.
const DialogItemTemplate auditItems[] = {
    {L"STATIC", L"&Group:", IDC_STATIC, kControl | SS_LEFT, 4, 0, 28, 8},
    {L"COMBOBOX", L"", IDC_AUDIT_GROUP, kFilterBox, 32, 0, 100, 64},
    {L"STATIC", L"&User:", IDC_STATIC, kControl | SS_LEFT, 140, 0, 24, 8},
    {L"COMBOBOX", L"", IDC_AUDIT_USER, kFilterBox, 164, 0, 80, 64},
    {L"STATIC", L"&From:", IDC_STATIC, kControl | SS_LEFT, 4, 8, 28, 8},
    {L"EDIT", L"", IDC_AUDIT_FROM, kField, 32, 8, 48, 8},
    {L"STATIC", L"&To:", IDC_STATIC, kControl | SS_LEFT, 88, 8, 16, 8},
    {L"EDIT", L"", IDC_AUDIT_TO, kField, 104, 8, 48, 8},
    {WC_LISTVIEWW, L"", IDC_AUDIT_LIST,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 4, 16, 300,
     112},
    {L"STATIC", L"", IDC_AUDIT_SHOWN, kControl | SS_LEFT | SS_NOPREFIX, 4, 128, 300, 8},
    {L"STATIC", L"Export t&o:", IDC_STATIC, kControl | SS_LEFT, 4, 136, 44, 8},
    {L"EDIT", L"", IDC_AUDIT_FILE, kField, 48, 136, 100, 8},
    {L"BUTTON", L"&Export", IDC_AUDIT_EXPORT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 152, 136, 48, 8},
    {L"BUTTON", L"&Verify", IDC_AUDIT_VERIFY, kControl | BS_PUSHBUTTON | WS_TABSTOP, 204, 136, 48, 8},
    {L"BUTTON", L"Close", IDCANCEL, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 256, 136, 48, 8},
    {L"STATIC", L"", IDC_AUDIT_RESULT, kControl | SS_LEFT | SS_NOPREFIX, 4, 144, 300, 16},
};

const DialogTemplate auditTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 308,
    .cy = 160,
    .caption = L"Audit Trail",
    .items = auditItems,
};

const ResourceEntry entries[] = {
    {5, IDD_AUDIT_TRAIL, LANG_ENGLISH_US, &auditTemplate, sizeof(auditTemplate)},
};

} // namespace

std::span<const ResourceEntry> AuditTrailResources() { return entries; }
