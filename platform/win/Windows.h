// Everything of the Windows user interface in one include, as <windows.h> and <commctrl.h> give it.
#pragma once

#include "kernel/Resources.h"
#include "kernel/WinTypes.h"
#include "win/CommCtrl.h"
#include "win/WinGdi.h"
#include "win/WinUser.h"
