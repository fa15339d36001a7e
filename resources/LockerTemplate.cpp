// Dialog template 23206, "Serion: Lock Orvane". It has no close box: only its buttons end it.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kMultiLine = kControl | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN;

const DialogItemTemplate lockerItems[] = {
    {L"STATIC", L"", IDC_LOCK_PROMPT, kControl | SS_LEFT, 7, 8, 226, 16},
    {L"EDIT", L"", IDC_LOCK_MESSAGE, kMultiLine, 7, 24, 229, 40},
    {L"BUTTON", L"User Information", IDC_STATIC, kControl | BS_GROUPBOX, 7, 64, 229, 48},
    {L"STATIC", L"Phone:", IDC_STATIC, kControl | SS_LEFT, 16, 72, 34, 8},
    {L"EDIT", L"", IDC_PHONE, kField, 52, 72, 177, 8},
    {L"STATIC", L"e-mail:", IDC_STATIC, kControl | SS_LEFT, 16, 80, 34, 8},
    {L"EDIT", L"", IDC_EMAIL, kField, 52, 80, 177, 8},
    {L"STATIC", L"Address:", IDC_STATIC, kControl | SS_LEFT, 16, 88, 34, 8},
    {L"EDIT", L"", IDC_ADDRESS, kMultiLine, 52, 88, 177, 16},
    {L"BUTTON", L"&Lock Orvane", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 44, 120, 92, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 151, 120, 50, 8},
};

const DialogTemplate lockerTemplate = {
    .style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
    .cx = 243,
    .cy = 136,
    .caption = L"Serion: Lock Orvane",
    .items = lockerItems,
};

const ResourceEntry entries[] = {
    {5, IDD_LOCKER, LANG_ENGLISH_US, &lockerTemplate, sizeof(lockerTemplate)},
};

} // namespace

std::span<const ResourceEntry> LockerResources() { return entries; }
