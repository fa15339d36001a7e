// Keyboard accelerator tables: an RT_ACCELERATOR resource holds an array of ACCEL entries, and
// TranslateAcceleratorW turns a matching key press into the command it names.
#pragma once

#include "win/WinUser.h"

#include <span>

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

// Only virtual-key entries (FVIRTKEY) are kept: the modifiers must be exactly those held.
struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

// The data of an RT_ACCELERATOR resource as the platform keeps it.
struct AcceleratorTemplate {
    std::span<const ACCEL> entries;
};

struct HACCEL__ {
    int unused;
};
using HACCEL = HACCEL__*;

// The table stays with its module's resources; there is nothing to destroy.
HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name);
// A key-down that matches an entry sends WM_COMMAND (the entry's command, 1) to window and is
// taken (TRUE). A command greyed in the window's menu is taken without sending anything.
int TranslateAcceleratorW(HWND window, HACCEL table, LPMSG message);
