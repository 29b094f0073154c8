// A grid of character cells that the terminal views paint and the screen
// shows; free of any terminal library, so that painting can be tested.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ilt {

enum CellAttribute : unsigned {
    kPlain = 0,
    kBold = 1u << 0,
    kReverse = 1u << 1,
    kDim = 1u << 2,
    kUnderline = 1u << 3,
};

struct Cell {
    std::string glyph = " ";  // "" for the second cell of a wide character
    unsigned attributes = kPlain;
};

class Canvas {
public:
    Canvas(int rows, int columns, bool unicodeTerminal);

    int Rows() const { return m_rows; }
    int Columns() const { return m_columns; }
    bool Unicode() const { return m_unicode; }

    // Writes `text` (made terminal-safe) from (row, column) on, at most
    // `maxWidth` columns and never past the right edge; a wide character that
    // does not fit whole is left out. Returns the columns written.
    int Text(int row, int column, std::string_view text, unsigned attributes = kPlain, int maxWidth = 1 << 20);
    // Blanks `width` cells from (row, column) with the given attributes.
    void Fill(int row, int column, int width, unsigned attributes = kPlain);
    // Sets the attributes of `width` cells, keeping what they show.
    void Mark(int row, int column, int width, unsigned attributes);
    // A frame whose outer size is height x width.
    void Frame(int top, int left, int height, int width, unsigned attributes = kPlain);
    void HorizontalLine(int row, int column, int width, unsigned attributes = kPlain);

    const Cell& At(int row, int column) const;
    // What the row shows, without attributes and trailing blanks (for tests).
    std::string RowText(int row) const;

private:
    bool Inside(int row, int column) const;
    void Put(int row, int column, std::string glyph, unsigned attributes);

    int m_rows;
    int m_columns;
    bool m_unicode;
    std::vector<Cell> m_cells;
};

}  // namespace ilt
