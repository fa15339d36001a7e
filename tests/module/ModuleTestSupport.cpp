// The module's test fixture on the shared host, and the host's own texts the tests expect.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"

#include "resources/ResourceIds.h"

#include "kernel/Text.h"
#include "win/ListViewAutomation.h"
#include "orvane/Nls.h"
#include "worklist/MethodRows.h"

ModuleTest::ModuleTest() { EXPECT_EQ(startFailure(), ""); }

SHORT ModuleTest::Execute(int commandId, std::vector<std::wstring> arguments)
{
    int result = 0;
    const SHORT status = RunCommand(commandId, std::move(arguments), result);
    EXPECT_EQ(result, 0);
    return status;
}

void ModuleTest::AnswerMessage(std::vector<std::wstring>& texts, int button)
{
    m_user.then([&texts, button] {
        const HWND box = Automation::findWindow(L"Serion");
        ASSERT_NE(box, nullptr);
        texts.push_back(MessageText(box));
        EXPECT_TRUE(Done(Automation::click(box, button)));
    });
}

void ModuleTest::OpenWithGroup(const std::vector<std::wstring>& methods, const std::wstring& group)
{
    ASSERT_EQ(AddRunGroup(methods, group), "");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    ASSERT_NE(Viewer(), nullptr);
    Automation::deliverPending();
}

std::wstring MessageText(HWND box)
{
    for (HWND child : Automation::children(box)) {
        const WindowInfo info = Automation::describe(child);
        if (EqualsNoCase(info.className, L"Static") && (info.style & SS_TYPEMASK) != SS_ICON)
            return info.text;
    }
    return {};
}

bool CommandEnabled(HWND window, UINT command)
{
    return !(GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED);
}

ListViewInfo MethodsShown(HWND viewer)
{
    ListViewInfo list;
    EXPECT_TRUE(ListViewAutomation::inspect(viewer, IDC_METHOD_LIST, list).ok);
    return list;
}

std::vector<MethodRecord> StoredRows(const std::wstring& group)
{
    MethodRows rows(ModuleSettings);
    EXPECT_TRUE(SUCCEEDED(rows.LoadGroup(group.c_str())));
    std::vector<MethodRecord> stored;
    for (LONG id = 0; const MethodRecord* row = rows.FindRowById(id, FALSE); ++id)
        stored.push_back(*row);
    return stored;
}

std::vector<LONG> StoredStates(const std::wstring& group)
{
    std::vector<LONG> states;
    for (const MethodRecord& row : StoredRows(group))
        states.push_back(row.RunState);
    return states;
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
