// Every control kind of the window framework drawn in one place: a table from window class name
// to the function that draws that kind. A new control kind adds one drawer and one table row.
#pragma once

#include "Screen.h"

#include "win/Automation.h"

// Draws the control as described; unknown classes are drawn as a framed box with their text.
void DrawControl(Screen& screen, const WindowInfo& control);
// The open list of a drop-down combo box from its entry topIndex on, drawn over every window: one
// entry to a row, as the framework lays the list out.
void DrawDroppedList(Screen& screen, const WindowInfo& combo, int topIndex);
// The colours of a control: the framework's for its kind and state, or those its dialog set.
Style ControlStyle(const WindowInfo& control, Style normal);
