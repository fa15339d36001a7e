// Deletes a folder with everything in it, read-only files included.
#pragma once

#include "kernel/WinTypes.h"

// 0, doing nothing, when path is no existing folder. Otherwise 1, also when some entries could
// not be deleted: each such failure has been shown with the system's text, and the walk went on.
BOOL DeleteFolder(LPCWSTR path);
