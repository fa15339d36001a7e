// The hotlink window as the main viewer makes it: every subscribed change reaches the viewer as
// one posted message that points to the name as it was subscribed.
#include "hotlink/CBspDataHotlink.h"

#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "orvane/HostState.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/RegisterStore.h"
#include "support/ScriptedInput.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class BspDataHotlink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOrvaneState();
        context = CpCreateContext();
        for (const char* name : {"_METHODON", "_FIAON", "_ERRLINE", "_ERROR", "METHENDSTATUS"})
            CpSetNumVar(context, name, 0.0);
        for (const char* name : {"ACQSTATUS$", "GUISYSTEMSTATUS$", "_METHPATH$", "_DATAPATH$", "_ERRCMD$", "_ERRFILE$",
                                 "_ERRMSG$"})
            CpSetStrVar(context, name, L"");
        viewer = CreateWindowExW(0, L"STATIC", L"Run Serion Methods", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(viewer, nullptr);
    }
    void TearDown() override
    {
        hotlink.DestroyWindow();
        DestroyWindow(viewer);
        CpDestroyContext(context);
        ResetOrvaneState();
    }

    // Creates and connects the window in the viewer's order of steps.
    void open()
    {
        ASSERT_TRUE(hotlink.Create(nullptr, L"SerionHotlink", WS_CHILD, RECT{0, 0, 1, 1}, CWnd::FromHandle(viewer), 1));
        hotlink.m_hWndNotify = viewer;
        ASSERT_EQ(hotlink.RegisterCpCommands(context, 0, 100), CP_OK);
        EXPECT_EQ(hotlink.ConnectAll(), 0);
    }

    struct Posted {
        UINT message;
        WPARAM wParam;
        const wchar_t* name;
    };

    // Delivers what is waiting and keeps what reached the viewer.
    std::vector<Posted> pump()
    {
        std::vector<Posted> posted;
        MSG message{};
        for (int turns = 0; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++turns) {
            if (turns > 1000) {
                ADD_FAILURE() << "the queue never empties";
                break;
            }
            if (message.hwnd == viewer)
                posted.push_back({message.message, message.wParam, reinterpret_cast<const wchar_t*>(message.lParam)});
            DispatchMessageW(&message);
        }
        return posted;
    }

    TempRoot root;
    ScriptedInput user;
    HCPCONTEXT context = 0;
    HWND viewer = nullptr;
    CBspDataHotlink hotlink;
};

TEST_F(BspDataHotlink, AnUnknownVariableIsReportedOnceAtSubscriptionAndNeverDelivers)
{
    std::vector<std::wstring> boxes;
    user.then([&] {
        HWND box = Automation::topLevelWindows().front();
        boxes.push_back(Automation::snapshot(box));
        EXPECT_TRUE(Done(Automation::pressKey(box, VK_RETURN)));
    });
    open();
    EXPECT_NE(hotlink.ConnectCpVar(L"_NOSUCH$"), 0);

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"\"GuiCore: BSP connection to non existing CP var <_NOSUCH$> is an error\""),
              std::wstring::npos)
        << WideToUtf8(boxes[0]);
    EXPECT_NE(boxes[0].find(L"icon=error"), std::wstring::npos) << WideToUtf8(boxes[0]);
    EXPECT_EQ(boxes[0].find(L"Cancel"), std::wstring::npos) << "only an OK button";

    // Made later, the variable still reports nothing: the subscription was refused.
    CpSetStrVar(context, "_NOSUCH$", L"now here");
    EXPECT_TRUE(pump().empty());
}

} // namespace
