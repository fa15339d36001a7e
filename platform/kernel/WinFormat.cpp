// Translates each conversion of a Windows wide format into the Linux one that reads the same
// argument, and formats it alone.
#include "WinFormat.h"

#include "Text.h"

#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <string_view>

namespace {

// Formats one conversion spelled as Linux reads it; the argument is given already read.
template <typename T>
std::wstring formatOne(const std::wstring& linuxConversion, T value)
{
    std::wstring out(64, L'\0');
    for (;;) {
        const int written = std::swprintf(out.data(), out.size(), linuxConversion.c_str(), value);
        if (written >= 0 && static_cast<std::size_t>(written) < out.size()) {
            out.resize(written);
            return out;
        }
        out.resize(out.size() * 4);
    }
}

} // namespace

std::wstring FormatWin(const wchar_t* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::wstring out = FormatWinV(format, arguments);
    va_end(arguments);
    return out;
}

std::wstring FormatWinV(const wchar_t* format, va_list arguments)
{
    std::wstring out;
    if (!format)
        return out;
    va_list args;
    va_copy(args, arguments);
    const std::wstring_view text(format);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') {
            out += text[i];
            continue;
        }
        // flags, width, precision (a * takes an int argument)
        const std::size_t start = i;
        std::wstring linuxConversion = L"%";
        std::size_t j = i + 1;
        while (j < text.size() && std::wstring_view(L"-+ #0").find(text[j]) != std::wstring_view::npos)
            linuxConversion += text[j++];
        auto takeNumber = [&] {
            if (j < text.size() && text[j] == L'*') {
                linuxConversion += std::to_wstring(va_arg(args, int));
                ++j;
                return;
            }
            while (j < text.size() && std::iswdigit(text[j]))
                linuxConversion += text[j++];
        };
        takeNumber();
        if (j < text.size() && text[j] == L'.') {
            linuxConversion += text[j++];
            takeNumber();
        }
        // size modifiers: h, l (32 bits on Windows), ll, I64, w
        enum class Size { Normal, Short, Wide, Narrow, Long64 } size = Size::Normal;
        if (text.substr(j, 3) == L"I64") {
            size = Size::Long64;
            j += 3;
        } else if (text.substr(j, 2) == L"ll") {
            size = Size::Long64;
            j += 2;
        } else if (j < text.size() && (text[j] == L'l' || text[j] == L'w')) {
            size = Size::Wide;
            ++j;
        } else if (j < text.size() && text[j] == L'h') {
            size = Size::Short;
            ++j;
        }
        if (j >= text.size()) {
            out += text.substr(i);
            break;
        }
        const wchar_t conversion = text[j];
        i = j;
        switch (conversion) {
        case L'%':
            out += L'%';
            break;
        case L'd':
        case L'i':
            if (size == Size::Long64)
                out += formatOne(linuxConversion + L"lld", va_arg(args, long long));
            else
                out += formatOne(linuxConversion + L"d", va_arg(args, int));
            break;
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            if (size == Size::Long64)
                out += formatOne(linuxConversion + L"ll" + conversion, va_arg(args, unsigned long long));
            else
                out += formatOne(linuxConversion + conversion, va_arg(args, unsigned int));
            break;
        case L'c':
        case L'C': {
            const bool narrow = conversion == L'C' ? size != Size::Wide : size == Size::Short;
            const int value = va_arg(args, int);
            const wchar_t c = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
            out += formatOne(linuxConversion + L"lc", static_cast<wint_t>(c));
            break;
        }
        case L's':
        case L'S': {
            // In a wide format %s is wide and %S narrow; h and l force either.
            const bool narrow = size == Size::Short || (conversion == L'S' && size != Size::Wide);
            std::wstring value;
            if (narrow) {
                const char* s = va_arg(args, const char*);
                value = s ? Utf8ToWide(s) : L"(null)";
            } else {
                const wchar_t* s = va_arg(args, const wchar_t*);
                value = s ? s : L"(null)";
            }
            out += formatOne(linuxConversion + L"ls", value.c_str());
            break;
        }
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
            out += formatOne(linuxConversion + conversion, va_arg(args, double));
            break;
        case L'p':
            out += formatOne(std::wstring(L"%p"), va_arg(args, void*));
            break;
        default:
            // An unknown conversion is kept as written, consuming nothing.
            out += text.substr(start, j - start + 1);
            break;
        }
    }
    va_end(args);
    return out;
}
