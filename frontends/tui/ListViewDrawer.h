// A list view on the terminal: in report mode its header row, then a row an item from the top one
// in view, each column where its width in pixels puts it and its texts aligned as its format
// says; in list mode items down columns of cells. State images as their glyphs, the colours the
// list's parent paints items with, the selection reversed and the focused item under the cursor.
#pragma once

#include "Rect.h"
#include "Screen.h"

#include "win/Automation.h"

void DrawListView(Screen& screen, const WindowInfo& list, const Rect& cells);
