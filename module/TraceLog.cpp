// Writing trace log entries: date, time, then the caller's text, in text mode.
#include "TraceLog.h"

#include "kernel/CrtFile.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <cstdarg>

void TraceLog(int, const wchar_t* format, ...)
{
    const auto file = CrtFile::open(L"C:\\SRNA.LOG", L"a+");
    if (!file)
        return;
    wchar_t date[9];
    wchar_t time[9];
    _wstrdate_s(date, 9);
    _wstrtime_s(time, 9);
    file->write(FormatWin(L"%s ", date));
    file->write(FormatWin(L"%s: ", time));
    va_list arguments;
    va_start(arguments, format);
    file->write(FormatWinV(format, arguments));
    va_end(arguments);
}
