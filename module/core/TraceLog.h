// The trace log "C:\SRNA.LOG": one timestamped entry a call, appended and flushed at once so that
// entries survive a crash and other programs can read the file between them. A log that cannot be
// written is said in the logbook once, each time it stops being written.
#pragma once

// The level is accepted and changes nothing. The caller's format supplies any line end.
void TraceLog(int level, const wchar_t* format, ...);
