// Hotlinks as the module's hotlink window uses them: variable changes, whoever makes them, and the
// host's "GUI" object change reach the window with change type 5, from the message loop, never
// inside the call that made them; an object change waits while its register is locked for writing
// and arrives when the retry timer finds it free.
#include "DescribeChange.h"
#include "orvane/BspHub.h"
#include "orvane/CRegLockSemaphore.h"
#include "orvane/CWndCmdBspClient.h"
#include "orvane/CpApi.h"
#include "orvane/HostState.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/RegisterStore.h"

#include "kernel/Clock.h"
#include "support/TempRoot.h"

#include <gtest/gtest.h>

#include <memory>
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

class Hotlinks : public ::testing::Test {
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
        EXPECT_EQ(probe.RegisterCpCommands(context + 1000, 0, 100), CP_ERR_BAD_CONTEXT);
        ASSERT_EQ(probe.RegisterCpCommands(context, 0, 100), CP_OK);
        ASSERT_EQ(probe.context(), context);
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
        const SHORT created = subject.CreateCpVarSubj(name, context);
        return created == BSP_OK ? probe.ConnectBspDataHotlink(subject) : created;
    }

    TempRoot root;
    HCPCONTEXT context = 0;
    HWND viewer = nullptr;
    Probe probe;
};

TEST_F(Hotlinks, VariableChangesArriveFromTheLoopInOrderHoweverTheyAreMade)
{
    CpSetNumVar(context, "_METHODON", 0.0);
    CpSetNumVar(context, "_ERROR", 0.0);
    CpSetStrVar(context, "_ERRMSG$", L"");
    CpSetStrVar(context, "ACQSTATUS$", L"READY");
    for (const char* name : {"_METHODON", "ACQSTATUS$", "_ERROR", "_ERRMSG$"})
        ASSERT_EQ(connectVariable(name), BSP_OK) << name;

    CpSetNumVar(context, "_METHODON", 1.0);
    CpSetNumVar(context, "_METHODON", 1.0); // unchanged: nothing to tell
    CpSetStrVar(context, "acqstatus$", L"NOTREADY");
    EXPECT_TRUE(probe.seen.empty()); // nothing inside the setter
    MacroInterpreter::instance().execute(L"_methodon = 0", context);
    MacroInterpreter::instance().execute(L"NOSUCHCOMMAND", context); // the error lands in _ERROR, _ERRMSG$
    CpSetNumVar(context, "_OTHER", 1.0);
    pump();
    EXPECT_EQ(probe.seen, (std::vector<std::wstring>{L"change 1:5:_METHODON", L"change 1:5:acqstatus$",
                                                     L"change 1:5:_methodon", L"change 1:5:_ERROR",
                                                     L"change 1:5:_ERRMSG$"}));

    probe.DisconnectBspDataHotlink();
    CpSetNumVar(context, "_METHODON", 1.0);
    pump();
    EXPECT_EQ(probe.seen.size(), 5u);

    // Unknown variables and names that do not fit are refused.
    EXPECT_EQ(connectVariable("_NOTYET"), BSP_ERR_NO_VARIABLE);
    EXPECT_EQ(connectVariable("bad name"), BSP_ERR_NAME);
    CBspSubjectDesc shortNames(4);
    EXPECT_EQ(shortNames.CreateCpVarSubj("_LONGER", context), BSP_ERR_NAME);
    EXPECT_EQ(shortNames.CreateObjBspSubj(nullptr, 1), BSP_ERR_NAME);
    EXPECT_EQ(probe.ConnectBspDataHotlink(shortNames), BSP_ERR_EMPTY);
    EXPECT_EQ(DescribeChange(shortNames), L"unreadable");
    EXPECT_EQ(BspHub::instance().subscriptionCount(), 0u);
}

TEST_F(Hotlinks, AnObjectChangeOfItsCodeArrivesOnceItsRegisterIsFree)
{
    // The host leaves its message in the register and announces the object.
    RegisterStore::instance().obtain(L"GUI").addObject().setText(L"ModMsgText", L"Lamp off");
    CBspSubjectDesc gui;
    gui.CreateObjBspSubj(L"GUI", 1);
    ASSERT_EQ(probe.ConnectBspDataHotlink(gui), BSP_OK);
    BspHub::instance().announceObjectChange(L"gui", 1);
    BspHub::instance().announceObjectChange(L"GUI", 2);
    BspHub::instance().announceObjectChange(L"OTHER", 1);
    pump();
    EXPECT_EQ(probe.seen, std::vector<std::wstring>{L"update 2:5:gui/1"});

    auto writer = std::make_unique<CRegLockSemaphore>();
    ASSERT_EQ(writer->LockWrite(L"GUI", nullptr, 1), REG_OK);
    BspHub::instance().announceObjectChange(L"GUI", 1);
    pump();
    EXPECT_EQ(probe.seen.size(), 1u);

    writer.reset(); // the writer lets go
    Clock::advance(BSP_RETRY_MS);
    pump();
    EXPECT_EQ(probe.seen, (std::vector<std::wstring>{L"update 2:5:gui/1", L"update 2:5:GUI/1"}));
    Clock::advance(10 * BSP_RETRY_MS);
    pump();
    EXPECT_EQ(probe.seen.size(), 2u); // the retry timer has stopped
}

TEST_F(Hotlinks, OnlyTheNewestChangesAreKeptWhenTooManyWait)
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

TEST_F(Hotlinks, AReceiverMayUnsubscribeItselfAndOthersWhileItIsTold)
{
    CpSetNumVar(context, "_FIAON", 0.0);
    CBspSubjectDesc subject;
    subject.CreateCpVarSubj("_FIAON", context);
    std::vector<std::wstring> seen;
    BspHub::SubscriptionId first = 0, second = 0;
    BspHub::instance().subscribe(subject, [&](const CBspSubjectDesc&) {
        seen.push_back(L"first");
        BspHub::instance().unsubscribe(first);
        BspHub::instance().unsubscribe(second);
    }, &first);
    BspHub::instance().subscribe(subject, [&](const CBspSubjectDesc&) { seen.push_back(L"second"); }, &second);

    CpSetNumVar(context, "_FIAON", 1.0);
    CpSetNumVar(context, "_FIAON", 0.0);
    EXPECT_EQ(seen, std::vector<std::wstring>{L"first"});
    EXPECT_EQ(BspHub::instance().subscriptionCount(), 0u);
}

} // namespace
