// Opening and closing the module's one main viewer, which the module keeps.
#pragma once

#include "kernel/WinTypes.h"

class CDialogMainViewer;
class CWnd;

// The viewer, from its opening until its close; null otherwise. The window lives while it is set.
CDialogMainViewer* MainViewer();

// Creates the viewer from its template, owned by pParent's window, shows it and greys the
// host's menu entry. FALSE when the language library made no window; the object is kept then, so
// that the next close deletes it.
BOOL OpenMainViewer(CWnd* pParent);
// Destroys the viewer's window and the object, when there is one.
void CloseMainViewer();
// A viewer that runs a group, or is still opening, must not be replaced: it is brought to the
// front and TRUE is the answer.
BOOL RaiseBusyMainViewer();
