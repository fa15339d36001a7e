// The handle and status types shared by Orvane's framework libraries: the command processor, the
// registers, the hotlink hub and the command-module classes.
#pragma once

#include "kernel/WinTypes.h"

// A command-processor context: a 32-bit handle that names the caller of a Cp... call (the host's
// command line, a task). Made by CpCreateContext; 0 is never a valid context.
using HCPCONTEXT = DWORD;

// Host calls answer a 16-bit status, 0 meaning success.
constexpr SHORT CP_OK = 0;
constexpr SHORT CP_ERR_BAD_CONTEXT = 6;
constexpr SHORT CP_ERR_BAD_NAME = 17;
constexpr SHORT CP_ERR_UNKNOWN_VARIABLE = 19;
constexpr SHORT CP_ERR_WRONG_TYPE = 31;
