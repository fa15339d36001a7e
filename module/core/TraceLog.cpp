// Writing trace log entries: date, time, then the caller's text, in text mode.
#include "TraceLog.h"

#include "LogbookWrite.h"
#include "ModuleString.h"

#include "resources/ResourceIds.h"

#include "kernel/CrtFile.h"
#include "kernel/DriveMap.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <cstdarg>
#include <filesystem>
#include <memory>

namespace {

constexpr const wchar_t* kTraceLogPath = L"C:\\SRNA.LOG";

// The file stays open between entries; it is opened again when the log now lands elsewhere (a new
// root) or was deleted, so that an entry never goes to a file nobody can read. Asking the open file
// whether it was deleted spares a lookup of its path at every entry.
CrtFile* OpenTraceLog()
{
    static std::unique_ptr<CrtFile> file;
    static std::filesystem::path root;
    if (file && DriveMap::root() == root && file->named())
        return file.get();
    file = CrtFile::open(kTraceLogPath, L"a+");
    root = DriveMap::root();
    return file.get();
}

} // namespace

void TraceLog(int, const wchar_t* format, ...)
{
    // Said in the logbook once each time the log stops being written, not at every entry lost.
    static bool bUnwritableSaid = false;
    CrtFile* file = OpenTraceLog();
    bool bWritten = false;
    if (file) {
        wchar_t date[9];
        wchar_t time[9];
        _wstrdate_s(date, 9);
        _wstrtime_s(time, 9);
        va_list arguments;
        va_start(arguments, format);
        bWritten = file->write(FormatWin(L"%s %s: ", date, time) + FormatWinV(format, arguments));
        va_end(arguments);
    }
    if (!bWritten && !bUnwritableSaid)
        LogbookWrite(FormatWin(ModuleString(IDS_TRACE_LOG_UNWRITABLE).c_str(), kTraceLogPath));
    bUnwritableSaid = !bWritten;
}
