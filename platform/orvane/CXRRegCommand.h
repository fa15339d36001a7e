// A command that a module registers with the host: its id (as in the command table resource),
// its execute handler, the handler that defines its parameters and the factory of its frames.
// Constructed as a static object of the module, it joins the application object built last.
// The framework owns and deletes the frames the factory makes.
#pragma once

#include "CXRCmdExecFrame.h"
#include "CXRStringParam.h"
#include "OrvaneTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CXRCpDlcWnd;

class CXRRegCommand {
public:
    using ExecuteHandler = std::function<int(CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd* task)>;
    using ParamDefHandler = std::function<int(CXRRegCommand* command)>;
    using FrameFactory = std::function<CXRCmdExecFrame*()>;

    CXRRegCommand(int id, ExecuteHandler execute, ParamDefHandler defineParams, FrameFactory makeFrame);
    ~CXRRegCommand();
    CXRRegCommand(const CXRRegCommand&) = delete;
    CXRRegCommand& operator=(const CXRRegCommand&) = delete;

    int id() const { return m_id; }
    // Takes ownership of the parameter.
    void AddParam(CXRStringParam* param);
    const std::vector<std::unique_ptr<CXRStringParam>>& params() const { return m_params; }

    // Runs the parameter-definition handler once.
    void defineParams();
    // Checks the arguments against the parameters, makes a frame, runs the execute handler with
    // it and deletes it. OOCP_OK and the handler's result, or a status and a message.
    SHORT execute(const std::vector<std::wstring>& arguments, HCPCONTEXT context, CXRCpDlcWnd* task, int* result,
                  std::wstring* error);

private:
    int m_id;
    ExecuteHandler m_execute;
    ParamDefHandler m_defineParams;
    FrameFactory m_makeFrame;
    std::vector<std::unique_ptr<CXRStringParam>> m_params;
    bool m_paramsDefined = false;
};
