// Choosing a text's form by its width in a device context.
#include "FittingText.h"

#include "win/WinUser.h"

std::wstring FittingText(HDC hDC, const std::vector<std::wstring>& forms, int nWidth)
{
    for (const std::wstring& form : forms) {
        SIZE size{};
        if (::GetTextExtentPoint32W(hDC, form.c_str(), static_cast<int>(form.size()), &size) && size.cx <= nWidth)
            return form;
    }
    return forms.empty() ? std::wstring() : forms.back();
}

std::wstring FittingText(HWND hWnd, const std::vector<std::wstring>& forms)
{
    RECT client{};
    ::GetClientRect(hWnd, &client);
    const HDC hDC = ::GetDC(hWnd);
    std::wstring text = FittingText(hDC, forms, client.right - client.left);
    ::ReleaseDC(hWnd, hDC);
    return text;
}
