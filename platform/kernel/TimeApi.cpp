// The runtime's time functions, read from the platform clock.
#include "TimeApi.h"

#include "Clock.h"

#include <cerrno>
#include <cwchar>
#include <iomanip>
#include <locale>
#include <sstream>

__time64_t _time64(__time64_t* destination)
{
    const __time64_t now = Clock::nowMs() / 1000;
    if (destination)
        *destination = now;
    return now;
}

int _localtime64_s(std::tm* result, const __time64_t* time)
{
    if (!result || !time)
        return EINVAL;
    const std::time_t value = static_cast<std::time_t>(*time);
    return localtime_r(&value, result) ? 0 : EINVAL;
}

int _gmtime64_s(std::tm* result, const __time64_t* time)
{
    if (!result || !time)
        return EINVAL;
    const std::time_t value = static_cast<std::time_t>(*time);
    return gmtime_r(&value, result) ? 0 : EINVAL;
}

namespace {

int formatNow(wchar_t* buffer, std::size_t size, const wchar_t* format)
{
    if (!buffer || size < 9)
        return ERANGE;
    const __time64_t now = _time64(nullptr);
    std::tm local{};
    _localtime64_s(&local, &now);
    std::wcsftime(buffer, size, format, &local);
    return 0;
}

} // namespace

int _wstrdate_s(wchar_t* buffer, std::size_t size) { return formatNow(buffer, size, L"%m/%d/%y"); }

int _wstrtime_s(wchar_t* buffer, std::size_t size) { return formatNow(buffer, size, L"%H:%M:%S"); }

std::wstring FormatTime(__time64_t time, const wchar_t* format, bool utc)
{
    std::tm parts{};
    if ((utc ? _gmtime64_s(&parts, &time) : _localtime64_s(&parts, &time)) != 0)
        return {};
    std::wostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&parts, format);
    return text.str();
}

void Sleep(DWORD milliseconds) { Clock::advance(milliseconds); }

DWORD GetTickCount() { return Clock::tickCount(); }
