// The drawers of the control kinds, and the table that picks one by class name.
#include "ControlDrawers.h"

#include "CellGeometry.h"
#include "ControlBarDrawers.h"
#include "ListViewDrawer.h"
#include "TerminalColor.h"
#include "Theme.h"

#include "kernel/Text.h"
#include "win/CommCtrl.h"
#include "win/WordWrap.h"

#include <algorithm>
#include <map>

namespace {

using Drawer = void (*)(Screen&, const WindowInfo&, const Rect&);

// The row of a one-line control's text: the row its middle lies in, so that a label and the
// field beside it, centred on each other in the dialog, share a row.
int textRow(const WindowInfo& control, const Rect& cells)
{
    const int middle = CellGeometry::floorDiv((control.windowRect.top + control.windowRect.bottom) / 2, CellGeometry::cellHeightPx);
    return std::clamp(middle, cells.y, std::max(cells.y, cells.bottom() - 1));
}

int textWidth(std::wstring_view text, bool withMnemonic)
{
    return static_cast<int>(withMnemonic ? LabelText(text).size() : text.size());
}

void drawLabel(Screen& screen, int x, int y, std::wstring_view text, Style style, bool withMnemonic)
{
    if (withMnemonic)
        screen.label(x, y, text, style, style.with(Attr::Underline));
    else
        screen.text(x, y, text, style);
}

void drawPushButton(Screen& screen, const WindowInfo& button, const Rect& cells)
{
    const Style style = !button.enabled ? Theme::buttonDisabled
                        : button.focused ? Theme::buttonFocused
                                         : ControlStyle(button, Theme::button);
    const int y = textRow(button, cells);
    const Rect row{cells.x, y, cells.width, 1};
    screen.fill(row, L' ', style);
    // The default button wears angle brackets, the others square ones.
    screen.put(row.x, y, button.isDefault ? L'<' : L'[', button.isDefault ? style.with(Attr::Bold) : style);
    screen.put(row.right() - 1, y, button.isDefault ? L'>' : L']', button.isDefault ? style.with(Attr::Bold) : style);
    const int width = textWidth(button.text, true);
    const Screen::ClipScope clip(screen, row.inner().empty() ? row : Rect{row.x + 1, y, row.width - 2, 1});
    drawLabel(screen, row.x + std::max(1, (row.width - width) / 2), y, button.text, style, true);
}

void drawCheckOrRadio(Screen& screen, const WindowInfo& button, const Rect& cells, bool radio)
{
    const Style style = !button.enabled ? Theme::disabled : ControlStyle(button, Theme::window);
    const int y = textRow(button, cells);
    std::wstring mark = radio ? L"( )" : L"[ ]";
    if (button.checkState & BST_CHECKED)
        mark[1] = radio ? L'•' : L'x';
    else if (button.checkState & BST_INDETERMINATE)
        mark[1] = L'-';
    screen.fill({cells.x, y, cells.width, 1}, L' ', style);
    screen.text(cells.x, y, mark, button.focused ? Theme::selection : style);
    drawLabel(screen, cells.x + 4, y, button.text, style, true);
}

void drawGroupBox(Screen& screen, const WindowInfo& box, const Rect& cells)
{
    const Style style = !box.enabled ? Theme::disabled : ControlStyle(box, Theme::window);
    screen.frame(cells, style);
    if (!box.text.empty()) {
        screen.put(cells.x + 1, cells.y, L' ', style);
        const int end = screen.label(cells.x + 2, cells.y, box.text, style, style.with(Attr::Underline));
        screen.put(end, cells.y, L' ', style);
    }
}

void drawButton(Screen& screen, const WindowInfo& button, const Rect& cells)
{
    switch (button.style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: drawCheckOrRadio(screen, button, cells, false); return;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: drawCheckOrRadio(screen, button, cells, true); return;
    case BS_GROUPBOX: drawGroupBox(screen, button, cells); return;
    default: drawPushButton(screen, button, cells); return;
    }
}

std::wstring iconMark(const std::wstring& iconName)
{
    if (iconName == L"error")
        return L"(X)";
    if (iconName == L"warning")
        return L"/!\\";
    if (iconName == L"question")
        return L"(?)";
    if (iconName == L"information")
        return L"(i)";
    return L"[#]";
}

void drawStatic(Screen& screen, const WindowInfo& label, const Rect& cells)
{
    const Style style = !label.enabled ? Theme::disabled : ControlStyle(label, Theme::window);
    const DWORD kind = label.style & SS_TYPEMASK;
    if (kind == SS_ICON) {
        screen.text(cells.x, cells.y, iconMark(label.iconName), style.with(Attr::Bold));
        return;
    }
    if (kind == SS_ETCHEDHORZ) {
        screen.horizontalLine(cells.x, cells.y, cells.width, style);
        return;
    }
    if (kind == SS_BLACKFRAME || kind == SS_GRAYFRAME || kind == SS_WHITEFRAME || kind == SS_ETCHEDFRAME) {
        screen.frame(cells, style);
        return;
    }
    const bool withMnemonic = !(label.style & SS_NOPREFIX);
    // A label only a little taller than a row is one line. Terminal characters are wider than the
    // dialog font's, so such a line may run on past its rectangle into the empty space beside it.
    const int rows = std::max(1, (label.windowRect.bottom - label.windowRect.top) / CellGeometry::cellHeightPx);
    const bool wrap = rows > 1 && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE;
    const auto lines = WordWrap(label.text, wrap ? cells.width : 0);
    screen.fill(cells, L' ', style);
    const int top = rows > 1 ? cells.y : textRow(label, cells);
    for (int i = 0; i < static_cast<int>(lines.size()) && i < rows; ++i) {
        const int width = textWidth(lines[i], withMnemonic);
        int x = cells.x;
        if (kind == SS_CENTER)
            x += std::max(0, (cells.width - width) / 2);
        else if (kind == SS_RIGHT)
            x += std::max(0, cells.width - width);
        drawLabel(screen, x, top + i, lines[i], style, withMnemonic);
    }
}

Style fieldStyle(const WindowInfo& field)
{
    if (!field.enabled)
        return Theme::disabled;
    return ControlStyle(field, field.readOnly ? Theme::fieldReadOnly : field.focused ? Theme::fieldFocused : Theme::field);
}

// One line of editable text: scrolled so that the caret shows, selection reversed, caret placed.
void drawFieldLine(Screen& screen, const WindowInfo& field, const Rect& row)
{
    const Style style = fieldStyle(field);
    screen.fill(row, L' ', style);
    const std::size_t caret = std::min<std::size_t>(field.selectionEnd, field.text.size());
    const auto room = static_cast<std::size_t>(std::max(1, row.width - 1));
    const std::size_t first = caret >= room ? caret - room : 0;
    const Screen::ClipScope clip(screen, row);
    const auto from = std::min(field.selectionStart, field.selectionEnd);
    const auto to = std::max(field.selectionStart, field.selectionEnd);
    for (std::size_t i = first; i < field.text.size(); ++i) {
        const bool selected = field.focused && i >= from && i < to;
        screen.put(row.x + static_cast<int>(i - first), row.y, field.text[i], selected ? Theme::selection : style);
    }
    if (field.focused && !field.readOnly)
        screen.setCursor(row.x + static_cast<int>(caret - first), row.y);
}

// Text to read, from the edit's first visible row, with ▲ / ▼ at the right where more lies above
// or below.
void drawReadOnlyText(Screen& screen, const WindowInfo& edit, const Rect& cells, const std::vector<std::wstring>& rows)
{
    const Style style = fieldStyle(edit);
    const int count = static_cast<int>(rows.size());
    const int first = std::clamp(edit.firstVisibleLine, 0, std::max(0, count - 1));
    const Screen::ClipScope clip(screen, cells);
    for (int i = first; i < count && i - first < cells.height; ++i)
        screen.text(cells.x, cells.y + i - first, rows[i], style);
    if (first > 0)
        screen.put(cells.right() - 1, cells.y, L'▲', style.with(Attr::Bold));
    if (count - first > cells.height)
        screen.put(cells.right() - 1, cells.bottom() - 1, L'▼', style.with(Attr::Bold));
}

void drawEdit(Screen& screen, const WindowInfo& edit, const Rect& cells)
{
    if (!(edit.style & ES_MULTILINE)) {
        drawFieldLine(screen, edit, {cells.x, textRow(edit, cells), cells.width, 1});
        return;
    }
    const Style style = fieldStyle(edit);
    screen.fill(cells, L' ', style);
    // Wrapped where the edit wraps, so that its scrolling reaches every row drawn.
    const auto rows = WordWrap(edit.text, edit.wrapColumns);
    if (edit.readOnly) {
        drawReadOnlyText(screen, edit, cells, rows);
        return;
    }
    // The rows that end with the caret's row, so that typing stays in sight.
    const int shown = std::max(0, static_cast<int>(rows.size()) - cells.height);
    for (int i = shown; i < static_cast<int>(rows.size()); ++i)
        screen.text(cells.x, cells.y + i - shown, rows[i], style);
    if (edit.focused && !edit.readOnly && !rows.empty()) {
        const int last = static_cast<int>(rows.size()) - 1 - shown;
        screen.setCursor(cells.x + static_cast<int>(rows.back().size()), cells.y + last);
    }
}

void drawComboBox(Screen& screen, const WindowInfo& combo, const Rect& cells)
{
    const Rect row{cells.x, textRow(combo, cells), cells.width, 1};
    const bool editable = (combo.style & 0x3) == CBS_DROPDOWN || (combo.style & 0x3) == CBS_SIMPLE;
    if (editable) {
        drawFieldLine(screen, combo, {row.x, row.y, row.width - 1, 1});
    } else {
        const Style style = fieldStyle(combo);
        screen.fill(row, L' ', style);
        const Screen::ClipScope clip(screen, {row.x, row.y, row.width - 1, 1});
        const bool valid = combo.currentSelection >= 0 && combo.currentSelection < static_cast<int>(combo.items.size());
        screen.text(row.x, row.y, valid ? combo.items[combo.currentSelection] : combo.text, style);
    }
    screen.put(row.right() - 1, row.y, L'▼', combo.enabled ? Theme::button : Theme::buttonDisabled);
}

void drawUpDown(Screen& screen, const WindowInfo& arrows, const Rect& cells)
{
    const Style style = arrows.enabled ? Theme::button : Theme::buttonDisabled;
    const bool horizontal = arrows.style & UDS_HORZ;
    if (horizontal || cells.height < 2) {
        screen.text(cells.x, textRow(arrows, cells), horizontal ? L"◄►" : L"▲▼", style);
        return;
    }
    screen.put(cells.x + (cells.width - 1) / 2, cells.y, L'▲', style);
    screen.put(cells.x + (cells.width - 1) / 2, cells.bottom() - 1, L'▼', style);
}

// The done part of the range in █, the rest in ░, across every row of the bar.
void drawProgress(Screen& screen, const WindowInfo& bar, const Rect& cells)
{
    const Style style = bar.enabled ? Theme::window : Theme::disabled;
    const long long span = static_cast<long long>(bar.rangeHigh) - bar.rangeLow;
    const long long done = span == 0 ? 0 : (static_cast<long long>(bar.position) - bar.rangeLow) * cells.width / span;
    const int filled = static_cast<int>(std::clamp<long long>(done, 0, cells.width));
    for (int y = cells.y; y < cells.bottom(); ++y) {
        screen.fill({cells.x, y, filled, 1}, L'█', style);
        screen.fill({cells.x + filled, y, cells.width - filled, 1}, L'░', style);
    }
}

void drawUnknown(Screen& screen, const WindowInfo& window, const Rect& cells)
{
    const Style style = window.enabled ? Theme::window : Theme::disabled;
    screen.fill(cells, L' ', style);
    screen.frame(cells, style);
    const Screen::ClipScope clip(screen, {cells.x + 1, cells.y, cells.width - 2, 1});
    screen.text(cells.x + 1, cells.y, window.text.empty() ? window.className : window.text, style);
}

const std::map<std::wstring, Drawer>& drawers()
{
    static const std::map<std::wstring, Drawer> table = {
        {L"button", drawButton},
        {L"static", drawStatic},
        {L"edit", drawEdit},
        {L"combobox", drawComboBox},
        {ToLowerWide(UPDOWN_CLASSW), drawUpDown},
        {ToLowerWide(PROGRESS_CLASSW), drawProgress},
        {ToLowerWide(WC_LISTVIEWW), DrawListView},
        {ToLowerWide(TOOLBARCLASSNAMEW), DrawToolBar},
        {ToLowerWide(STATUSCLASSNAMEW), DrawStatusBar},
        // A list draws its own header.
        {ToLowerWide(WC_HEADERW), [](Screen&, const WindowInfo&, const Rect&) {}},
    };
    return table;
}

} // namespace

