// The command processor's calls as the module makes them: host variables, queued command lines
// and the contexts that name the caller.
#pragma once

#include "OrvaneTypes.h"

// A new context (never 0). The host makes one for its command line and one per task.
HCPCONTEXT CpCreateContext();
void CpDestroyContext(HCPCONTEXT context);
bool CpIsValidContext(HCPCONTEXT context);

// Queues a command line that the host runs after the current handler returns; the three
// trailing arguments are reserved and must be 0. CP_ERR_BAD_CONTEXT for an unknown context.
SHORT CpExecCommand(HCPCONTEXT context, LPCWSTR line, int reserved1, int reserved2, int reserved3);

SHORT CpSetNumVar(HCPCONTEXT context, LPCSTR name, double value);
SHORT CpSetStrVar(HCPCONTEXT context, LPCSTR name, LPCWSTR value);
// CP_ERR_UNKNOWN_VARIABLE for an unknown name, CP_ERR_WRONG_TYPE for a text variable.
SHORT CpGetNumVar(HCPCONTEXT context, LPCSTR name, double* value);
// 0 when the whole text and its terminating zero were written. CP_ERR_UNKNOWN_VARIABLE (19) or
// CP_ERR_WRONG_TYPE (31) when the variable cannot be read as a text. Without a buffer and with
// capacity 0 it answers r <= 0: the text needs 1-r characters with its terminating zero. A
// buffer too small receives as much as fits, terminated, and the same negative answer.
SHORT CpGetStrVar(HCPCONTEXT context, LPCSTR name, LPWSTR buffer, int capacity);
