// Vial locations on the tray.
#include "CbVialLocation.h"

#include "TextBuffer.h"

#include <string>

SHORT CbVialLocation(int vial, LPWSTR buffer, int capacity, int flags)
{
    if (!buffer || capacity <= 0)
        return CB_ERR_VIAL;
    const std::wstring text = vial >= 1 && flags == 0 ? L"Vial " + std::to_wstring(vial) : std::wstring();
    CopyToBuffer(text, buffer, capacity);
    return text.empty() ? CB_ERR_VIAL : 0;
}
