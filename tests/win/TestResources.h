// The templates the window tests run: registered as resources of the test program.
#pragma once

#include "win/Windows.h"

constexpr WORD testDialogId = 100;
constexpr WORD controlsDialogId = 200;
constexpr WORD testMenuId = 300;
// A strip of three 16-pixel images, two characters each.
constexpr WORD testBitmapId = 400;

// The test program's module handle, its resources registered.
HINSTANCE TestInstance();
