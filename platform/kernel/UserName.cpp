// The login name from the user database, falling back to the environment.
#include "UserName.h"

#include "FileApi.h"
#include "Text.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cwchar>
#include <string>

BOOL GetUserNameW(LPWSTR buffer, DWORD* size)
{
    std::string name;
    if (const passwd* entry = getpwuid(geteuid()))
        name = entry->pw_name;
    else if (const char* user = std::getenv("USER"))
        name = user;
    const std::wstring wide = Utf8ToWide(name);
    if (!size)
        return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
    if (!buffer || *size < wide.size() + 1) {
        *size = static_cast<DWORD>(wide.size() + 1);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::wcscpy(buffer, wide.c_str());
    *size = static_cast<DWORD>(wide.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
