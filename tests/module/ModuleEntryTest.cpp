// The module's start, tasks and end as the host drives them through OOCPSRV.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCallbacks.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"

#include "kernel/UserName.h"
#include "orvane/CXRCpDlcWnd.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"

namespace {

using ModuleEntry = ModuleTest;

TEST_F(ModuleEntry, InitFillsEveryHostHandleAndTakesTheLoginNameTaskCloseAndDestroyCloseAndUnregisterAndExitDropsTheTexts)
{
    EXPECT_EQ(ModuleSettings.hHostA, 0xA0u);
    EXPECT_EQ(ModuleSettings.hHostB, 0xB0u);
    EXPECT_EQ(ModuleSettings.hHostC, 0xC0u);
    EXPECT_EQ(ModuleSettings.hHostD, 0xD0u);
    EXPECT_EQ(ModuleSettings.hCpContext, m_context);
    EXPECT_EQ(ModuleSettings.hHostWnd, m_hostWindow.handle());
    const auto logbookId = static_cast<std::int32_t>(ModuleSettings.nLogbookId);
    EXPECT_TRUE(m_logbook.isRegistered(logbookId));

    WCHAR login[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    ASSERT_TRUE(GetUserNameW(login, &size));
    EXPECT_EQ(ModuleSettings.strUserName, login);
    EXPECT_TRUE(NlsHasModule(ModuleResourceHandle()));

    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    HWND viewer = Viewer();
    ASSERT_NE(viewer, nullptr);
    CXRCpDlcWnd* task = m_app.findTask(kTaskId);
    ASSERT_NE(task, nullptr);
    auto* record = static_cast<TaskRecord*>(task->GetTaskSpecific());
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->bClosed);

    EXPECT_EQ(Send(OOCP_TASK_CLOSE, kTaskId), OOCP_OK);
    EXPECT_TRUE(record->bClosed);
    EXPECT_EQ(Send(OOCP_TASK_DESTROY, kTaskId), OOCP_OK);
    EXPECT_EQ(m_app.findTask(kTaskId), nullptr);
    EXPECT_FALSE(IsWindow(viewer));
    EXPECT_EQ(MainViewer(), nullptr);
    EXPECT_FALSE(m_logbook.isRegistered(logbookId));

    EXPECT_EQ(Send(OOCP_EXIT), OOCP_OK);
    EXPECT_FALSE(NlsHasModule(ModuleResourceHandle()));
}

} // namespace