Style ControlStyle(const WindowInfo& control, Style normal)
{
    if (!control.hasColors)
        return normal;
    return {NearestTerminalColor(control.textColor), NearestTerminalColor(control.backgroundColor), normal.attrs};
}

void DrawControl(Screen& screen, const WindowInfo& control)
{
    const Rect cells = CellGeometry::cellsOf(control.windowRect);
    const auto& table = drawers();
    const auto found = table.find(ToLowerWide(control.className));
    (found == table.end() ? drawUnknown : found->second)(screen, control, cells);
}

void DrawDroppedList(Screen& screen, const WindowInfo& combo, int topIndex)
{
    const Rect cells = CellGeometry::cellsOf(combo.droppedRect);
    {
        // A frame beside and under the list, so that it does not read as part of the field or of
        // what lies below; the field's own row stays as it is.
        const Rect frame{cells.x - 1, cells.y - 1, cells.width + 2, cells.height + 2};
        const Screen::ClipScope sides(screen, {frame.x, cells.y, frame.width, frame.height - 1});
        screen.frame(frame, Theme::listItem);
    }
    const Screen::ClipScope clip(screen, cells);
    screen.fill(cells, L' ', Theme::listItem);
    const int count = static_cast<int>(combo.items.size());
    for (int i = std::max(0, topIndex); i < count && i - topIndex < cells.height; ++i)
        screen.text(cells.x, cells.y + i - topIndex, combo.items[i], i == combo.currentSelection ? Theme::selection : Theme::listItem);
}
