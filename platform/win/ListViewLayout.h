// Where a list view's items lie in its client area: in report mode a row each under the header,
// in list mode down columns of cells as high as the list, then down the next column. Scrolling
// goes by steps, a row in report mode and a column of items in list mode, so the first item in
// view always starts a step. A report whose columns are wider than the client area scrolls
// sideways by whole columns, never past the point where the last column shows; its first columns
// may be frozen: they stay in place and the others scroll beside them.
#pragma once

#include "win/WinUser.h"

#include <optional>
#include <vector>

class ListViewLayout {
public:
    struct Shape {
        bool report = true;
        SIZE client{};
        int headerHeight = 0;             // report mode, when the header shows
        std::vector<int> columnWidths;    // report mode
        int frozenColumns = 0;            // report mode: the leading columns that do not scroll
        int listColumnWidth = 0;          // list mode: every column of items is this wide
        int itemCount = 0;
    };
    // An item's cell under a point: the item (perhaps past the last one), its column (0 in list
    // mode) and the point's distance from the left of the item's column.
    struct Cell {
        int index = -1;
        int column = 0;
        int xInColumn = 0;
    };

    // firstColumn is the report's first column in view, as wished: kept within bounds.
    ListViewLayout(Shape shape, int top, int firstColumn);

    int countPerPage() const;
    int rowsPerColumn() const;
    int itemsPerStep() const;
    // The top item for a wish: within bounds and starting a step.
    int topFor(int wantedTop) const;
    // The top item that brings index into view, moving as little as it takes.
    int topShowing(int index) const;
    RECT itemRect(int index) const;
    // None above or left of the client area, on the header, past the last column or row of cells.
    std::optional<Cell> cellAt(POINT point) const;
    // What the client area shows of a column's width: a text wider than this is cut.
    int visibleWidth(int column) const;
    // The first column in view after the frozen ones.
    int firstColumn() const { return m_firstColumn; }
    int frozenColumns() const { return m_frozen; }
    // The width of the columns scrolled out of view, in pixels.
    int scrolledWidth() const { return columnLeft(m_firstColumn) - columnLeft(m_frozen); }
    // A column's left edge in the client area: a frozen one's stays, the others' move with the scrolling.
    int shownLeft(int column) const;
    // The first column after scrolling by dx pixels: at least a column whichever way dx points.
    int firstColumnAfter(int dx) const;

private:
    int rowsInView() const;
    int stepsInView() const;
    // From the left of column 0, however far the report is scrolled.
    int columnLeft(int column) const;
    int lastFirstColumn() const;

    Shape m_shape;
    int m_top;
    int m_frozen;
    int m_firstColumn;
};
