// The trace log "C:\SRNA.LOG": one timestamped entry a call, appended and flushed at once so that
// entries survive a crash and other programs can read the file between them.
#pragma once

// The level is accepted and changes nothing. The caller's format supplies any line end.
void TraceLog(int level, const wchar_t* format, ...);
