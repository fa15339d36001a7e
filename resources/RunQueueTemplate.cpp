// Dialog template 23210, "Run Queue": the groups to check and order, the buttons that move the
// selected group, and Start, in whole terminal rows (8 dialog units).
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/CommCtrl.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;

const DialogItemTemplate runQueueItems[] = {
    {L"STATIC", L"&Groups, run from the top down:", IDC_STATIC, kControl | SS_LEFT, 7, 8, 170, 8},
    {WC_LISTVIEWW, L"", IDC_QUEUE_GROUPS,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 7, 16, 170,
     64},
    {L"BUTTON", L"Move &Up", IDC_QUEUE_UP, kControl | BS_PUSHBUTTON | WS_TABSTOP, 183, 16, 50, 8},
    {L"BUTTON", L"Move &Down", IDC_QUEUE_DOWN, kControl | BS_PUSHBUTTON | WS_TABSTOP, 183, 32, 50, 8},
    {L"BUTTON", L"&Start", IDOK, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 123, 88, 50, 8},
    {L"BUTTON", L"Cancel", IDCANCEL, kControl | BS_PUSHBUTTON | WS_TABSTOP, 183, 88, 50, 8},
};

const DialogTemplate runQueueTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    .cx = 240,
    .cy = 104,
    .caption = L"Run Queue",
    .items = runQueueItems,
};

const ResourceEntry entries[] = {
    {5, IDD_RUN_QUEUE, LANG_ENGLISH_US, &runQueueTemplate, sizeof(runQueueTemplate)},
};

} // namespace

std::span<const ResourceEntry> RunQueueResources() { return entries; }
