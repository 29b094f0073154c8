// Where a dialog's controls go on the terminal: a character cell stands for
// 3 x 8 dialog units, a dialog too large for the terminal is scaled down, and
// the tallest list view (the stack-up list) takes the rows the terminal has to
// spare, or gives up the rows it lacks, so that the other controls keep their
// lines. The bottom line of the terminal is left for the keys.
#pragma once

#include <windows.h>

#include <vector>

#include "dialogstate/Controls.h"

namespace ilt {

// A control and the cells it takes on the screen.
struct PlacedControl {
    ControlInfo control;
    int row = 0;
    int column = 0;
    int height = 1;
    int width = 1;
};

struct DialogLayout {
    // The frame around the dialog, in screen cells.
    int frameTop = 0;
    int frameLeft = 0;
    int frameHeight = 0;
    int frameWidth = 0;
    // Pixels per cell.
    double cellWidth = 6;
    double cellHeight = 13;
    HWND stretchingList = nullptr;  // the list that took the spare rows, or null
    std::vector<PlacedControl> controls;
};

// The layout of `dialog`'s controls, as they are now, on a screen of
// `columns` x `rows` cells.
DialogLayout LayOutDialog(HWND dialog, int columns, int rows);

// Cells of `cell` pixels that `pixels` take, rounded.
int ToCells(LONG pixels, double cell);

// Columns a label has on `row` before the control to its right, with a blank between.
int RoomBeforeNeighbour(const std::vector<PlacedControl>& placed, const PlacedControl& label, int row);

}  // namespace ilt
