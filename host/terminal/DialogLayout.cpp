// Where a dialog's controls go on the terminal.
#include "terminal/DialogLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "terminal/TerminalText.h"

namespace ilt {
namespace {

// A line of text is 8 dialog units high. Dialog text is proportional and
// averages about 3 dialog units a character (the 4-unit "average character"
// of the base units is wider than most letters), so labels sized for it need
// 3 units a column to fit; a 234-unit wide dialog then takes 78 columns.
constexpr int kDialogUnitsPerColumn = 3;
constexpr int kDialogUnitsPerRow = 8;
// A list view keeps its frame, its heading and at least one row.
constexpr int kSmallestList = 4;
// Sizes beyond any terminal, for finding the smallest one in one direction.
constexpr int kAmple = 1000;

// What the layout needs of a dialog, read once.
struct Geometry {
    RECT client{};
    double cellWidth = 6;    // pixels of 3 dialog units across
    double cellHeight = 13;  // pixels of 8 dialog units down
    std::vector<ControlInfo> controls;
};

Geometry ReadGeometry(HWND dialog)
{
    Geometry geometry;
    GetClientRect(dialog, &geometry.client);
    // The pixels of 400 x 800 units give the ratio without rounding.
    RECT units{0, 0, 400, 800};
    if (!MapDialogRect(dialog, &units) || units.right <= 0 || units.bottom <= 0)
        units = RECT{0, 0, 600, 1300};
    geometry.cellWidth = units.right / 400.0 * kDialogUnitsPerColumn;
    geometry.cellHeight = units.bottom / 800.0 * kDialogUnitsPerRow;
    geometry.controls = ReadControls(dialog);
    return geometry;
}

// The list view that takes the rows the terminal has to spare, or gives up
// rows where it has too few: the tallest visible one.
const ControlInfo* StretchingList(const std::vector<ControlInfo>& controls)
{
    const ControlInfo* tallest = nullptr;
    for (const ControlInfo& control : controls) {
        if (control.visible && control.kind == ControlKind::ListView &&
            (tallest == nullptr || control.rect.bottom - control.rect.top > tallest->rect.bottom - tallest->rect.top))
            tallest = &control;
    }
    return tallest;
}

// The rows of a control of rows [top, bottom) that it cannot do without: a
// button's face, a drop-down's own line, every row of anything else.
std::pair<int, int> EssentialRows(const ControlInfo& control, int top, int bottom)
{
    switch (control.kind) {
    case ControlKind::PushButton: {
        const int face = top + (bottom - top - 1) / 2;
        return {face, face + 1};
    }
    case ControlKind::ComboBox:
    case ControlKind::CheckBox:
    case ControlKind::Edit: return {top, top + 1};
    case ControlKind::GroupBox:
    case ControlKind::Picture: return {top, top};
    default: return {top, std::max(bottom, top + 1)};
    }
}

// The rows a placed control paints: those EssentialRows keeps.
std::pair<int, int> PaintedRows(const PlacedControl& placed)
{
    return EssentialRows(placed.control, placed.row, placed.row + placed.height);
}

struct Arrangement {
    DialogLayout layout;
    bool rowsFit = true;
    bool columnsFit = true;
};

// The layout on a screen of `columns` x `rows`, and whether each direction fits.
Arrangement Arrange(const Geometry& geometry, int columns, int rows, bool unicode)
{
    Arrangement arrangement;
    DialogLayout& layout = arrangement.layout;
    double cellWidth = geometry.cellWidth;
    const double cellHeight = geometry.cellHeight;
    const RECT& client = geometry.client;
    int innerColumns = std::max(1, static_cast<int>(std::ceil(client.right / cellWidth - 0.01)));
    int innerRows = std::max(1, static_cast<int>(std::ceil(client.bottom / cellHeight - 0.01)));
    // Two columns and rows for the frame, and the bottom line for the keys.
    const int availableColumns = std::max(columns - 2, 1);
    const int availableRows = std::max(rows - 3, 1);
    if (innerColumns > availableColumns) {
        cellWidth = static_cast<double>(client.right) / availableColumns;
        innerColumns = availableColumns;
    }

    // Each control's rows at 8 dialog units a row; the rows below the
    // stretching list move with its bottom.
    const ControlInfo* list = StretchingList(geometry.controls);
    int stretchFrom = innerRows;
    int stretch = 0;
    if (list != nullptr) {
        const int listRows = ToCells(list->rect.bottom, cellHeight) - ToCells(list->rect.top, cellHeight);
        stretch = std::max(availableRows - innerRows, kSmallestList - listRows);
        stretchFrom = ToCells(list->rect.bottom, cellHeight);
        innerRows += stretch;
    }
    const auto naturalRow = [&](LONG pixels) {
        const int row = ToCells(pixels, cellHeight);
        return row >= stretchFrom ? row + stretch : row;
    };

    // Too few rows still: blank rows go, the longest run of them first.
    std::vector<bool> essential(static_cast<std::size_t>(std::max(innerRows, 0)), false);
    for (const ControlInfo& control : geometry.controls) {
        if (!control.visible)
            continue;
        const auto [from, to] = EssentialRows(control, naturalRow(control.rect.top), naturalRow(control.rect.bottom));
        for (int row = std::max(from, 0); row < std::min(to, innerRows); ++row)
            essential[static_cast<std::size_t>(row)] = true;
    }
    std::vector<bool> removed(essential.size(), false);
    for (int excess = innerRows - availableRows; excess > 0; --excess) {
        int bestStart = -1;
        int bestLength = 0;
        for (int row = 0; row < innerRows;) {
            if (essential[static_cast<std::size_t>(row)] || removed[static_cast<std::size_t>(row)]) {
                ++row;
                continue;
            }
            int end = row;
            while (end < innerRows && !essential[static_cast<std::size_t>(end)] &&
                   !removed[static_cast<std::size_t>(end)])
                ++end;
            if (end - row > bestLength) {
                bestStart = row;
                bestLength = end - row;
            }
            row = end;
        }
        if (bestStart < 0) {
            arrangement.rowsFit = false;
            break;
        }
        removed[static_cast<std::size_t>(bestStart + bestLength / 2)] = true;
    }
    const auto rowOf = [&](LONG pixels) {
        int row = naturalRow(pixels);
        const int natural = row;
        for (int r = 0; r < natural && r < innerRows; ++r) {
            if (removed[static_cast<std::size_t>(r)])
                --row;
        }
        return row;
    };
    innerRows -= static_cast<int>(std::count(removed.begin(), removed.end(), true));
    innerRows = std::clamp(innerRows, 1, availableRows);

    layout.frameWidth = innerColumns + 2;
    layout.frameHeight = innerRows + 2;
    layout.frameLeft = std::max((columns - layout.frameWidth) / 2, 0);
    layout.frameTop = std::max((rows - 1 - layout.frameHeight) / 2, 0);
    layout.stretchingList = list != nullptr ? list->hwnd : nullptr;
    for (const ControlInfo& control : geometry.controls) {
        PlacedControl item;
        const int column = std::clamp(ToCells(control.rect.left, cellWidth), 0, innerColumns - 1);
        const int row = std::clamp(rowOf(control.rect.top), 0, innerRows - 1);
        const int right = std::clamp(ToCells(control.rect.right, cellWidth), column + 1, innerColumns);
        const int bottom = std::clamp(rowOf(control.rect.bottom), row + 1, innerRows);
        item.row = layout.frameTop + 1 + row;
        item.column = layout.frameLeft + 1 + column;
        item.width = right - column;
        item.height = bottom - row;
        item.control = control;
        layout.controls.push_back(std::move(item));
    }
    layout.cellWidth = cellWidth;
    layout.cellHeight = cellHeight;

    // Each control keeps a cell of its own and a blank before the next one
    // in its rows, and a button shows its name whole.
    const std::vector<PlacedControl>& placed = layout.controls;
    for (const PlacedControl& a : placed) {
        if (!a.control.visible || a.control.kind == ControlKind::GroupBox)
            continue;
        if (a.control.kind == ControlKind::PushButton &&
            ButtonFace(WithoutMnemonic(a.control.text), a.width, unicode).empty())
            arrangement.columnsFit = false;
        const auto [topA, bottomA] = PaintedRows(a);
        for (const PlacedControl& b : placed) {
            if (&a == &b || !b.control.visible || b.control.kind == ControlKind::GroupBox ||
                b.control.rect.left <= a.control.rect.left)
                continue;
            const auto [topB, bottomB] = PaintedRows(b);
            const bool sameRows = topA < bottomB && topB < bottomA;
            if (sameRows && b.column - a.column < 2)
                arrangement.columnsFit = false;
        }
    }
    return arrangement;
}

}  // namespace

int ToCells(LONG pixels, double cell) { return static_cast<int>(std::lround(static_cast<double>(pixels) / cell)); }

std::string ButtonFace(const std::string& label, int width, bool unicodeTerminal)
{
    const int labelWidth = TerminalWidth(label, unicodeTerminal);
    if (labelWidth + 4 <= width)
        return "[ " + label + " ]";
    if (labelWidth + 2 <= width)
        return "[" + label + "]";
    return std::string();
}

DialogLayout LayOutDialog(HWND dialog, int columns, int rows)
{
    // The terminal's encoding only changes how wide a button's name is; the
    // names of buttons are plain text.
    constexpr bool kUnicode = true;
    const Geometry geometry = ReadGeometry(dialog);
    Arrangement arrangement = Arrange(geometry, columns, rows, kUnicode);
    DialogLayout layout = std::move(arrangement.layout);
    layout.fits = arrangement.rowsFit && arrangement.columnsFit;
    if (!layout.fits) {
        // Width and height are independent: each is found with ample room in
        // the other. Rounding makes a narrower terminal fit now and then where
        // a wider one does not: the smallest size is the one from which on
        // every larger one fits, found going down from the dialog's own size.
        const int ownColumns = static_cast<int>(std::ceil(geometry.client.right / geometry.cellWidth - 0.01)) + 2;
        const int ownRows = static_cast<int>(std::ceil(geometry.client.bottom / geometry.cellHeight - 0.01)) + 3;
        int smallest = std::max(ownColumns, columns + 1);
        while (smallest > 1 && Arrange(geometry, smallest - 1, kAmple, kUnicode).columnsFit)
            --smallest;
        layout.smallestColumns = smallest;
        smallest = std::max(ownRows, rows + 1);
        while (smallest > 1 && Arrange(geometry, kAmple, smallest - 1, kUnicode).rowsFit)
            --smallest;
        layout.smallestRows = smallest;
    }
    return layout;
}

int RoomBeforeNeighbour(const std::vector<PlacedControl>& placed, const PlacedControl& label, int row, int rightEdge)
{
    // One blank cell stays between a label and a control to its right.
    int room = rightEdge - label.column;
    for (const PlacedControl& other : placed) {
        if (&other == &label || !other.control.visible || other.control.kind == ControlKind::GroupBox)
            continue;
        const auto [top, bottom] = PaintedRows(other);
        if (row >= top && row < bottom && other.column > label.column)
            room = std::min(room, other.column - label.column - 1);
    }
    return std::max(room, 0);
}

}  // namespace ilt
