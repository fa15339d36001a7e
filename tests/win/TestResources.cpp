// The dialog, menu and bitmap resources of the window tests.
#include "TestResources.h"

#include "kernel/Resources.h"
#include "win/BitmapTemplate.h"

namespace {

constexpr DialogItemTemplate testDialogItems[] = {
    {L"Static", L"&Name:", IDC_STATIC, WS_VISIBLE | SS_LEFT, 4, 4, 40, 8},
    {L"Edit", L"", 101, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 48, 4, 80, 8},
    {L"Static", L"&Count:", IDC_STATIC, WS_VISIBLE | SS_LEFT, 4, 16, 40, 8},
    {L"Edit", L"", 102, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 48, 16, 40, 8},
    {L"Button", L"&Enabled", 103, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 4, 28, 60, 8},
    {L"Button", L"Level", IDC_STATIC, WS_VISIBLE | BS_GROUPBOX, 4, 40, 120, 32},
    {L"Button", L"&Low", 104, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 8, 48, 40, 8},
    {L"Button", L"&High", 105, WS_VISIBLE | BS_AUTORADIOBUTTON, 8, 56, 40, 8},
    {L"Button", L"OK", IDOK, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 20, 80, 40, 8},
    {L"Button", L"Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 64, 80, 40, 8},
};

constexpr DialogTemplate testDialog{
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE,
    .cx = 140,
    .cy = 96,
    .caption = L"Test Dialog",
    .items = testDialogItems,
};

constexpr DialogItemTemplate controlsItems[] = {
    {L"Edit", L"", 201, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_UPPERCASE, 4, 4, 80, 8},
    {L"Edit", L"", 202, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_PASSWORD, 4, 16, 80, 8},
    {L"Edit", L"fixed", 203, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_READONLY, 4, 28, 80, 8},
    {L"ComboBox", L"", 204, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_SORT, 4, 40, 80, 40},
    {L"ComboBox", L"", 205, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_UPPERCASE, 92, 40, 80, 40},
    {L"Edit", L"", 206, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER, 92, 4, 40, 8},
    {L"msctls_updown32", L"", 207,
     WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT, 132, 4, 8, 16},
    {L"Static", L"Colour", 208, WS_VISIBLE | SS_LEFT, 92, 16, 40, 8},
    {L"Static", L"", 209, WS_VISIBLE | SS_ICON, 140, 16, 8, 8},
    {L"msctls_progress32", L"", 210, WS_VISIBLE, 4, 88, 80, 8},
    {L"Button", L"OK", IDOK, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 20, 100, 40, 8},
};

constexpr DialogTemplate controlsDialog{
    .style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE,
    .cx = 180,
    .cy = 112,
    .caption = L"Controls",
    .items = controlsItems,
};

constexpr MenuItemTemplate fileItems[] = {
    {L"&Open", 401, 0, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {L"&Save", 402, MF_GRAYED, nullptr},
};
constexpr MenuTemplate fileMenu{fileItems};
constexpr MenuItemTemplate viewItems[] = {
    {L"&Details", 411, MF_CHECKED, nullptr},
};
constexpr MenuTemplate viewMenu{viewItems};
constexpr MenuItemTemplate barItems[] = {
    {L"&File", 0, 0, &fileMenu},
    {L"&View", 0, 0, &viewMenu},
};
constexpr MenuTemplate testMenu{barItems};

constexpr BitmapTile testTiles[] = {{L"Aa", 0, 0xFFFFFF}, {L"Bb", 0, 0xFFFFFF}, {L"Cc", 0, 0xFFFFFF}};
constexpr BitmapTemplate testBitmap{.cx = 48, .cy = 16, .tileWidth = 16, .tiles = testTiles};

const ResourceEntry resources[] = {
    {2, testBitmapId, LANG_ENGLISH_US, &testBitmap, sizeof(testBitmap)},
    {5, testDialogId, LANG_ENGLISH_US, &testDialog, sizeof(testDialog)},
    {5, controlsDialogId, LANG_ENGLISH_US, &controlsDialog, sizeof(controlsDialog)},
    {4, testMenuId, LANG_ENGLISH_US, &testMenu, sizeof(testMenu)},
    {3, 23, LANG_ENGLISH_US, "icon", 4},
};

} // namespace

HINSTANCE TestInstance()
{
    static const HINSTANCE instance = RegisterModuleResources(resources, resources);
    return instance;
}
