// A fresh start of the host's framework libraries.
#include "HostState.h"

#include "BspHub.h"
#include "CpCommandQueue.h"
#include "CpVariables.h"
#include "HostHandles.h"
#include "MacroInterpreter.h"
#include "RegisterStore.h"
#include "ViewHelp.h"

void ResetOrvaneState()
{
    BspHub::instance().clear();
    CpCommandQueue::instance().clear();
    CpVariables::instance().clear();
    MacroInterpreter::instance().reset();
    RegisterStore::instance().clear();
    UtClearHostHandles();
    ViewClearHelpRequests();
}
