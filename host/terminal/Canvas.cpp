// A grid of character cells.
#include "terminal/Canvas.h"

#include <algorithm>

#include "terminal/TerminalText.h"

namespace ilt {

Canvas::Canvas(int rows, int columns, bool unicodeTerminal)
    : m_rows(std::max(rows, 0)), m_columns(std::max(columns, 0)), m_unicode(unicodeTerminal),
      m_cells(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns))
{}

bool Canvas::Inside(int row, int column) const { return row >= 0 && row < m_rows && column >= 0 && column < m_columns; }

const Cell& Canvas::At(int row, int column) const
{
    static const Cell kOutside;
    if (!Inside(row, column))
        return kOutside;
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                   static_cast<std::size_t>(column)];
}

void Canvas::Put(int row, int column, std::string glyph, unsigned attributes)
{
    if (!Inside(row, column))
        return;
    const auto index = [this, row](int at) {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) + static_cast<std::size_t>(at);
    };
    const bool continuation = glyph.empty();
    // Overwriting half of an earlier wide character blanks its other half.
    if (!continuation && m_cells[index(column)].glyph.empty() && column > 0)
        m_cells[index(column - 1)].glyph = " ";
    if (column + 1 < m_columns && m_cells[index(column + 1)].glyph.empty())
        m_cells[index(column + 1)].glyph = " ";
    m_cells[index(column)].glyph = std::move(glyph);
    m_cells[index(column)].attributes = attributes;
}

int Canvas::Text(int row, int column, std::string_view text, unsigned attributes, int maxWidth)
{
    if (row < 0 || row >= m_rows)
        return 0;
    const int limit = std::min(m_columns, column + std::max(maxWidth, 0));
    int at = column;
    int written = 0;
    Glyph glyph;
    // Only as much of the text is read as fits.
    for (std::size_t pos = 0; NextGlyph(text, pos, m_unicode, glyph);) {
        if (at + glyph.width > limit)
            break;
        if (at >= 0) {
            Put(row, at, std::move(glyph.text), attributes);
            if (glyph.width == 2)
                Put(row, at + 1, "", attributes);
            written += glyph.width;
        }
        at += glyph.width;
    }
    return written;
}

void Canvas::Fill(int row, int column, int width, unsigned attributes)
{
    for (int i = 0; i < width; ++i)
        Put(row, column + i, " ", attributes);
}

void Canvas::Mark(int row, int column, int width, unsigned attributes)
{
    for (int i = 0; i < width; ++i) {
        if (Inside(row, column + i))
            m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
                    static_cast<std::size_t>(column + i)]
                .attributes = attributes;
    }
}

void Canvas::HorizontalLine(int row, int column, int width, unsigned attributes)
{
    for (int i = 0; i < width; ++i)
        Put(row, column + i, m_unicode ? "\u2500" : "-", attributes);
}

void Canvas::Frame(int top, int left, int height, int width, unsigned attributes)
{
    if (height < 2 || width < 2)
        return;
    const int bottom = top + height - 1;
    const int right = left + width - 1;
    HorizontalLine(top, left + 1, width - 2, attributes);
    HorizontalLine(bottom, left + 1, width - 2, attributes);
    for (int row = top + 1; row < bottom; ++row) {
        Put(row, left, m_unicode ? "\u2502" : "|", attributes);
        Put(row, right, m_unicode ? "\u2502" : "|", attributes);
    }
    Put(top, left, m_unicode ? "\u250c" : "+", attributes);
    Put(top, right, m_unicode ? "\u2510" : "+", attributes);
    Put(bottom, left, m_unicode ? "\u2514" : "+", attributes);
    Put(bottom, right, m_unicode ? "\u2518" : "+", attributes);
}

std::string Canvas::RowText(int row) const
{
    std::string text;
    for (int column = 0; column < m_columns; ++column)
        text += At(row, column).glyph;
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace ilt
