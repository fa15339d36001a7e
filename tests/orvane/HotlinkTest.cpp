// Hotlinks as the module's hotlink window uses them: variable changes, whoever makes them, and
// the host's "GUI" object change reach the subscriber with change type 5.
#include "DescribeChange.h"
#include "orvane/BspHub.h"
#include "orvane/CpApi.h"
#include "orvane/HostState.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/RegisterStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Hotlinks : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetOrvaneState();
        context = CpCreateContext();
    }
    void TearDown() override
    {
        CpDestroyContext(context);
        ResetOrvaneState();
    }

    SHORT subscribeVariable(const char* name)
    {
        CBspSubjectDesc subject(255);
        const SHORT created = subject.CreateCpVarSubj(name, context);
        if (created != BSP_OK)
            return created;
        return BspHub::instance().subscribe(subject, [this](const CBspSubjectDesc& c) { seen.push_back(DescribeChange(c)); },
                                            nullptr);
    }

    HCPCONTEXT context = 0;
    std::vector<std::wstring> seen;
};

TEST_F(Hotlinks, VariableChangesReachSubscribersHoweverTheyAreMade)
{
    CpSetNumVar(context, "_METHODON", 0.0);
    CpSetNumVar(context, "_ERROR", 0.0);
    CpSetStrVar(context, "_ERRMSG$", L"");
    ASSERT_EQ(subscribeVariable("_METHODON"), BSP_OK);
    ASSERT_EQ(subscribeVariable("_ERROR"), BSP_OK);
    ASSERT_EQ(subscribeVariable("_ERRMSG$"), BSP_OK);

    CpSetNumVar(context, "_METHODON", 1.0);
    CpSetNumVar(context, "_METHODON", 1.0); // unchanged: nothing to tell
    MacroInterpreter::instance().execute(L"_methodon = 0", context);
    MacroInterpreter::instance().execute(L"NOSUCHCOMMAND", context); // the error lands in _ERROR, _ERRMSG$
    CpSetNumVar(context, "_OTHER", 1.0);

    EXPECT_EQ(seen, (std::vector<std::wstring>{L"1:5:_METHODON", L"1:5:_methodon", L"1:5:_ERROR", L"1:5:_ERRMSG$"}));
}

TEST_F(Hotlinks, UnknownVariablesAndBadNamesAreRefused)
{
    EXPECT_EQ(subscribeVariable("_NOTYET"), BSP_ERR_NO_VARIABLE);
    EXPECT_EQ(subscribeVariable("bad name"), BSP_ERR_NAME);
    CBspSubjectDesc shortNames(4);
    EXPECT_EQ(shortNames.CreateCpVarSubj("_LONGER", context), BSP_ERR_NAME);
    EXPECT_EQ(shortNames.CreateObjBspSubj(nullptr, 1), BSP_ERR_NAME);
    EXPECT_EQ(BspHub::instance().subscribe(shortNames, [](const CBspSubjectDesc&) {}, nullptr), BSP_ERR_EMPTY);
    EXPECT_EQ(DescribeChange(shortNames), L"unreadable");
    EXPECT_EQ(BspHub::instance().subscriptionCount(), 0u);
}

TEST_F(Hotlinks, ObjectChangesReachSubscribersOfThatObjectAndCode)
{
    CBspSubjectDesc gui;
    ASSERT_EQ(gui.CreateObjBspSubj(L"GUI", 1), BSP_OK);
    BspHub::SubscriptionId id = 0;
    ASSERT_EQ(BspHub::instance().subscribe(gui, [this](const CBspSubjectDesc& c) { seen.push_back(DescribeChange(c)); }, &id),
              BSP_OK);

    // The host leaves its message in the register and announces the object.
    RegisterStore::instance().obtain(L"GUI").addObject().setText(L"ModMsgText", L"Pump pressure high");
    BspHub::instance().announceObjectChange(L"gui", 1);
    BspHub::instance().announceObjectChange(L"GUI", 2);
    BspHub::instance().announceObjectChange(L"OTHER", 1);
    BspHub::instance().unsubscribe(id);
    BspHub::instance().announceObjectChange(L"GUI", 1);

    EXPECT_EQ(seen, std::vector<std::wstring>{L"2:5:gui/1"});
}

TEST_F(Hotlinks, AReceiverMayUnsubscribeItselfAndOthersWhileItIsTold)
{
    CpSetNumVar(context, "_FIAON", 0.0);
    CBspSubjectDesc subject;
    subject.CreateCpVarSubj("_FIAON", context);
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
