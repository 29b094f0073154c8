// Where a dialog's controls go on the terminal: a character cell stands for
// 3 x 8 dialog units, and a dialog too wide for the terminal is narrowed. The
// tallest list view (the stack-up list) takes the rows the terminal has to
// spare, or gives up the rows it lacks down to a frame, a heading and one
// row; a terminal shorter still loses the blank rows between the controls.
// The bottom line of the terminal is left for the keys.
//
// A terminal too small for that (two controls would share cells, a button
// could not show its name between brackets) cannot show the dialog: the
// layout says so, and how large a terminal would do.
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
    // Whether the terminal can show the dialog; if not, the smallest one that
    // can (in columns and rows, the key line included).
    bool fits = true;
    int smallestColumns = 0;
    int smallestRows = 0;
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

// The text a push button shows: "[ OK ]", or "[Cancel]" where the button is
// too narrow for the blanks; "" where not even that fits.
std::string ButtonFace(const std::string& label, int width, bool unicodeTerminal);

// Columns a label has on `row` before the control to its right, with a blank
// between, or up to `rightEdge` (the dialog's inner edge) when none is there.
int RoomBeforeNeighbour(const std::vector<PlacedControl>& placed, const PlacedControl& label, int row, int rightEdge);

}  // namespace ilt
