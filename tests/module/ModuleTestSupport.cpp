// The module's test fixture on the shared host, and the host's own texts the tests expect.
#include "ModuleTestSupport.h"

#include "orvane/Nls.h"

ModuleTest::ModuleTest() { EXPECT_EQ(startFailure(), ""); }

SHORT ModuleTest::Execute(int commandId, std::vector<std::wstring> arguments)
{
    int result = 0;
    const SHORT status = RunCommand(commandId, std::move(arguments), result);
    EXPECT_EQ(result, 0);
    return status;
}

std::wstring MenuStateLine(const std::wstring& state)
{
    auto hostString = [](UINT id) {
        WCHAR buffer[128] = {};
        NlsLoadString(nullptr, id, buffer, 128);
        return std::wstring(buffer);
    };
    return L"MenuState \"" + hostString(NLS_HOST_MENU_NAME) + L"\", \"" + hostString(NLS_HOST_MODULE_ITEM) + L"\", \"" +
           state + L"\"";
}
