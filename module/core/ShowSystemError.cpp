// The system's own wording of an error, so the user sees why a file or folder could not go.
#include "ShowSystemError.h"

#include "kernel/FileApi.h"
#include "win/afx/AfxMessageBox.h"

std::wstring SystemErrorText(DWORD error)
{
    LPWSTR text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0,
                     nullptr);
    std::wstring result = text ? text : L"";
    ::LocalFree(text);
    return result;
}

void ShowSystemError(DWORD error) { AfxMessageBox(SystemErrorText(error), MB_OK | MB_ICONINFORMATION); }
