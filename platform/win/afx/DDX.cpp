// Field exchange with edits, buttons and combo boxes, and the standard rejection messages.
#include "DDX.h"

#include "AfxMessageBox.h"
#include "CWnd.h"
#include "kernel/Text.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <optional>

namespace {

bool hasClass(HWND hWnd, LPCWSTR className)
{
    wchar_t buffer[64] = {};
    ::GetClassNameW(hWnd, buffer, 64);
    return EqualsNoCase(buffer, className);
}

bool isRadioButton(HWND hWnd)
{
    DWORD type = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return hasClass(hWnd, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// The control to exchange with; null when an earlier field was rejected or there is no such control.
HWND controlToExchange(CDataExchange* pDX, int nIDC, bool edit = false)
{
    if (pDX->m_bFailed)
        return nullptr;
    return edit ? pDX->PrepareEditCtrl(nIDC) : pDX->PrepareCtrl(nIDC);
}

// A value the control answers to getMessage and takes as the first parameter of setMessage.
void exchangeByMessage(CDataExchange* pDX, int nIDC, int& value, UINT getMessage, UINT setMessage)
{
    HWND hWndCtrl = controlToExchange(pDX, nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWndCtrl, getMessage, 0, 0));
    else
        ::SendMessageW(hWndCtrl, setMessage, static_cast<WPARAM>(value), 0);
}

void reject(CDataExchange* pDX, const std::wstring& message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

// A whole number written in the text, with optional blanks around it and an optional sign; none
// when the text holds anything else or the number does not fit an int.
std::optional<int> parseInteger(const std::wstring& text)
{
    const wchar_t* start = text.c_str();
    while (std::iswspace(*start))
        ++start;
    if (*start == 0)
        return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    long long value = std::wcstoll(start, &end, 10);
    if (end == start || errno == ERANGE)
        return std::nullopt;
    while (std::iswspace(*end))
        ++end;
    if (*end != 0)
        return std::nullopt;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, std::wstring& value)
{
    HWND hWndCtrl = controlToExchange(pDX, nIDC, true);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWndCtrl);
    else
        ::SetWindowTextW(hWndCtrl, value.c_str());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = controlToExchange(pDX, nIDC, true);
    if (!hWndCtrl)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(hWndCtrl, std::to_wstring(value).c_str());
        return;
    }
    std::optional<int> parsed = parseInteger(AfxGetWindowText(hWndCtrl));
    if (!parsed) {
        reject(pDX, L"Please enter an integer.");
        return;
    }
    value = *parsed;
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = controlToExchange(pDX, nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control that starts a group.
    int button = 0;
    do {
        if (isRadioButton(hWndCtrl)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = button;
            } else {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, button == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++button;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl && !(static_cast<DWORD>(::GetWindowLongW(hWndCtrl, GWL_STYLE)) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    exchangeByMessage(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    if (HWND hWndCtrl = controlToExchange(pDX, nIDC))
        rControl.SubclassWindow(hWndCtrl);
}

void DDV_MaxChars(CDataExchange* pDX, const std::wstring& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (value.size() > static_cast<std::size_t>(nChars))
            reject(pDX, L"Enter no more than " + std::to_wstring(nChars) + L" characters.");
        return;
    }
    HWND hWndLastControl = pDX->m_idLastControl ? ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl) : nullptr;
    if (hasClass(hWndLastControl, L"ComboBox"))
        ::SendMessageW(hWndLastControl, CB_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    else if (hasClass(hWndLastControl, L"Edit"))
        ::SendMessageW(hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        reject(pDX, L"Enter an integer between " + std::to_wstring(minVal) + L" and " + std::to_wstring(maxVal) + L".");
}
