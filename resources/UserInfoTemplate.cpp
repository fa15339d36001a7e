// Dialog template 23208, "Change User Name and/or Password", and its icon 102. Each field takes
// whole terminal rows (8 dialog units), so the dialog fits an 80 x 24 terminal. The fields start
// past the widest label as the terminal draws it, a character a cell.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr DWORD kField = kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kMultiLine = kControl | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN;
constexpr DWORD kRadio = kControl | BS_AUTORADIOBUTTON;

const DialogItemTemplate userInfoItems[] = {
    {L"BUTTON", L"&Administrator", IDC_ROLE_ADMINISTRATOR, kRadio | WS_GROUP | WS_TABSTOP, 22, 8, 56, 8},
    {L"BUTTON", L"&Power user", IDC_ROLE_POWER_USER, kRadio, 91, 8, 56, 8},
    {L"BUTTON", L"&User", IDC_ROLE_USER, kRadio, 160, 8, 56, 8},
    {L"STATIC", L"", IDC_STATIC, kControl | SS_ETCHEDHORZ | WS_GROUP, 7, 16, 234, 8},
    {L"STATIC", L"User &Name:", IDC_STATIC, kControl | SS_LEFT, 7, 24, 80, 8},
    {L"EDIT", L"", IDC_USER_NAME, kField, 94, 24, 142, 8},
    {L"STATIC", L"&Old Password:", IDC_OLD_PASSWORD_LABEL, kControl | SS_LEFT, 7, 32, 80, 8},
    {L"EDIT", L"", IDC_OLD_PASSWORD, kField | ES_PASSWORD, 94, 32, 142, 8},
    {L"STATIC", L"N&ew Password:", IDC_STATIC, kControl | SS_LEFT, 7, 40, 80, 8},
    {L"EDIT", L"", IDC_NEW_PASSWORD, kField | ES_PASSWORD, 94, 40, 142, 8},
    {L"STATIC", L"&Confirm New Password:", IDC_CONFIRM_PASSWORD_LABEL, kControl | SS_LEFT, 7, 48, 84, 8},
    {L"EDIT", L"", IDC_CONFIRM_PASSWORD, kField | ES_PASSWORD, 94, 48, 142, 8},
    {L"STATIC", L"Addre&ss:", IDC_STATIC, kControl | SS_LEFT, 7, 56, 80, 8},
    {L"EDIT", L"", IDC_ADDRESS, kMultiLine, 94, 56, 142, 16},
    {L"STATIC", L"P&hone:", IDC_STATIC, kControl | SS_LEFT, 7, 72, 80, 8},
    {L"EDIT", L"", IDC_PHONE, kField, 94, 72, 142, 8},
    {L"STATIC", L"e-&mail:", IDC_STATIC, kControl | SS_LEFT, 7, 80, 80, 8},
    {L"EDIT", L"", IDC_EMAIL, kField, 94, 80, 142, 8},
    {L"STATIC", L"&Description:", IDC_STATIC, kControl | SS_LEFT, 7, 88, 80, 8},
    {L"EDIT", L"", IDC_DESCRIPTION, kMultiLine, 94, 88, 142, 16},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 131, 112, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 191, 112, 50, 8},
    {L"STATIC", L"#102", IDC_STATIC, kControl | SS_ICON, 7, 112, 20, 16},
};

const DialogTemplate userInfoTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 248,
    .cy = 128,
    .caption = L"Change User Name and/or Password",
    .items = userInfoItems,
};

// Headless an icon is its resource; its data says what it shows.
constexpr char userInfoIcon[] = "a person";

const ResourceEntry entries[] = {
    {5, IDD_USER_INFO, LANG_ENGLISH_US, &userInfoTemplate, sizeof(userInfoTemplate)},
    {3, IDI_USER_INFO, LANG_ENGLISH_US, userInfoIcon, sizeof(userInfoIcon)},
};

} // namespace

std::span<const ResourceEntry> UserInfoResources() { return entries; }
