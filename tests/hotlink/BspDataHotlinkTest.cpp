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

TEST_F(BspDataHotlink, EachChangePostsTheNameAsSubscribedWithTheObjectsCodeUntilTheWindowGoes)
{
    open();
    CpSetStrVar(context, "_ERRMSG$", L"Lamp failure");
    MacroInterpreter::instance().execute(L"_error = 3", context); // reported in lower case
    CpSetNumVar(context, "_UNWATCHED", 1.0);
    RegisterStore::instance().obtain(L"GUI").addObject().setText(L"ModMsgText", L"Pump pressure low");
    BspHub::instance().announceObjectChange(L"GUI", 1);
    const std::vector<Posted> posted = pump();

    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].message, WM_HOTLINK_VARIABLE);
    EXPECT_EQ(posted[0].wParam, 0u);
    EXPECT_STREQ(posted[0].name, L"_ERRMSG$");
    EXPECT_EQ(posted[1].message, WM_HOTLINK_VARIABLE);
    EXPECT_STREQ(posted[1].name, L"_ERROR");
    EXPECT_EQ(posted[2].message, WM_HOTLINK_OBJECT);
    EXPECT_EQ(posted[2].wParam, 1u);
    EXPECT_STREQ(posted[2].name, L"GUI");

    // The texts belong to the window: the same change points to the same stored text again.
    CpSetStrVar(context, "_ERRMSG$", L"Lamp failure again");
    const std::vector<Posted> again = pump();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].name, posted[0].name);

    // A name subscribed twice is stored twice: both subscriptions report the change, and each
    // message points to the first stored entry.
    ASSERT_EQ(hotlink.ConnectCpVar(L"_METHODON"), 0);
    CpSetNumVar(context, "_METHODON", 1.0);
    const std::vector<Posted> twice = pump();
    ASSERT_EQ(twice.size(), 2u);
    EXPECT_STREQ(twice[0].name, L"_METHODON");
    EXPECT_EQ(twice[0].name, twice[1].name);

    hotlink.DestroyWindow();
    CpSetNumVar(context, "_METHODON", 0.0);
    EXPECT_TRUE(pump().empty()) << "a destroyed hotlink window reports nothing";
}

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
