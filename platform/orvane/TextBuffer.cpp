// Texts copied into callers' buffers.
#include "TextBuffer.h"

#include <algorithm>

int CopyToBuffer(std::wstring_view text, LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    const auto copied = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = L'\0';
    return static_cast<int>(copied);
}
