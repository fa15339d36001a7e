// Drawing list views.
#include "ListViewDrawer.h"

#include "CellGeometry.h"
#include "TerminalColor.h"
#include "Theme.h"

#include "win/CommCtrl.h"

#include <algorithm>

namespace {

using Spans = std::vector<std::pair<int, int>>;

// The report's columns' cells along the row, from their widths in pixels after the client area's
// left edge; the frozen columns stay there, and the columns scrolled out of view lie under them.
Spans columnSpans(const WindowInfo& list)
{
    Spans spans;
    int left = list.clientRect.left;
    for (const ListColumnInfo& column : list.listView.columns) {
        if (spans.size() == static_cast<std::size_t>(list.listView.frozenColumns))
            left -= list.listView.scrolledWidth;
        spans.push_back(CellGeometry::cellSpan(left, left + column.width, CellGeometry::cellWidthPx));
        left += column.width;
    }
    if (spans.empty())
        spans = {CellGeometry::cellSpan(list.clientRect.left, list.clientRect.right, CellGeometry::cellWidthPx)};
    return spans;
}

// The report's columns in view: the frozen ones, then those from the first one in view.
std::vector<std::size_t> shownColumns(const ListViewInfo& view, std::size_t count)
{
    std::vector<std::size_t> shown;
    for (std::size_t column = 0; column < count; ++column)
        if (column < static_cast<std::size_t>(view.frozenColumns) || column >= static_cast<std::size_t>(view.firstColumn))
            shown.push_back(column);
    return shown;
}

// Where a text in cells [x, x + width) of a column of this format begins. A right-aligned or centred
// text leaves the column's last cell free, where a grid line goes; one too long for the column
// begins at its left.
int alignedX(int x, int width, std::wstring_view text, int format)
{
    const int room = width - 1 - static_cast<int>(text.size());
    if (format == LVCFMT_LEFT || room <= 0)
        return x;
    return x + (format == LVCFMT_RIGHT ? room : room / 2);
}

// A column's text in its cells. With a column after it the last cell stays free, so that no text
// runs into the next one's whatever their lengths and alignments.
void columnText(Screen& screen, const Rect& cells, bool followed, std::wstring_view text, int format, Style style)
{
    const Screen::ClipScope clip(screen, followed ? Rect{cells.x, cells.y, cells.width - 1, 1} : cells);
    screen.text(alignedX(cells.x, cells.width, text, format), cells.y, text, style);
}

Style cellStyle(const ListCellInfo& cell, Style row)
{
    if (cell.textColor != CLR_DEFAULT)
        row.fg = NearestTerminalColor(cell.textColor);
    if (cell.backgroundColor != CLR_DEFAULT)
        row.bg = NearestTerminalColor(cell.backgroundColor);
    return row;
}

// A picture of an image list, on the row's background where it is transparent.
void drawImage(Screen& screen, int x, int y, const ListImageInfo& image, Style row)
{
    const Style imageStyle{NearestTerminalColor(image.color), image.transparent ? row.bg : NearestTerminalColor(image.background),
                           Attr::Bold};
    screen.text(x, y, image.glyph, imageStyle);
}

// The item the keys act on while the list has them, marked so that a keyboard user sees where
// they are: the focused one, or the first in view, where the first arrow key puts the focus.
int keyItem(const WindowInfo& list)
{
    const auto& items = list.listView.items;
    if (!list.focused || items.empty())
        return -1;
    const auto focused = std::ranges::find_if(items, &ListItemInfo::focused);
    return focused != items.end() ? static_cast<int>(focused - items.begin()) : list.listView.topIndex;
}

// An item on row y, its columns' texts in the spans given (one in list mode); the item the keys
// act on underlined.
void drawItem(Screen& screen, const WindowInfo& list, const ListItemInfo& item, int y, const Spans& spans, const Rect& cells,
              bool hasKeys)
{
    const ListViewInfo& view = list.listView;
    Style base = !list.enabled ? Theme::disabled : item.selected ? Theme::selection : Theme::window;
    if (hasKeys)
        base = base.with(Attr::Underline);
    const Rect row = view.report ? Rect{cells.x, y, cells.width, 1} : Rect{spans[0].first, y, spans[0].second, 1};
    screen.fill(row.intersected(cells), L' ', base);
    const std::vector<std::size_t> columns =
        view.report ? shownColumns(view, std::min(spans.size(), item.cells.size())) : std::vector<std::size_t>{0};
    for (std::size_t column : columns) {
        const auto [x, width] = spans[column];
        const Screen::ClipScope clip(screen, Rect{x, y, width, 1}.intersected(cells));
        const Style style = item.selected || !list.enabled ? base : cellStyle(item.cells[column], base);
        screen.fill({x, y, width, 1}, L' ', style);
        int textX = x;
        if (column == 0 && item.stateImage > 0 && item.stateImage <= static_cast<int>(view.stateImages.size())) {
            drawImage(screen, x, y, view.stateImages[static_cast<std::size_t>(item.stateImage - 1)], style);
            textX = x + CellGeometry::cellSpan(0, view.stateImageWidth, CellGeometry::cellWidthPx).second;
        }
        if (column == 0 && item.image >= 0 && item.image < static_cast<int>(view.smallImages.size())) {
            const ListImageInfo& image = view.smallImages[static_cast<std::size_t>(item.image)];
            drawImage(screen, textX, y, image, style);
            textX += static_cast<int>(image.glyph.size()) + 1;
        }
        const std::wstring& text = item.cells[column].text;
        const int format = view.report && column < view.columns.size() ? view.columns[column].format : LVCFMT_LEFT;
        const bool followed = column + 1 < spans.size();
        columnText(screen, {textX, y, x + width - textX, 1}, followed, text, format, style);
        // Grid lines part the columns; the state column needs none.
        if ((view.extendedStyle & LVS_EX_GRIDLINES) && column > 0 && followed)
            screen.put(x + width - 1, y, L'│', style.withFg(item.selected ? style.fg : Color::Black).with(Attr::Dim));
    }
}

// List mode: items down a column of cells, then down the next, from the top one in view; marks
// at the bottom corners say that columns lie to the left or the right. The keys act on item keys.
void drawListMode(Screen& screen, const WindowInfo& list, const Rect& client, const Rect& cells, int keys)
{
    const ListViewInfo& view = list.listView;
    const int rows = std::max(view.rowsPerColumn, 1);
    const int count = static_cast<int>(view.items.size());
    for (int index = view.topIndex; index < count; ++index) {
        const int left = list.clientRect.left + (index - view.topIndex) / rows * view.listColumnWidth;
        if (left >= list.clientRect.right)
            break;
        const auto span = CellGeometry::cellSpan(left, left + view.listColumnWidth, CellGeometry::cellWidthPx);
        const int y = client.y + (index - view.topIndex) % rows;
        const bool hasKeys = index == keys;
        drawItem(screen, list, view.items[static_cast<std::size_t>(index)], y, {span}, cells, hasKeys);
        if (hasKeys)
            screen.setCursor(span.first, y);
    }
    if (view.topIndex > 0)
        screen.put(client.x, client.bottom() - 1, L'◄', Theme::button);
    if (view.topIndex + view.countPerPage < count)
        screen.put(client.right() - 1, client.bottom() - 1, L'►', Theme::button);
}

// The report's column titles from the first column in view, with ◄ / ► at its ends when columns
// lie to the left or the right.
void drawHeader(Screen& screen, const WindowInfo& list, const Rect& client)
{
    const ListViewInfo& view = list.listView;
    const Style style = list.enabled ? Theme::statusLine : Theme::disabled;
    const int y = client.y;
    screen.fill({client.x, y, client.width, 1}, L' ', style);
    const auto spans = columnSpans(list);
    const bool scrolled = view.firstColumn > view.frozenColumns;
    for (std::size_t column : shownColumns(view, std::min(spans.size(), view.columns.size()))) {
        const auto [x, width] = spans[column];
        const ListColumnInfo& info = view.columns[column];
        const bool followed = column + 1 < spans.size();
        const bool first = scrolled && column == static_cast<std::size_t>(view.firstColumn);
        const int mark = first ? 1 : 0;
        columnText(screen, {x + mark, y, width - mark, 1}, followed, info.text, info.format, style);
        if (followed)
            screen.put(x + width - 1, y, L'│', style.with(Attr::Dim));
        // Columns lie hidden to the left of the first one in view.
        if (first)
            screen.put(x, y, L'◄', Theme::button);
    }
    int right = list.clientRect.left - view.scrolledWidth;
    for (const ListColumnInfo& column : view.columns)
        right += column.width;
    if (right > list.clientRect.right)
        screen.put(client.right() - 1, y, L'►', Theme::button);
}

} // namespace

