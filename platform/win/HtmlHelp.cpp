// The "hhctrl.ocx" stand-in: HtmlHelpW shows a help file's topic in the help window, and the
// library announces itself when the platform is loaded.
#include "win/HtmlHelp.h"

#include "win/HelpFile.h"
#include "win/HelpWindow.h"

#include "kernel/Library.h"
#include "kernel/WinFormat.h"

namespace {

constexpr wchar_t kCaption[] = L"HTML Help";

// A help request that cannot be met is said, as HTML Help does, and nothing else happens.
HWND refuse(HWND caller, const std::wstring& text)
{
    MessageBoxW(caller, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
}

HWND WINAPI HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    if (uCommand != HH_HELP_CONTEXT)
        return nullptr;
    const std::wstring file = pszFile ? pszFile : L"";
    const auto helpFile = HelpFile::read(file);
    if (!helpFile)
        return refuse(hwndCaller, FormatWin(L"Cannot open the help file %s.", file.c_str()));
    const HelpTopic* topic = helpFile->topic(static_cast<DWORD>(dwData));
    if (!topic)
        return refuse(hwndCaller, FormatWin(L"The help file %s has no topic %u.", file.c_str(), static_cast<DWORD>(dwData)));
    return HelpWindow::show(hwndCaller, helpFile->title(), *topic);
}

const ModuleExport kExports[] = {
    {HH_HTMLHELPW_ORDINAL, "HtmlHelpW", reinterpret_cast<FARPROC>(&HtmlHelpW)},
};

// The library's handle is its export table's address: it shares the platform's file but is a
// module of its own.
const bool kAnnounced = (AnnounceModule(L"hhctrl.ocx", reinterpret_cast<HMODULE>(const_cast<ModuleExport*>(kExports)), kExports), true);

} // namespace
