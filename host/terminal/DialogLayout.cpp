// Where a dialog's controls go on the terminal.
#include "terminal/DialogLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

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

}  // namespace

int ToCells(LONG pixels, double cell) { return static_cast<int>(std::lround(static_cast<double>(pixels) / cell)); }

DialogLayout LayOutDialog(HWND dialog, int columns, int rows)
{
    DialogLayout layout;
    RECT client{};
    GetClientRect(dialog, &client);
    // A cell is kDialogUnitsPerColumn x kDialogUnitsPerRow dialog units. The
    // pixels of 400 x 800 units give the ratio without rounding.
    RECT units{0, 0, 400, 800};
    if (!MapDialogRect(dialog, &units) || units.right <= 0 || units.bottom <= 0)
        units = RECT{0, 0, 600, 1300};
    double cellWidth = units.right / 400.0 * kDialogUnitsPerColumn;
    double cellHeight = units.bottom / 800.0 * kDialogUnitsPerRow;
    int innerColumns = std::max(1, static_cast<int>(std::ceil(client.right / cellWidth - 0.01)));
    int innerRows = std::max(1, static_cast<int>(std::ceil(client.bottom / cellHeight - 0.01)));
    // Two columns and rows for the frame, and the bottom line for the keys.
    const int availableColumns = std::max(columns - 2, 1);
    const int availableRows = std::max(rows - 3, 1);
    if (innerColumns > availableColumns) {
        cellWidth = static_cast<double>(client.right) / availableColumns;
        innerColumns = availableColumns;
    }

    // The stack-up list takes the terminal's spare rows, or gives up the rows
    // it lacks, so that the other controls keep their lines; only a terminal
    // too small for that scales the whole dialog down.
    std::vector<ControlInfo> controls = ReadControls(dialog);
    const ControlInfo* list = StretchingList(controls);
    int stretchFrom = 0;  // the first row below the list
    int stretch = 0;      // rows the list grows by (or shrinks by, when negative)
    if (list != nullptr) {
        const int listRows = ToCells(list->rect.bottom, cellHeight) - ToCells(list->rect.top, cellHeight);
        stretch = std::max(availableRows - innerRows, kSmallestList - listRows);
        if (innerRows + stretch <= availableRows) {
            stretchFrom = ToCells(list->rect.bottom, cellHeight);
            innerRows += stretch;
        } else {
            stretch = 0;
        }
    }
    if (innerRows > availableRows) {
        cellHeight = static_cast<double>(client.bottom) / availableRows;
        innerRows = availableRows;
    }
    layout.frameWidth = innerColumns + 2;
    layout.frameHeight = innerRows + 2;
    layout.frameLeft = std::max((columns - layout.frameWidth) / 2, 0);
    layout.frameTop = std::max((rows - 1 - layout.frameHeight) / 2, 0);
    const auto rowOf = [&](LONG pixels) {
        const int row = ToCells(pixels, cellHeight);
        return stretch != 0 && row >= stretchFrom ? row + stretch : row;
    };

    layout.stretchingList = list != nullptr ? list->hwnd : nullptr;
    for (ControlInfo& control : controls) {
        PlacedControl item;
        const int column = std::clamp(ToCells(control.rect.left, cellWidth), 0, innerColumns - 1);
        const int row = std::clamp(rowOf(control.rect.top), 0, innerRows - 1);
        const int right = std::clamp(ToCells(control.rect.right, cellWidth), column + 1, innerColumns);
        const int bottom = std::clamp(rowOf(control.rect.bottom), row + 1, innerRows);
        item.row = layout.frameTop + 1 + row;
        item.column = layout.frameLeft + 1 + column;
        item.width = right - column;
        item.height = bottom - row;
        item.control = std::move(control);
        layout.controls.push_back(std::move(item));
    }
    layout.cellWidth = cellWidth;
    layout.cellHeight = cellHeight;
    return layout;
}

int RoomBeforeNeighbour(const std::vector<PlacedControl>& placed, const PlacedControl& label, int row)
{
    // One blank cell stays between a label and a control to its right.
    int room = label.width;
    for (const PlacedControl& other : placed) {
        if (&other == &label || !other.control.visible || other.control.kind == ControlKind::GroupBox)
            continue;
        if (row >= other.row && row < other.row + other.height && other.column > label.column)
            room = std::min(room, other.column - label.column - 1);
    }
    return std::max(room, 0);
}

}  // namespace ilt
