// The command-module classes as a module uses them: the host's OOCPSRV events reach the five
// callbacks and the registered commands' execute handlers, with frames, tasks and task data.
#include "orvane/CXRCpDlcApp.h"
#include "orvane/CXRCpDlcWnd.h"
#include "orvane/CXRRegCmdExecFrame.h"
#include "orvane/CXRRegCommand.h"
#include "orvane/CpApi.h"
#include "orvane/HostHandles.h"

#include "win/WinUser.h"
#include "win/afx/CWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A module's static objects, as a module builds them: the application object, then its commands.
struct Module {
    std::vector<std::wstring> events;
    CXRCpDlcApp app{1,
                    101,
                    [this](CXRCpDlcApp* a) {
                        events.push_back(L"init");
                        return CmdAttachApp(a);
                    },
                    [this](CXRCpDlcWnd* task, void* data) {
                        events.push_back(L"create " + std::to_wstring(task->taskId()) + L" " +
                                         static_cast<const wchar_t*>(data));
                        task->SetTaskSpecific(new int(0));
                        return 0;
                    },
                    [this](CXRCpDlcWnd* task, void*) {
                        events.push_back(L"close");
                        *static_cast<int*>(task->GetTaskSpecific()) = 1;
                        return 0;
                    },
                    [this](CXRCpDlcWnd* task, void*) {
                        auto* flag = static_cast<int*>(task->GetTaskSpecific());
                        events.push_back(L"destroy " + std::to_wstring(*flag));
                        delete flag;
                        return 0;
                    },
                    [this](CXRCpDlcApp*) {
                        events.push_back(L"exit");
                        return 0;
                    }};
    CXRRegCommand runner{1002,
                         [this](CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd* task) {
                             BOOL found = TRUE;
                             const std::wstring second = frame->GetStringParam(2, &found);
                             events.push_back(L"FIARUNNER " + frame->GetStringParam(1) + L" " +
                                              std::to_wstring(found) + second + L" task " +
                                              std::to_wstring(task->taskId()) + L" context " + std::to_wstring(context));
                             return 7;
                         },
                         [this](CXRRegCommand* command) {
                             events.push_back(L"params");
                             command->AddParam(new CXRStringParam(0, L""));
                             return 0;
                         },
                         [] { return new CXRRegCmdExecFrame; }};
};

SHORT execute(Module& module, LONG command, LONG task, std::vector<std::wstring> arguments, OocpExecute* request)
{
    request->context = 0x1234;
    request->arguments = std::move(arguments);
    return module.app.OOCPSRV(request, OOCP_EXECUTE, command, task);
}

TEST(CommandModule, HostEventsReachTheCallbacksAndTheExecuteHandlerInOrder)
{
    Module module;
    OocpExecute request;
    wchar_t taskData[] = L"data";
    EXPECT_EQ(module.app.findCommand(1002), &module.runner);
    {
        // A command leaves its application object when it goes.
        CXRRegCommand control(1001, nullptr, nullptr, nullptr);
        EXPECT_EQ(module.app.findCommand(1001), &control);
    }
    EXPECT_EQ(module.app.findCommand(1001), nullptr);
    EXPECT_EQ(execute(module, 1002, 5, {}, &request), OOCP_ERR_NOT_INITIALISED);

    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_INIT, 0, 0), OOCP_OK);
    EXPECT_EQ(CmdAttachedApp(), &module.app);
    EXPECT_EQ(module.app.OOCPSRV(taskData, OOCP_TASK_CREATE, 5, 0), OOCP_OK);
    EXPECT_EQ(execute(module, 1002, 5, {L"control"}, &request), OOCP_OK);
    EXPECT_EQ(request.result, 7);
    EXPECT_EQ(execute(module, 1002, 5, {}, &request), OOCP_OK);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_TASK_CLOSE, 5, 0), OOCP_OK);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_TASK_DESTROY, 5, 0), OOCP_OK);
    EXPECT_EQ(module.app.findTask(5), nullptr);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_EXIT, 0, 0), OOCP_OK);

    EXPECT_EQ(module.events, (std::vector<std::wstring>{L"params", L"init", L"create 5 data",
                                                        L"FIARUNNER control 0 task 5 context 4660",
                                                        L"FIARUNNER  0 task 5 context 4660", L"close", L"destroy 1",
                                                        L"exit"}));
}

