// Dialog template 23211, "Audit Trail": the filters by group, user and date above the list of
// records, and below it the export to a named file and Verify with the line that tells the result.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/CommCtrl.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kFilterBox = kControl | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

const DialogItemTemplate auditItems[] = {
    {L"STATIC", L"&Group:", IDC_STATIC, kControl | SS_LEFT, 7, 8, 28, 8},
    {L"COMBOBOX", L"", IDC_AUDIT_GROUP, kFilterBox, 35, 8, 100, 64},
    {L"STATIC", L"&User:", IDC_STATIC, kControl | SS_LEFT, 143, 8, 24, 8},
    {L"COMBOBOX", L"", IDC_AUDIT_USER, kFilterBox, 167, 8, 80, 64},
    {L"STATIC", L"&From:", IDC_STATIC, kControl | SS_LEFT, 255, 8, 24, 8},
    {L"EDIT", L"", IDC_AUDIT_FROM, kField, 279, 8, 44, 8},
    {L"STATIC", L"&To:", IDC_STATIC, kControl | SS_LEFT, 327, 8, 16, 8},
    {L"EDIT", L"", IDC_AUDIT_TO, kField, 343, 8, 44, 8},
    {WC_LISTVIEWW, L"", IDC_AUDIT_LIST,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 7, 24, 380,
     120},
    {L"STATIC", L"", IDC_AUDIT_SHOWN, kControl | SS_LEFT, 7, 152, 380, 8},
    {L"STATIC", L"Export t&o:", IDC_STATIC, kControl | SS_LEFT, 7, 168, 40, 8},
    {L"EDIT", L"", IDC_AUDIT_FILE, kField, 47, 168, 160, 8},
    {L"BUTTON", L"&Export", IDC_AUDIT_EXPORT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 215, 168, 50, 8},
    {L"BUTTON", L"&Verify", IDC_AUDIT_VERIFY, kControl | BS_PUSHBUTTON | WS_TABSTOP, 273, 168, 50, 8},
    {L"BUTTON", L"Close", IDCANCEL, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 337, 168, 50, 8},
    {L"STATIC", L"", IDC_AUDIT_RESULT, kControl | SS_LEFT, 7, 184, 380, 16},
};

const DialogTemplate auditTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 394,
    .cy = 208,
    .caption = L"Audit Trail",
    .items = auditItems,
};

const ResourceEntry entries[] = {
    {5, IDD_AUDIT_TRAIL, LANG_ENGLISH_US, &auditTemplate, sizeof(auditTemplate)},
};

} // namespace

std::span<const ResourceEntry> AuditTrailResources() { return entries; }
