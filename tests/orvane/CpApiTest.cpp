// The command processor's calls: statuses, the size query and names without regard to case.
#include "orvane/CpApi.h"
#include "orvane/CpCommandQueue.h"
#include "orvane/CpVariables.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CpApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        CpVariables::instance().clear();
        CpCommandQueue::instance().clear();
        context = CpCreateContext();
    }
    void TearDown() override { CpDestroyContext(context); }
    HCPCONTEXT context = 0;
};

TEST_F(CpApi, VariablesAnswerSizeQueriesMatchNamesWithoutCaseAndKeepTheirKinds)
{
    // Names are matched without regard to case, and their kinds follow the name.
    ASSERT_EQ(CpSetNumVar(context, "_Abort", 1.0), CP_OK);
    double value = 0;
    EXPECT_EQ(CpGetNumVar(context, "_ABORT", &value), CP_OK);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(CpSetNumVar(context, "_abort", 2.0), CP_OK);
    EXPECT_EQ(CpVariables::instance().names(), std::vector<std::string>{"_Abort"});
    EXPECT_EQ(CpGetNumVar(context, "_aBoRt", &value), CP_OK);
    EXPECT_EQ(value, 2.0);

    EXPECT_EQ(CpSetStrVar(context, "_ABORT", L"x"), CP_ERR_WRONG_TYPE);
    EXPECT_EQ(CpSetNumVar(context, "TEXT$", 1.0), CP_ERR_WRONG_TYPE);
    EXPECT_EQ(CpSetNumVar(context, "1BAD", 1.0), CP_ERR_BAD_NAME);
    EXPECT_EQ(CpSetNumVar(context, "", 1.0), CP_ERR_BAD_NAME);
    EXPECT_EQ(CpGetNumVar(context, "_UNKNOWN", &value), CP_ERR_UNKNOWN_VARIABLE);
    EXPECT_EQ(value, 2.0); // an unknown variable writes nothing
    ASSERT_EQ(CpSetStrVar(context, "ACQSTATUS$", L"READY"), CP_OK);
    EXPECT_EQ(CpGetNumVar(context, "acqstatus$", &value), CP_ERR_WRONG_TYPE);

    // A size query, then the text, whole or cut to the buffer.
    ASSERT_EQ(CpSetStrVar(context, "_METHPATH$", L"C:\\Methods\\"), CP_OK);
    const SHORT r = CpGetStrVar(context, "_METHPATH$", nullptr, 0);
    EXPECT_LE(r, 0);
    EXPECT_EQ(1 - r, 12); // eleven characters and the terminating zero
    std::wstring buffer(1 - r, L'#');
    EXPECT_EQ(CpGetStrVar(context, "_methpath$", buffer.data(), 1 - r), CP_OK);
    EXPECT_EQ(std::wstring(buffer.c_str()), L"C:\\Methods\\");

    wchar_t small[4] = {L'#', L'#', L'#', L'#'};
    EXPECT_EQ(CpGetStrVar(context, "_METHPATH$", small, 4), r);
    EXPECT_EQ(std::wstring(small), L"C:\\");

    EXPECT_EQ(CpGetStrVar(context, "_NOSUCH$", nullptr, 0), CP_ERR_UNKNOWN_VARIABLE);
    ASSERT_EQ(CpSetNumVar(context, "_OFFLINE", 0.5), CP_OK);
    EXPECT_EQ(CpGetStrVar(context, "_OFFLINE", small, 4), CP_ERR_WRONG_TYPE);

    ASSERT_EQ(CpSetStrVar(context, "EMPTY$", L""), CP_OK);
    EXPECT_EQ(CpGetStrVar(context, "EMPTY$", nullptr, 0), 0); // one character: the zero

    // A change is announced, under the name as written, only when the value differs or is new.
    std::vector<std::string> heard;
    const auto id = CpVariables::instance().addObserver([&](const std::string& name) { heard.push_back(name); });
    CpSetNumVar(context, "_METHODON", 1.0);
    CpSetNumVar(context, "_methodon", 1.0);
    CpSetNumVar(context, "_methodon", 0.0);
    CpSetStrVar(context, "_ERRMSG$", L"");
    CpVariables::instance().removeObserver(id);
    CpSetNumVar(context, "_METHODON", 1.0);
    EXPECT_EQ(heard, (std::vector<std::string>{"_METHODON", "_methodon", "_ERRMSG$"}));
}

TEST_F(CpApi, ExecCommandQueuesLinesInOrderAndWakesTheHostAndAnUnknownContextChangesNothing)
{
    const HCPCONTEXT stale = CpCreateContext();
    CpDestroyContext(stale);
    EXPECT_EQ(CpSetNumVar(stale, "_SERIONON", 1.0), CP_ERR_BAD_CONTEXT);
    EXPECT_EQ(CpExecCommand(stale, L"RUNMETHOD ", 0, 0, 0), CP_ERR_BAD_CONTEXT);
    EXPECT_EQ(CpExecCommand(0, L"RUNMETHOD ", 0, 0, 0), CP_ERR_BAD_CONTEXT);
    EXPECT_FALSE(CpVariables::instance().exists("_SERIONON"));
    EXPECT_TRUE(CpCommandQueue::instance().empty());

    int wakes = 0;
    CpCommandQueue::instance().setWakeHook([&] { ++wakes; });
    EXPECT_EQ(CpExecCommand(context, L"LoadMethParams  ", 0, 0, 0), CP_OK);
    EXPECT_EQ(CpExecCommand(context, L"RUNMETHOD ", 0, 0, 0), CP_OK);
    CpCommandQueue::instance().setWakeHook(nullptr);
    EXPECT_EQ(wakes, 2);
    const auto pending = CpCommandQueue::instance().pending();
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].line, L"LoadMethParams  ");
    EXPECT_EQ(pending[1].line, L"RUNMETHOD ");
    EXPECT_EQ(pending[1].context, context);
}

} // namespace
