// The module's two registered macro commands, FIARUNNER and FIACONTROL: their execute handlers,
// their one optional string parameter and their execution frames.
#pragma once

#include "orvane/OrvaneTypes.h"

class CXRCmdExecFrame;
class CXRCpDlcWnd;
class CXRRegCommand;

constexpr int ID_CMD_FIACONTROL = 1001;
constexpr int ID_CMD_FIARUNNER = 1002;

// Reads the host's paths into ModuleSettings and opens the main viewer, replacing an open one;
// the parameter "CONTROL" (any case) switches access control on first.
int FiaRunnerExecute(CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd* task);
// After a logon: empty or "ON" (any case) switches access control on, anything else off.
int FiaControlExecute(CXRCmdExecFrame* frame, HCPCONTEXT context, CXRCpDlcWnd* task);
// One unnamed, positional string parameter.
int DefineCommandParams(CXRRegCommand* command);
CXRCmdExecFrame* CreateCommandFrame();
