// Message boxes with the module's caption and strings.
#include "AfxMessageBox.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"
#include "CWnd.h"

namespace {

UINT withDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

HWND messageOwner()
{
    if (HWND hWndActive = ::GetActiveWindow())
        return hWndActive;
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd ? pMainWnd->m_hWnd : nullptr;
}

} // namespace

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT)
{
    return ::MessageBoxW(messageOwner(), lpszText ? lpszText : L"", AfxGetModuleState()->m_strAppName.c_str(),
                         withDefaultIcon(nType));
}

int AfxMessageBox(const std::wstring& text, UINT nType, UINT nIDHelp)
{
    return AfxMessageBox(text.c_str(), nType, nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    LPWSTR text = nullptr;
    int length = ::LoadStringW(AfxGetResourceHandle(), nIDPrompt, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        return AfxMessageBox(L"Message " + std::to_wstring(nIDPrompt) + L" is missing.", nType, nIDHelp);
    return AfxMessageBox(std::wstring(text, static_cast<std::size_t>(length)), nType, nIDHelp);
}
