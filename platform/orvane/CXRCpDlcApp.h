// A command module's application object: turns the host's OOCPSRV events (OocpsrvEvents.h) into
// the module's five callbacks and the execute handlers of its registered commands.
#pragma once

#include "OocpsrvEvents.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CXRCpDlcWnd;
class CXRRegCommand;

class CXRCpDlcApp {
public:
    using AppCallback = std::function<int(CXRCpDlcApp* app)>;
    using TaskCallback = std::function<int(CXRCpDlcWnd* task, void* data)>;

    // version and commandTableId are the module's own numbers (1 and the id of its command table
    // resource); the host reads the table itself.
    CXRCpDlcApp(int version, int commandTableId, AppCallback init, TaskCallback taskCreate, TaskCallback taskClose,
                TaskCallback taskDestroy, AppCallback exit);
    ~CXRCpDlcApp();
    CXRCpDlcApp(const CXRCpDlcApp&) = delete;
    CXRCpDlcApp& operator=(const CXRCpDlcApp&) = delete;

    SHORT OOCPSRV(void* data, WORD event, LONG first, LONG second);

    int version() const { return m_version; }
    int commandTableId() const { return m_commandTableId; }
    CXRCpDlcWnd* findTask(LONG taskId) const;
    CXRRegCommand* findCommand(int id) const;

    // Registered commands join the application object constructed last.
    static CXRCpDlcApp* latest();
    void addCommand(CXRRegCommand* command) { m_commands.push_back(command); }
    // A command going away leaves every application object that holds it.
    static void forgetCommand(CXRRegCommand* command);

private:
    int m_version;
    int m_commandTableId;
    AppCallback m_init;
    TaskCallback m_taskCreate;
    TaskCallback m_taskClose;
    TaskCallback m_taskDestroy;
    AppCallback m_exit;
    bool m_initialised = false;
    std::vector<CXRRegCommand*> m_commands;
    std::map<LONG, std::unique_ptr<CXRCpDlcWnd>> m_tasks;

    SHORT execute(OocpExecute* request, LONG commandId, LONG taskId);
};

// The module's application object attaches itself to the framework in its init callback.
SHORT CmdAttachApp(CXRCpDlcApp* app);
CXRCpDlcApp* CmdAttachedApp();
