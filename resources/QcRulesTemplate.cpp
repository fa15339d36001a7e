// Dialog template 23214, "QC Rules": the shown group's rules in a list, the fields of the selected
// rule under it, and the buttons that add and remove rules, save them or leave them as they were.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/CommCtrl.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kChoice = kControl | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// Laid out in whole terminal rows (8 dialog units) so that the window with all its buttons fits an
// 80 x 24 terminal.
const DialogItemTemplate qcRulesItems[] = {
    {L"STATIC", L"&Rules of group", IDC_STATIC, kControl | SS_LEFT, 4, 0, 60, 8},
    {L"STATIC", L"", IDC_QC_GROUP, kControl | SS_LEFT | SS_NOPREFIX, 64, 0, 236, 8},
    {WC_LISTVIEWW, L"", IDC_QC_LIST,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 4, 8, 296, 56},
    {L"STATIC", L"&Check:", IDC_STATIC, kControl | SS_LEFT, 4, 72, 32, 8},
    {L"COMBOBOX", L"", IDC_QC_CHECK, kChoice, 36, 72, 84, 48},
    {L"STATIC", L"&Limit:", IDC_STATIC, kControl | SS_LEFT, 128, 72, 28, 8},
    {L"EDIT", L"", IDC_QC_LIMIT, kField, 156, 72, 48, 8},
    {L"STATIC", L"t&o", IDC_STATIC, kControl | SS_LEFT, 208, 72, 12, 8},
    {L"EDIT", L"", IDC_QC_UPPER, kField, 224, 72, 48, 8},
    {L"STATIC", L"&Action:", IDC_STATIC, kControl | SS_LEFT, 4, 80, 32, 8},
    {L"COMBOBOX", L"", IDC_QC_ACTION, kChoice, 36, 80, 84, 48},
    {L"STATIC", L"&If the rerun fails:", IDC_STATIC, kControl | SS_LEFT, 128, 80, 80, 8},
    {L"COMBOBOX", L"", IDC_QC_THEN, kChoice, 208, 80, 92, 40},
    {L"STATIC", L"Calibration &group:", IDC_STATIC, kControl | SS_LEFT, 128, 88, 80, 8},
    {L"COMBOBOX", L"", IDC_QC_CALIBRATION, kChoice, 208, 88, 92, 64},
    {L"BUTTON", L"A&dd", IDC_QC_ADD, kControl | BS_PUSHBUTTON | WS_TABSTOP, 4, 104, 48, 8},
    {L"BUTTON", L"R&emove", IDC_QC_REMOVE, kControl | BS_PUSHBUTTON | WS_TABSTOP, 56, 104, 48, 8},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 196, 104, 48, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 252, 104, 48, 8},
};

const DialogTemplate qcRulesTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 304,
    .cy = 120,
    .caption = L"QC Rules",
    .items = qcRulesItems,
};

const ResourceEntry entries[] = {
    {5, IDD_QC_RULES, LANG_ENGLISH_US, &qcRulesTemplate, sizeof(qcRulesTemplate)},
};

} // namespace

std::span<const ResourceEntry> QcRulesResources() { return entries; }
