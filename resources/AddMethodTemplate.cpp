// Dialog template 23203, "Add Method(s)", and bitmap 352 with its two method pictures, laid out in
// whole terminal rows (8 dialog units).
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/BitmapTemplate.h"
#include "win/CommCtrl.h"
#include "win/WinGdi.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;
constexpr COLORREF kWhite = RGB(255, 255, 255);

const DialogItemTemplate addMethodItems[] = {
    {L"STATIC", L"Current Method Path :", IDC_STATIC, kControl | SS_LEFT, 7, 8, 84, 8},
    {L"STATIC", L"", IDC_METHOD_PATH, kControl | SS_LEFT | SS_SUNKEN, 93, 8, 200, 8},
    {L"STATIC", L"How many &sample(s) for each method: ", IDC_STATIC, kControl | SS_LEFT, 7, 16, 150, 8},
    {L"EDIT", L"", IDC_SAMPLES, kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 161, 16, 32, 8},
    {UPDOWN_CLASSW, L"", IDC_SAMPLES_SPIN,
     kControl | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 193, 16, 8, 8},
    {L"STATIC", L"Select &Method(s): ", IDC_STATIC, kControl | SS_LEFT, 7, 24, 150, 8},
    {WC_LISTVIEWW, L"", IDC_METHODS,
     kControl | WS_BORDER | WS_TABSTOP | LVS_LIST | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_NOCOLUMNHEADER, 7, 32,
     286, 48},
    {L"STATIC", L"FIA Table details:", IDC_STATIC, kControl | SS_LEFT, 7, 80, 150, 8},
    {WC_LISTVIEWW, L"", IDC_FIA_TABLE,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 7, 88, 286, 40},
    {L"BUTTON", L"&OK", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 123, 136, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 183, 136, 50, 8},
    {L"BUTTON", L"&Help", IDHELP, kControl | BS_PUSHBUTTON | WS_TABSTOP, 243, 136, 50, 8},
};

const DialogTemplate addMethodTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 300,
    .cy = 152,
    .caption = L"Add Method(s)",
    .items = addMethodItems,
};

// Two terminal columns a picture: FIA in colour for a method with FIA, grey marks for one without.
const BitmapTile methodImages[] = {
    {L"FI", RGB(255, 0, 0), kWhite},
    {L"\u00B7\u00B7", RGB(128, 128, 128), kWhite},
};

const BitmapTemplate methodImagesBitmap = {
    .cx = 32,
    .cy = 16,
    .tileWidth = 16,
    .tiles = methodImages,
};

const ResourceEntry entries[] = {
    {5, IDD_ADD_METHOD, LANG_ENGLISH_US, &addMethodTemplate, sizeof(addMethodTemplate)},
    {2, IDB_METHOD_IMAGES, LANG_ENGLISH_US, &methodImagesBitmap, sizeof(methodImagesBitmap)},
};

} // namespace

std::span<const ResourceEntry> AddMethodResources() { return entries; }
