// The events the host delivers to a command module through its one entry,
//     SHORT OOCPSRV(void* data, WORD event, LONG first, LONG second),
// and what CXRCpDlcApp makes of them. The host calls OOCP_INIT once after loading the module,
// then task and command events, and OOCP_EXIT before unloading it.
#pragma once

#include "OrvaneTypes.h"

#include <string>
#include <vector>

using OOCPSRVPROC = SHORT (*)(void* data, WORD event, LONG first, LONG second);

// data null, first and second 0: parameter definitions are made, then the init callback runs.
constexpr WORD OOCP_INIT = 1;
// data: the host's task data, handed to the callback; first: the task id (nonzero, chosen by the
// host). A task window (CXRCpDlcWnd) is made for the task before the task-create callback.
constexpr WORD OOCP_TASK_CREATE = 2;
// first: the task id. The task-close callback.
constexpr WORD OOCP_TASK_CLOSE = 3;
// first: the task id. The task-destroy callback; the task window is deleted afterwards.
constexpr WORD OOCP_TASK_DESTROY = 4;
// data: an OocpExecute; first: the command id (from the command table); second: the task id.
constexpr WORD OOCP_EXECUTE = 5;
// data null. The exit callback.
constexpr WORD OOCP_EXIT = 6;

// What OOCPSRV answers for an event (the execute handler's own result is in OocpExecute).
constexpr SHORT OOCP_OK = 0;
constexpr SHORT OOCP_ERR_EVENT = 80;          // an event this framework does not know
constexpr SHORT OOCP_ERR_NOT_INITIALISED = 81; // a task or command event before OOCP_INIT
constexpr SHORT OOCP_ERR_TASK = 82;           // no task of that id (or a task id used twice)
constexpr SHORT OOCP_ERR_COMMAND = 83;        // no registered command of that id
constexpr SHORT OOCP_ERR_ARGUMENTS = 84;      // the arguments do not fit the parameters
constexpr SHORT OOCP_ERR_CALLBACK = 85;       // a callback answered nonzero

// One command execution, filled by the host. The framework puts the arguments into the
// command's execution frame, runs its execute handler and writes back the handler's result, or
// a message when the event fails.
struct OocpExecute {
    HCPCONTEXT context = 0;
    std::vector<std::wstring> arguments;
    int result = 0;
    std::wstring error;
};
