// The execution frame the framework gives a registered command's execute handler.
#pragma once

#include "CXRCmdExecFrame.h"

class CXRRegCmdExecFrame : public CXRCmdExecFrame {};
