// Registered commands: their parameters and the execution of their handler.
#include "CXRRegCommand.h"

#include "CXRCpDlcApp.h"

#include <algorithm>

CXRRegCommand::CXRRegCommand(int id, ExecuteHandler execute, ParamDefHandler defineParams, FrameFactory makeFrame)
    : m_id(id), m_execute(std::move(execute)), m_defineParams(std::move(defineParams)), m_makeFrame(std::move(makeFrame))
{
    if (CXRCpDlcApp* app = CXRCpDlcApp::latest())
        app->addCommand(this);
}

CXRRegCommand::~CXRRegCommand()
{
    CXRCpDlcApp::forgetCommand(this);
}

void CXRRegCommand::AddParam(CXRStringParam* param)
{
    if (param)
        m_params.emplace_back(param);
}

void CXRRegCommand::defineParams()
{
    if (m_paramsDefined)
        return;
    m_paramsDefined = true;
    if (m_defineParams)
        m_defineParams(this);
}

SHORT CXRRegCommand::execute(const std::vector<std::wstring>& arguments, HCPCONTEXT context, CXRCpDlcWnd* task,
                             int* result, std::wstring* error)
{
    defineParams();
    const std::size_t required = static_cast<std::size_t>(
        std::count_if(m_params.begin(), m_params.end(), [](const auto& param) { return param->required(); }));
    if (arguments.size() > m_params.size()) {
        *error = L"too many arguments (at most " + std::to_wstring(m_params.size()) + L")";
        return OOCP_ERR_ARGUMENTS;
    }
    if (arguments.size() < required) {
        *error = L"missing argument (needs " + std::to_wstring(required) + L")";
        return OOCP_ERR_ARGUMENTS;
    }
    CXRCmdExecFrame* frame = m_makeFrame ? m_makeFrame() : nullptr;
    if (!frame || !m_execute) {
        delete frame;
        *error = L"the command has no execution frame or handler";
        return OOCP_ERR_COMMAND;
    }
    frame->setParams(arguments);
    *result = m_execute(frame, context, task);
    delete frame;
    return OOCP_OK;
}
