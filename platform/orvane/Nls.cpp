// The language library: texts of the added modules and the host's own, announced as "langkit".
#include "Nls.h"

#include "TextBuffer.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

struct HostString {
    UINT id;
    std::wstring_view text;
};

// The host's texts that modules load by number.
constexpr HostString hostStrings[] = {
    // The middle of a module's question before deleting a group, and the text a module shows for a
    // message missing from its string table.
    {17001, L"the group "},
    {17002, L"Message %d is missing."},
    {17003, L"&Help"},
    {17004, L"&Yes"},
    // The status field of a module's status bar: at first, while offline, before a status is known.
    {17005, L"Not connected"},
    {17006, L"Instrument offline"},
    {17007, L"Status unknown"},
    {17008, L"Information"},
    {17009, L"&File"},
    {NLS_HOST_MENU_NAME, L"Automation"},
    // The headings of a module's account list, and the name of the first account a module creates.
    {17011, L"User Name"},
    {17012, L"Password"},
    {17013, L"Description"},
    {17014, L"Role"},
    {17015, L"Administrator"},
    {NLS_HOST_MODULE_ITEM, L"Serion Methods..."},
};

std::vector<HMODULE>& addedModules()
{
    static std::vector<HMODULE> modules;
    return modules;
}

} // namespace

SHORT NlsAddModule(HMODULE module)
{
    if (!module)
        return NLS_ERR_MODULE;
    if (!NlsHasModule(module))
        addedModules().push_back(module);
    AnnounceModule(L"langkit", ModuleFromAddress(hostStrings));
    return NLS_OK;
}

SHORT NlsRemoveModule(HMODULE module)
{
    if (std::erase(addedModules(), module) == 0)
        return NLS_ERR_MODULE;
    if (addedModules().empty())
        WithdrawModule(L"langkit");
    return NLS_OK;
}

bool NlsHasModule(HMODULE module)
{
    return std::find(addedModules().begin(), addedModules().end(), module) != addedModules().end();
}

int NlsLoadString(HMODULE module, UINT id, LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = L'\0';
    if (NlsHasModule(module)) {
        const int copied = LoadStringW(module, id, buffer, capacity);
        if (copied > 0)
            return copied;
    }
    for (const HostString& host : hostStrings)
        if (host.id == id)
            return CopyToBuffer(host.text, buffer, capacity);
    return 0;
}