TEST(CommandModule, BadEventsAreRefusedWithAStatusAndRunNothing)
{
    Module module;
    OocpExecute request;
    wchar_t taskData[] = L"data";
    module.app.OOCPSRV(nullptr, OOCP_INIT, 0, 0);
    module.app.OOCPSRV(taskData, OOCP_TASK_CREATE, 5, 0);
    module.events.clear();

    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_INIT, 0, 0), OOCP_ERR_EVENT);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, 99, 0, 0), OOCP_ERR_EVENT);
    EXPECT_EQ(module.app.OOCPSRV(taskData, OOCP_TASK_CREATE, 5, 0), OOCP_ERR_TASK);
    EXPECT_EQ(module.app.OOCPSRV(taskData, OOCP_TASK_CREATE, 0, 0), OOCP_ERR_TASK);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_TASK_CLOSE, 6, 0), OOCP_ERR_TASK);
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_EXECUTE, 1002, 5), OOCP_ERR_ARGUMENTS);
    EXPECT_EQ(execute(module, 1002, 5, {L"a", L"b"}, &request), OOCP_ERR_ARGUMENTS);
    EXPECT_EQ(request.error, L"too many arguments (at most 1)");
    EXPECT_EQ(execute(module, 1001, 5, {}, &request), OOCP_ERR_COMMAND);
    EXPECT_EQ(request.error, L"the module has no command with the id 1001");
    EXPECT_EQ(execute(module, 1002, 6, {}, &request), OOCP_ERR_TASK);
    EXPECT_TRUE(module.events.empty());
    EXPECT_EQ(module.app.OOCPSRV(nullptr, OOCP_TASK_DESTROY, 5, 0), OOCP_OK);
}

TEST(CommandModule, HostHandlesFillTheModulesSlotsByIdAndATasksApplicationWindowIsTheHostWindow)
{
    UtClearHostHandles();
    int someWindow = 0;
    UtSetHostHandle(UT_HOST_CP_CONTEXT, 0x1001);
    UtSetHostHandle(UT_HOST_WINDOW, reinterpret_cast<UINT_PTR>(&someWindow));
    UtSetHostHandle(UT_HOST_HANDLE_A, 0xA);
    DWORD context = 0, a = 0, c = 0xFFFF;
    HWND window = nullptr;
    UTHOSTHANDLE pairs[] = {{UT_HOST_HANDLE_A, &a}, {UT_HOST_HANDLE_C, &c}, {UT_HOST_CP_CONTEXT, &context},
                            {UT_HOST_WINDOW, &window}};
    EXPECT_EQ(UtGetHostHandles(0, pairs, 4), UT_ERR_HANDLE); // 0x4005 was not supplied
    EXPECT_EQ(a, 0xAu);
    EXPECT_EQ(c, 0xFFFFu);
    EXPECT_EQ(context, 0x1001u);
    EXPECT_EQ(window, reinterpret_cast<HWND>(&someWindow));
    EXPECT_EQ(UtGetHostHandles(0, pairs, 1), 0);

    CXRCpDlcWnd task(5);
    UtClearHostHandles();
    EXPECT_EQ(task.GetCAppWnd(), nullptr);
    HWND hostWindow =
        CreateWindowExW(0, L"STATIC", L"Orvane", WS_OVERLAPPED, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hostWindow, nullptr);
    UtSetHostHandle(UT_HOST_WINDOW, reinterpret_cast<UINT_PTR>(hostWindow));
    ASSERT_NE(task.GetCAppWnd(), nullptr);
    EXPECT_EQ(task.GetCAppWnd()->GetSafeHwnd(), hostWindow);
    DestroyWindow(hostWindow);
    UtClearHostHandles();
}

} // namespace
