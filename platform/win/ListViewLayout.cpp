// A list view's geometry.
#include "win/ListViewLayout.h"

#include "win/WindowGeometry.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kRowHeight = WindowGeometry::cellHeight;

} // namespace

ListViewLayout::ListViewLayout(Shape shape, int top, int firstColumn)
    : m_shape(std::move(shape))
    , m_top(top)
{
    m_shape.listColumnWidth = std::max(m_shape.listColumnWidth, 1);
    const int count = static_cast<int>(m_shape.columnWidths.size());
    // At least one column scrolls.
    m_frozen = m_shape.report ? std::clamp(m_shape.frozenColumns, 0, std::max(count - 1, 0)) : 0;
    m_firstColumn = std::clamp(firstColumn, m_frozen, lastFirstColumn());
}

int ListViewLayout::lastFirstColumn() const
{
    if (!m_shape.report)
        return 0;
    const int count = static_cast<int>(m_shape.columnWidths.size());
    const int room = m_shape.client.cx - columnLeft(m_frozen);
    const int total = columnLeft(count);
    int first = m_frozen;
    while (first + 1 < count && total - columnLeft(first) > room)
        ++first;
    return first;
}

int ListViewLayout::firstColumnAfter(int dx) const
{
    const int wanted = columnLeft(m_firstColumn) + dx;
    int first = m_firstColumn;
    if (dx > 0)
        while (first < lastFirstColumn() && columnLeft(first) < wanted)
            ++first;
    else if (dx < 0)
        while (first > m_frozen && columnLeft(first) > wanted)
            --first;
    return first;
}

int ListViewLayout::shownLeft(int column) const { return columnLeft(column) - (column < m_frozen ? 0 : scrolledWidth()); }

int ListViewLayout::rowsInView() const { return std::max<int>((m_shape.client.cy - m_shape.headerHeight) / kRowHeight, 0); }

int ListViewLayout::rowsPerColumn() const { return std::max(rowsInView(), 1); }

int ListViewLayout::itemsPerStep() const { return m_shape.report ? 1 : rowsPerColumn(); }

int ListViewLayout::stepsInView() const
{
    return m_shape.report ? rowsPerColumn() : std::max<int>(m_shape.client.cx / m_shape.listColumnWidth, 1);
}

int ListViewLayout::countPerPage() const { return m_shape.report ? rowsInView() : rowsInView() * stepsInView(); }

int ListViewLayout::topFor(int wantedTop) const
{
    const int perStep = itemsPerStep();
    const int steps = (m_shape.itemCount + perStep - 1) / perStep;
    return std::clamp(wantedTop / perStep, 0, std::max(steps - stepsInView(), 0)) * perStep;
}

int ListViewLayout::topShowing(int index) const
{
    const int perStep = itemsPerStep();
    const int step = index / perStep;
    const int first = m_top / perStep;
    if (step < first)
        return topFor(step * perStep);
    if (step >= first + stepsInView())
        return topFor((step - stepsInView() + 1) * perStep);
    return m_top;
}

int ListViewLayout::columnLeft(int column) const
{
    int left = 0;
    for (int before = 0; before < column && before < static_cast<int>(m_shape.columnWidths.size()); ++before)
        left += m_shape.columnWidths[static_cast<std::size_t>(before)];
    return left;
}

RECT ListViewLayout::itemRect(int index) const
{
    if (m_shape.report) {
        const int top = m_shape.headerHeight + (index - m_top) * kRowHeight;
        return RECT{-scrolledWidth(), top, m_shape.client.cx, top + kRowHeight};
    }
    const int rows = rowsPerColumn();
    const int left = (index / rows - m_top / rows) * m_shape.listColumnWidth;
    const int top = index % rows * kRowHeight;
    return RECT{left, top, left + m_shape.listColumnWidth, top + kRowHeight};
}

std::optional<ListViewLayout::Cell> ListViewLayout::cellAt(POINT point) const
{
    if (point.x < 0 || point.y < m_shape.headerHeight)
        return std::nullopt;
    if (!m_shape.report) {
        const int row = point.y / kRowHeight;
        if (row >= rowsPerColumn())
            return std::nullopt;
        return Cell{m_top + point.x / m_shape.listColumnWidth * rowsPerColumn() + row, 0, point.x % m_shape.listColumnWidth};
    }
    const int index = m_top + (point.y - m_shape.headerHeight) / kRowHeight;
    for (int column = 0; column < static_cast<int>(m_shape.columnWidths.size()); ++column) {
        if (column == m_frozen)
            column = m_firstColumn;
        const int left = shownLeft(column);
        if (point.x >= left && point.x < left + m_shape.columnWidths[static_cast<std::size_t>(column)])
            return Cell{index, column, point.x - left};
    }
    return std::nullopt;
}

int ListViewLayout::visibleWidth(int column) const
{
    if (!m_shape.report)
        return std::min<int>(m_shape.listColumnWidth, m_shape.client.cx);
    if ((column >= m_frozen && column < m_firstColumn) || column >= static_cast<int>(m_shape.columnWidths.size()))
        return 0;
    const int left = shownLeft(column);
    return std::max(std::min<int>(m_shape.columnWidths[static_cast<std::size_t>(column)], m_shape.client.cx - left), 0);
}
