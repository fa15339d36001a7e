// The handles the host hands its modules, by id: the host supplies them, UtGetHostHandles
// fills a module's slots.
#pragma once

#include "kernel/WinTypes.h"

constexpr WORD UT_HOST_HANDLE_A = 0x4000;
constexpr WORD UT_HOST_HANDLE_B = 0x4001;
constexpr WORD UT_HOST_CP_CONTEXT = 0x4002;
constexpr WORD UT_HOST_WINDOW = 0x4003;
constexpr WORD UT_HOST_HANDLE_D = 0x4004;
constexpr WORD UT_HOST_HANDLE_C = 0x4005;

// One request: the id and the slot to fill. The slot of UT_HOST_WINDOW is an HWND; every other
// slot a 32-bit handle (DWORD).
struct UTHOSTHANDLE {
    WORD wId;
    void* pSlot;
};

constexpr SHORT UT_ERR_HANDLE = 90;

// Fills each slot; UT_ERR_HANDLE when an id is unknown or not supplied (its slot is left alone;
// the others are filled). reserved must be 0.
SHORT UtGetHostHandles(DWORD reserved, UTHOSTHANDLE* handles, int count);
// The host's side: supplies the value of an id (a window handle for UT_HOST_WINDOW).
void UtSetHostHandle(WORD id, UINT_PTR value);
void UtClearHostHandles();
