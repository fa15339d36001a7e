// List views in text snapshots.
#include "win/ListViewSnapshot.h"

#include "kernel/Text.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr COLORREF kDefault = 0xFF000000;

std::wstring colorText(COLORREF color)
{
    if (color == kDefault)
        return L"-";
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

} // namespace

std::wstring ListItemText(const ListItemInfo& item, std::size_t columns)
{
    std::wstring text;
    for (std::size_t column = 0; column < std::min(columns, item.cells.size()); ++column)
        text += (column ? L" | " : L"") + item.cells[column].text;
    return text;
}

std::wstring ListViewSnapshot(const ListViewInfo& list, const std::wstring& indent)
{
    std::wstring out = indent + L"columns={";
    for (std::size_t column = 0; column < list.columns.size(); ++column)
        out += (column ? L", " : L"") + (L"\"" + LineBreaksNamed(list.columns[column].text) + L"\" ") + std::to_wstring(list.columns[column].width);
    out += L"} items=" + std::to_wstring(list.items.size());
    if (list.firstColumn > list.frozenColumns)
        out += L" first column=" + std::to_wstring(list.firstColumn);
    out += L"\n";
    for (std::size_t index = 0; index < list.items.size(); ++index) {
        const ListItemInfo& item = list.items[index];
        out += indent + L"item " + std::to_wstring(index) + L" state=" + std::to_wstring(item.stateImage);
        if (item.image >= 0 && static_cast<std::size_t>(item.image) < list.smallImages.size())
            out += L" image=" + list.smallImages[static_cast<std::size_t>(item.image)].glyph;
        if (item.selected)
            out += L" selected";
        if (item.focused)
            out += L" focused";
        out += L" \"" + LineBreaksNamed(ListItemText(item)) + L"\"";
        std::wstring colors;
        for (std::size_t column = 0; column < item.cells.size(); ++column) {
            const ListCellInfo& cell = item.cells[column];
            if (cell.textColor != kDefault || cell.backgroundColor != kDefault)
                colors += (colors.empty() ? L"" : L", ") + std::to_wstring(column) + L":" + colorText(cell.textColor) + L"/" +
                          colorText(cell.backgroundColor);
        }
        if (!colors.empty())
            out += L" colours={" + colors + L"}";
        out += L"\n";
    }
    return out;
}
