// Dialog template 23201, the main viewer "Run Serion Methods", its menu 301 and its shortcuts 303.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/Accelerators.h"
#include "win/CommCtrl.h"
#include "win/WinUser.h"

namespace {

constexpr DWORD kControl = WS_VISIBLE;

// Laid out in whole terminal rows (8 dialog units) so that the window fits an 80 x 24 terminal:
// row 0 of the client area is the tool bar's, the last row the status bar's. The viewer gives the
// list the rows of a taller screen.
const DialogItemTemplate viewerItems[] = {
    {L"STATIC", L"Select the gr&oup you want to run:", IDC_STATIC, kControl | SS_LEFT, 6, 8, 126, 8},
    {L"COMBOBOX", L"", IDC_GROUP, kControl | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 148, 8, 146, 86},
    {L"STATIC", L"Shut &down options after the run:", IDC_STATIC, kControl | SS_LEFT, 6, 16, 126, 8},
    {L"COMBOBOX", L"", IDC_SHUTDOWN,
     kControl | CBS_DROPDOWN | CBS_UPPERCASE | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 148, 16, 146, 57},
    {L"STATIC", L"Command on reco&very:", IDC_STATIC, kControl | SS_LEFT, 6, 24, 126, 8},
    {L"EDIT", L"", IDC_RECOVERY, kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_UPPERCASE, 148, 24, 146, 8},
    {L"STATIC", L"On fai&lure:", IDC_STATIC, kControl | SS_LEFT, 6, 32, 46, 8},
    {L"COMBOBOX", L"", IDC_ON_FAILURE, kControl | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 54, 32, 112, 40},
    {L"STATIC", L"Emergenc&y:", IDC_STATIC, kControl | SS_LEFT, 172, 32, 44, 8},
    {L"EDIT", L"", IDC_EMERGENCY, kControl | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_UPPERCASE, 218, 32, 76, 8},
    {WC_LISTVIEWW, L"", IDC_METHOD_LIST,
     kControl | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 5, 40, 289, 104},
    {L"BUTTON", L"&Run", IDC_RUN, kControl | BS_DEFPUSHBUTTON | WS_TABSTOP, 111, 152, 50, 8},
    {L"BUTTON", L"&Pause", IDC_PAUSE, kControl | BS_PUSHBUTTON | WS_TABSTOP, 171, 152, 50, 8},
    {L"BUTTON", L"&Stop", IDC_STOP, kControl | BS_PUSHBUTTON | WS_TABSTOP, 231, 152, 50, 8},
    {L"BUTTON", L"&Close", IDOK, BS_PUSHBUTTON | WS_DISABLED | WS_TABSTOP, 13, 152, 50, 8},
    // Shown while a group runs.
    {PROGRESS_CLASSW, L"", IDC_PROGRESS_BAR, 0, 5, 144, 100, 8},
    {L"STATIC", L"", IDC_PROGRESS_TEXT, SS_LEFT | SS_NOPREFIX, 109, 144, 185, 8},
};

const DialogTemplate viewerTemplate = {
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
    .cx = 301,
    .cy = 168,
    .caption = L"Run Serion Methods",
    .menuId = IDR_MAIN_MENU,
    .items = viewerItems,
};

const MenuItemTemplate fileItems[] = {
    {L"&Add/Remove User...", ID_USER_ACCOUNTS},
    {L"&Lock Orvane...", ID_LOCK},
    {L"Audit &Trail...", ID_AUDIT_TRAIL},
    {nullptr, 0, MF_SEPARATOR},
    {L"&Export Results...", ID_EXPORT_RESULTS},
    {L"&Import Worklist...", ID_IMPORT_WORKLIST},
    {nullptr, 0, MF_SEPARATOR},
    {L"&Close", IDCANCEL},
};
const MenuItemTemplate groupItems[] = {
    {L"&Add...\tCtrl+Alt+A", ID_ADD_GROUP},
    {L"&Delete\tCtrl+Alt+D", ID_DELETE_GROUP},
    {nullptr, 0, MF_SEPARATOR},
    {L"Auto&name...\tCtrl+Alt+N", ID_AUTONAME},
    {L"QC &Rules...", ID_QC_RULES},
    {nullptr, 0, MF_SEPARATOR},
    {L"Run &Queue...", ID_RUN_QUEUE},
    {L"&Continue", ID_CONTINUE},
    {L"&Stop After This Method", ID_STOP_AFTER_METHOD},
};
const MenuItemTemplate methodItems[] = {
    {L"&Add Method...\tCtrl+M", ID_ADD_METHOD},
    {L"&Delete", ID_DELETE_METHOD},
    {nullptr, 0, MF_SEPARATOR},
    {L"&Properties ...", ID_PROPERTIES},
    {nullptr, 0, MF_SEPARATOR},
    {L"&Check All\tCtrl+A", ID_CHECK_ALL},
    {L"&Uncheck All", ID_UNCHECK_ALL},
};
const MenuTemplate fileMenu = {fileItems};
const MenuTemplate groupMenu = {groupItems};
const MenuTemplate methodMenu = {methodItems};

const MenuItemTemplate menuBarItems[] = {
    {L"&File", 0, 0, &fileMenu},
    {L"&Group", 0, 0, &groupMenu},
    {L"&Method", 0, 0, &methodMenu},
    {L"&Help", ID_MODULE_HELP},
};
const MenuTemplate menuBar = {menuBarItems};

const ACCEL shortcuts[] = {
    {FVIRTKEY | FCONTROL, 'A', ID_CHECK_ALL},
    {FVIRTKEY | FCONTROL | FALT, 'A', ID_ADD_GROUP},
    {FVIRTKEY | FCONTROL | FALT, 'D', ID_DELETE_GROUP},
    {FVIRTKEY | FCONTROL, 'M', ID_ADD_METHOD},
    {FVIRTKEY | FCONTROL | FALT, 'N', ID_AUTONAME},
};
const AcceleratorTemplate shortcutTable = {shortcuts};

const ResourceEntry entries[] = {
    {5, IDD_MAIN_VIEWER, LANG_ENGLISH_US, &viewerTemplate, sizeof(viewerTemplate)},
    {4, IDR_MAIN_MENU, LANG_ENGLISH_US, &menuBar, sizeof(menuBar)},
    {9, IDR_MAIN_ACCELERATORS, LANG_ENGLISH_US, &shortcutTable, sizeof(shortcutTable)},
};

} // namespace

std::span<const ResourceEntry> MainViewerResources() { return entries; }
