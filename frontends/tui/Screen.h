// The screen model: a grid of cells that views draw into and the terminal shows. Tests read it
// without a terminal.
#pragma once

#include "Cell.h"
#include "Rect.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Screen {
public:
    struct Point {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };
    // Cells [x, x + length) of row y that differ from what the terminal shows.
    struct Run {
        int y = 0;
        int x = 0;
        int length = 0;
        bool operator==(const Run&) const = default;
    };

    // Draws inside a smaller clip rectangle for as long as it lives.
    class ClipScope {
    public:
        ClipScope(Screen& screen, const Rect& rect);
        ~ClipScope();
        ClipScope(const ClipScope&) = delete;
        ClipScope& operator=(const ClipScope&) = delete;

    private:
        Screen& m_screen;
        Rect m_saved;
    };

    Screen(int width, int height);

    // A new size clears every cell.
    void resize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }
    Rect bounds() const { return {0, 0, m_width, m_height}; }
    Rect clip() const { return m_clip; }

    const Cell& at(int x, int y) const { return m_cells[index(x, y)]; }
    void put(int x, int y, wchar_t ch, Style style);
    // Writes text on one row; returns the column after it.
    int text(int x, int y, std::wstring_view text, Style style);
    // A control's or menu's text: "&" marks the next character as the mnemonic, drawn in hotStyle;
    // "&&" stands for "&". Returns the column after it.
    int label(int x, int y, std::wstring_view text, Style style, Style hotStyle);
    void fill(const Rect& rect, wchar_t ch, Style style);
    void horizontalLine(int x, int y, int width, Style style);
    // A box line around rect; a double line marks the active window.
    void frame(const Rect& rect, Style style, bool doubleLine = false);

    // Where the terminal's cursor blinks (the focused edit field's caret), if anywhere.
    void setCursor(int x, int y);
    void hideCursor() { m_cursor.reset(); }
    std::optional<Point> cursor() const { return m_cursor; }

    std::wstring rowText(int y) const;
    // Every row, trailing blanks cut, one line each.
    std::wstring snapshot() const;
    std::optional<Point> find(std::wstring_view text) const;

    // What must be sent to a terminal that shows `shown` so that it shows this screen.
    std::vector<Run> changedRuns(const Screen& shown) const;

private:
    int index(int x, int y) const { return y * m_width + x; }

    int m_width = 0;
    int m_height = 0;
    std::vector<Cell> m_cells;
    Rect m_clip;
    std::optional<Point> m_cursor;
};

// The text of a label without its mnemonic marks, and its mnemonic character (0 when none).
std::wstring LabelText(std::wstring_view label);
wchar_t LabelMnemonic(std::wstring_view label);
