// The application object's dispatch of the host's events.
#include "CXRCpDlcApp.h"

#include "CXRCpDlcWnd.h"
#include "CXRRegCommand.h"

#include <algorithm>

namespace {

std::vector<CXRCpDlcApp*>& liveApps()
{
    static std::vector<CXRCpDlcApp*> apps;
    return apps;
}

CXRCpDlcApp*& attachedApp()
{
    static CXRCpDlcApp* app = nullptr;
    return app;
}

SHORT callbackStatus(int result)
{
    return result == 0 ? OOCP_OK : OOCP_ERR_CALLBACK;
}

} // namespace

CXRCpDlcApp::CXRCpDlcApp(int version, int commandTableId, AppCallback init, TaskCallback taskCreate,
                         TaskCallback taskClose, TaskCallback taskDestroy, AppCallback exit)
    : m_version(version), m_commandTableId(commandTableId), m_init(std::move(init)), m_taskCreate(std::move(taskCreate)),
      m_taskClose(std::move(taskClose)), m_taskDestroy(std::move(taskDestroy)), m_exit(std::move(exit))
{
    liveApps().push_back(this);
}

CXRCpDlcApp::~CXRCpDlcApp()
{
    std::erase(liveApps(), this);
    if (attachedApp() == this)
        attachedApp() = nullptr;
}

CXRCpDlcApp* CXRCpDlcApp::latest()
{
    return liveApps().empty() ? nullptr : liveApps().back();
}

void CXRCpDlcApp::forgetCommand(CXRRegCommand* command)
{
    for (CXRCpDlcApp* app : liveApps())
        std::erase(app->m_commands, command);
}

CXRCpDlcWnd* CXRCpDlcApp::findTask(LONG taskId) const
{
    const auto found = m_tasks.find(taskId);
    return found == m_tasks.end() ? nullptr : found->second.get();
}

CXRRegCommand* CXRCpDlcApp::findCommand(int id) const
{
    const auto found = std::find_if(m_commands.begin(), m_commands.end(),
                                    [id](const CXRRegCommand* command) { return command->id() == id; });
    return found == m_commands.end() ? nullptr : *found;
}

SHORT CXRCpDlcApp::OOCPSRV(void* data, WORD event, LONG first, LONG second)
{
    if (event == OOCP_INIT) {
        if (m_initialised)
            return OOCP_ERR_EVENT;
        m_initialised = true;
        for (CXRRegCommand* command : m_commands)
            command->defineParams();
        return callbackStatus(m_init ? m_init(this) : 0);
    }
    if (event < OOCP_INIT || event > OOCP_EXIT)
        return OOCP_ERR_EVENT;
    if (!m_initialised)
        return OOCP_ERR_NOT_INITIALISED;
    switch (event) {
    case OOCP_TASK_CREATE: {
        if (first == 0 || findTask(first))
            return OOCP_ERR_TASK;
        CXRCpDlcWnd* task = (m_tasks[first] = std::make_unique<CXRCpDlcWnd>(first)).get();
        return callbackStatus(m_taskCreate ? m_taskCreate(task, data) : 0);
    }
    case OOCP_TASK_CLOSE: {
        CXRCpDlcWnd* task = findTask(first);
        if (!task)
            return OOCP_ERR_TASK;
        return callbackStatus(m_taskClose ? m_taskClose(task, data) : 0);
    }
    case OOCP_TASK_DESTROY: {
        CXRCpDlcWnd* task = findTask(first);
        if (!task)
            return OOCP_ERR_TASK;
        const int result = m_taskDestroy ? m_taskDestroy(task, data) : 0;
        m_tasks.erase(first);
        return callbackStatus(result);
    }
    case OOCP_EXECUTE:
        return execute(static_cast<OocpExecute*>(data), first, second);
    default: // OOCP_EXIT
        m_initialised = false;
        m_tasks.clear();
        return callbackStatus(m_exit ? m_exit(this) : 0);
    }
}

SHORT CXRCpDlcApp::execute(OocpExecute* request, LONG commandId, LONG taskId)
{
    if (!request)
        return OOCP_ERR_ARGUMENTS;
    CXRRegCommand* command = findCommand(commandId);
    if (!command) {
        request->error = L"the module has no command with the id " + std::to_wstring(commandId);
        return OOCP_ERR_COMMAND;
    }
    CXRCpDlcWnd* task = findTask(taskId);
    if (!task) {
        request->error = L"there is no task " + std::to_wstring(taskId);
        return OOCP_ERR_TASK;
    }
    return command->execute(request->arguments, request->context, task, &request->result, &request->error);
}

SHORT CmdAttachApp(CXRCpDlcApp* app)
{
    attachedApp() = app;
    return app ? OOCP_OK : OOCP_ERR_EVENT;
}

CXRCpDlcApp* CmdAttachedApp()
{
    return attachedApp();
}