void DrawListView(Screen& screen, const WindowInfo& list, const Rect& cells)
{
    const ListViewInfo& view = list.listView;
    const Screen::ClipScope clip(screen, cells);
    screen.fill(cells, L' ', list.enabled ? Theme::window : Theme::disabled);
    const Rect client = CellGeometry::cellsOf(list.clientRect);
    const int keys = keyItem(list);
    if (!view.report) {
        drawListMode(screen, list, client, cells, keys);
        return;
    }
    int y = client.y;
    if (view.showHeader) {
        drawHeader(screen, list, client);
        ++y;
    }
    const int count = static_cast<int>(view.items.size());
    const int first = std::clamp(view.topIndex, 0, std::max(count - 1, 0));
    const int rows = std::min(view.countPerPage, client.bottom() - y);
    for (int index = first; index < count && index - first < rows; ++index) {
        const bool hasKeys = index == keys;
        drawItem(screen, list, view.items[static_cast<std::size_t>(index)], y + index - first, columnSpans(list), cells, hasKeys);
        if (hasKeys)
            screen.setCursor(client.x, y + index - first);
    }
    // Marks at the right edge say that rows lie above or below the ones in view.
    if (first > 0 && rows > 0)
        screen.put(client.right() - 1, y, L'▲', Theme::button);
    if (first + rows < count && rows > 0)
        screen.put(client.right() - 1, y + rows - 1, L'▼', Theme::button);
}
