// The test program's dialogs, menu and strings, and its module state.
#include "AfxTestSupport.h"

#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "win/CommCtrl.h"

#include <array>

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP;

const std::array<DialogItemTemplate, 15> fieldsItems{{
    {L"STATIC", L"&Name:", IDC_STATIC, WS_VISIBLE, 7, 7, 40, 8},
    {L"EDIT", L"", IDC_NAME, kEdit | WS_GROUP, 50, 6, 80, 12},
    {L"STATIC", L"&Count:", IDC_STATIC, WS_VISIBLE, 7, 22, 40, 8},
    {L"EDIT", L"", IDC_COUNT, kEdit, 50, 21, 80, 12},
    {L"msctls_updown32", L"", IDC_SPIN, WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT, 130, 21, 10, 12},
    {L"BUTTON", L"&Small", IDC_SMALL, kButton | BS_AUTORADIOBUTTON | WS_GROUP, 7, 40, 40, 10},
    {L"BUTTON", L"&Medium", IDC_MEDIUM, WS_VISIBLE | BS_AUTORADIOBUTTON, 50, 40, 40, 10},
    {L"BUTTON", L"&Large", IDC_LARGE, WS_VISIBLE | BS_AUTORADIOBUTTON, 93, 40, 40, 10},
    {L"BUTTON", L"&Urgent", IDC_URGENT, kButton | BS_AUTOCHECKBOX | WS_GROUP, 7, 55, 60, 10},
    {L"COMBOBOX", L"", IDC_FRUIT, kButton | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_GROUP, 7, 70, 80, 60},
    {L"COMBOBOX", L"", IDC_SIZE, kButton | CBS_DROPDOWN | CBS_HASSTRINGS | WS_VSCROLL, 90, 70, 80, 60},
    {L"EDIT", L"", IDC_NOTE, kEdit, 7, 88, 160, 12},
    {L"BUTTON", L"&Apply", IDC_APPLY, kButton, 7, 110, 50, 14},
    {L"BUTTON", L"OK", IDOK, kButton | BS_DEFPUSHBUTTON, 60, 110, 50, 14},
    {L"BUTTON", L"Cancel", IDCANCEL, kButton, 113, 110, 50, 14},
}};
const DialogTemplate fieldsDialog{kDialogStyle, 0, 0, 0, 200, 130, L"Fields", L"MS Sans Serif", 8, 0, nullptr,
                                  fieldsItems};

const std::array<DialogItemTemplate, 1> hostItems{{
    {L"STATIC", L"The host", IDC_STATIC, WS_VISIBLE, 7, 7, 60, 8},
}};
const DialogTemplate hostDialog{kDialogStyle, 0, 0, 0, 300, 200, L"Host", L"MS Sans Serif", 8, 0, nullptr, hostItems};

const std::array<DialogItemTemplate, 2> viewerItems{{
    {L"EDIT", L"", IDC_NAME, kEdit, 7, 7, 80, 12},
    {L"BUTTON", L"&Close", IDCANCEL, kButton, 7, 25, 50, 14},
}};
const DialogTemplate viewerDialog{kDialogStyle, 0, 0, 0, 200, 100, L"Viewer", L"MS Sans Serif", 8,
                                  static_cast<WORD>(IDR_VIEWER_MENU), nullptr, viewerItems};

const std::array<MenuItemTemplate, 3> viewItems{{
    {L"&First", ID_VIEW_FIRST, 0, nullptr},
    {nullptr, 0, MF_SEPARATOR, nullptr},
    {L"&Last", ID_VIEW_LAST, MF_GRAYED, nullptr},
}};
const MenuTemplate viewMenu{viewItems};
const std::array<MenuItemTemplate, 1> barItems{{{L"&View", 0, 0, &viewMenu}}};
const MenuTemplate viewerMenu{barItems};

constexpr wchar_t kQuestion[] = L"Shall we go on?";

const std::array<ResourceEntry, 5> resources{{
    {5, static_cast<WORD>(IDD_FIELDS), LANG_ENGLISH_US, &fieldsDialog, sizeof(fieldsDialog)},
    {5, static_cast<WORD>(IDD_HOST), LANG_ENGLISH_US, &hostDialog, sizeof(hostDialog)},
    {5, static_cast<WORD>(IDD_VIEWER), LANG_ENGLISH_US, &viewerDialog, sizeof(viewerDialog)},
    {4, static_cast<WORD>(IDR_VIEWER_MENU), LANG_ENGLISH_US, &viewerMenu, sizeof(viewerMenu)},
    {6, static_cast<WORD>(IDS_QUESTION), LANG_ENGLISH_US, kQuestion, static_cast<DWORD>(std::size(kQuestion) - 1)},
}};

} // namespace

HINSTANCE TestResourceHandle()
{
    static const HINSTANCE handle = RegisterModuleResources(&resources, resources);
    return handle;
}

AfxTest::AfxTest() : m_moduleState(TestResourceHandle(), kAppName), m_stateInForce(&m_moduleState) {}

HWND WindowTitled(const std::wstring& title)
{
    HWND hWnd = Automation::findWindow(title);
    EXPECT_NE(hWnd, nullptr) << "no window titled " << WideToUtf8(title);
    return hWnd;
}

std::wstring TextOf(HWND hWnd) { return Automation::describe(hWnd).text; }

std::wstring AcknowledgeMessageBox()
{
    HWND hWndBox = WindowTitled(kAppName);
    std::wstring shown = Automation::snapshot(hWndBox);
    EXPECT_TRUE(Done(Automation::pressKey(hWndBox, VK_RETURN)));
    return shown;
}
