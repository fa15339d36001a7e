// Dialog template 23207, "Logon", and its icon 101. Each field takes a whole terminal row (8 dialog
// units).
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

const DialogItemTemplate logonItems[] = {
    {L"STATIC", L"&User name: ", IDC_STATIC, kControl | SS_LEFT, 7, 8, 46, 8},
    {L"EDIT", L"", IDC_USER_NAME, kField, 55, 8, 136, 8},
    {L"STATIC", L"&Password:", IDC_STATIC, kControl | SS_LEFT, 7, 16, 46, 8},
    {L"EDIT", L"", IDC_PASSWORD, kField | ES_PASSWORD, 55, 16, 136, 8},
    {L"BUTTON", L"&Edit This Account ...", IDC_EDIT_ACCOUNT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 55, 32, 136, 8},
    {L"STATIC", L"#101", IDC_STATIC, kControl | SS_ICON, 7, 48, 20, 16},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 83, 48, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 141, 48, 50, 8},
};

const DialogTemplate logonTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 198,
    .cy = 64,
    .caption = L"Logon",
    .items = logonItems,
};

// Headless an icon is its resource; its data says what it shows.
constexpr char logonIcon[] = "a key";

const ResourceEntry entries[] = {
    {5, IDD_LOGON, LANG_ENGLISH_US, &logonTemplate, sizeof(logonTemplate)},
    {3, IDI_LOGON, LANG_ENGLISH_US, logonIcon, sizeof(logonIcon)},
};

} // namespace

std::span<const ResourceEntry> LogonResources() { return entries; }
