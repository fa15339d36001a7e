// Dialog template 23209, "User Account", and bitmap 354 with the pictures of its three roles.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/BitmapTemplate.h"
#include "win/CommCtrl.h"
#include "win/WinGdi.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;

const DialogItemTemplate accountItems[] = {
    {WC_LISTVIEWW, L"", IDC_ACCOUNT_LIST, kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER, 7, 8, 228, 80},
    {L"BUTTON", L"&Add", IDC_ADD_ACCOUNT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 85, 96, 46, 8},
    {L"BUTTON", L"&Remove", IDC_REMOVE_ACCOUNT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 137, 96, 46, 8},
    {L"BUTTON", L"&Edit", IDC_EDIT_LISTED_ACCOUNT, kControl | BS_PUSHBUTTON | WS_TABSTOP, 189, 96, 46, 8},
    {L"BUTTON", L"OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 119, 112, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 179, 112, 50, 8},
};

const DialogTemplate accountsTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 242,
    .cy = 128,
    .caption = L"User Account",
    .items = accountItems,
};

// Magenta is the list's transparent colour.
constexpr COLORREF kMagenta = RGB(255, 0, 255);

const BitmapTile roleImages[] = {
    {L"(A)", RGB(192, 0, 0), kMagenta},   // Administrator: a person with a crown
    {L"(P)", RGB(0, 0, 192), kMagenta},   // Power user: a person with a tool
    {L"(U)", RGB(0, 128, 0), kMagenta},   // User: a person
};

const BitmapTemplate roleImagesBitmap = {
    .cx = 60,
    .cy = 16,
    .tileWidth = 20,
    .tiles = roleImages,
};

const ResourceEntry entries[] = {
    {5, IDD_USER_ACCOUNTS, LANG_ENGLISH_US, &accountsTemplate, sizeof(accountsTemplate)},
    {2, IDB_ROLE_IMAGES, LANG_ENGLISH_US, &roleImagesBitmap, sizeof(roleImagesBitmap)},
};

} // namespace

std::span<const ResourceEntry> UserAccountsResources() { return entries; }
