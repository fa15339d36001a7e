// The hotlink window base as the module's hotlink window uses it: changes reach the subclass from
// the message loop, never inside the call that made them; an object change waits while its
// register is locked for writing and arrives when the retry timer finds it free.
#include "DescribeChange.h"
#include "orvane/CRegLockSemaphore.h"
#include "orvane/CWndCmdBspClient.h"
#include "orvane/CpApi.h"
#include "orvane/HostState.h"
#include "orvane/RegisterStore.h"

#include "kernel/Clock.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Probe : public CWndCmdBspClient {
public:
    std::vector<std::wstring> seen;
    HCPCONTEXT context() const { return m_hCpContext; }

protected:
    void OnBspHotlinkChange(const CBspSubjectDesc& change) override
    {
        seen.push_back(L"change " + DescribeChange(change));
    }
    void OnBspHotlinkUpdate(const CBspSubjectDesc& change) override
    {
        seen.push_back(L"update " + DescribeChange(change));
    }
};

class HotlinkWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOrvaneState();
        context = CpCreateContext();
        // As the main viewer makes its hotlink window: a hidden child.
        viewer = CreateWindowExW(0, L"STATIC", L"Run Serion Methods", WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(probe.Create(nullptr, L"SerionHotlink", WS_CHILD, RECT{0, 0, 1, 1}, CWnd::FromHandle(viewer), 1));
    }
    void TearDown() override
    {
        probe.DestroyWindow();
        DestroyWindow(viewer);
        CpDestroyContext(context);
        ResetOrvaneState();
    }

    // Delivers what is waiting, with a bound so that a bug fails instead of looping for ever.
    void pump()
    {
        MSG message{};
        for (int turns = 0; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++turns) {
            ASSERT_LT(turns, 1000) << "the queue never empties";
            DispatchMessageW(&message);
        }
    }

    SHORT connectVariable(const char* name)
    {
        CBspSubjectDesc subject(255);
        subject.CreateCpVarSubj(name, probe.context());
        return probe.ConnectBspDataHotlink(subject);
    }

    TempRoot root;
    HCPCONTEXT context = 0;
    HWND viewer = nullptr;
    Probe probe;
};

TEST_F(HotlinkWindow, VariableChangesArriveFromTheLoopInOrder)
{
    EXPECT_EQ(probe.RegisterCpCommands(context + 1000, 0, 100), CP_ERR_BAD_CONTEXT);
    ASSERT_EQ(probe.RegisterCpCommands(context, 0, 100), CP_OK);
    EXPECT_EQ(probe.context(), context);
    CpSetNumVar(context, "_METHODON", 0.0);
    CpSetStrVar(context, "ACQSTATUS$", L"READY");
    ASSERT_EQ(connectVariable("_METHODON"), BSP_OK);
    ASSERT_EQ(connectVariable("ACQSTATUS$"), BSP_OK);
    EXPECT_EQ(connectVariable("_NOSUCH"), BSP_ERR_NO_VARIABLE);

    CpSetNumVar(context, "_METHODON", 1.0);
    CpSetStrVar(context, "acqstatus$", L"NOTREADY");
    EXPECT_TRUE(probe.seen.empty()); // nothing inside the setter
    pump();
    EXPECT_EQ(probe.seen, (std::vector<std::wstring>{L"change 1:5:_METHODON", L"change 1:5:acqstatus$"}));

    probe.DisconnectBspDataHotlink();
    CpSetNumVar(context, "_METHODON", 0.0);
    pump();
    EXPECT_EQ(probe.seen.size(), 2u);
}

TEST_F(HotlinkWindow, AnObjectChangeWaitsForItsRegisterToBeFree)
{
    ASSERT_EQ(probe.RegisterCpCommands(context, 0, 100), CP_OK);
    RegisterStore::instance().obtain(L"GUI").addObject().setText(L"ModMsgText", L"Lamp off");
    CBspSubjectDesc gui;
    gui.CreateObjBspSubj(L"GUI", 1);
    ASSERT_EQ(probe.ConnectBspDataHotlink(gui), BSP_OK);

    auto writer = std::make_unique<CRegLockSemaphore>();
    ASSERT_EQ(writer->LockWrite(L"GUI", nullptr, 1), REG_OK);
    BspHub::instance().announceObjectChange(L"GUI", 1);
    pump();
    EXPECT_TRUE(probe.seen.empty());

    writer.reset(); // the writer lets go
    Clock::advance(BSP_RETRY_MS);
    pump();
    EXPECT_EQ(probe.seen, std::vector<std::wstring>{L"update 2:5:GUI/1"});
    Clock::advance(10 * BSP_RETRY_MS);
    pump();
    EXPECT_EQ(probe.seen.size(), 1u); // the retry timer has stopped
}

TEST_F(HotlinkWindow, OnlyTheNewestChangesAreKeptWhenTooManyWait)
{
    ASSERT_EQ(probe.RegisterCpCommands(context, 0, 2), CP_OK);
    CpSetNumVar(context, "_ERRLINE", 0.0);
    ASSERT_EQ(connectVariable("_ERRLINE"), BSP_OK);
    CpSetNumVar(context, "_ERRLINE", 1.0);
    CpSetNumVar(context, "_errline", 2.0);
    CpSetNumVar(context, "_ERRLine", 3.0);
    pump();
    EXPECT_EQ(probe.seen, (std::vector<std::wstring>{L"change 1:5:_errline", L"change 1:5:_ERRLine"}));
}

} // namespace
