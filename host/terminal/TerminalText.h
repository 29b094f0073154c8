// Text made safe for a terminal, and measured in columns.
//
// File and folder names reach the screen unfiltered from the disk, so every
// character that a terminal would act on instead of showing is replaced by '?'
// (IsControlCharacter, and bytes that are not valid UTF-8). On a terminal that
// is not UTF-8, every non-ASCII character is replaced too. Lines written to
// standard output or error go through ControlFree (safetext/ControlFree.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "safetext/ControlFree.h"

namespace ilt {

// What one or two character cells show.
struct Glyph {
    std::string text;  // UTF-8: one character, with its combining marks
    int width = 1;     // 1, or 2 for a wide character
};

// Splits `text` into glyphs. Combining marks join the glyph before them (a
// mark with nothing before it becomes '?').
//   "a\x1b[2Jb" => a ? [ 2 J b        "e\u0301" => one glyph of width 1
std::vector<Glyph> TerminalGlyphs(std::string_view text, bool unicodeTerminal);

// The glyphs of `text` joined again.
std::string TerminalSafe(std::string_view text, bool unicodeTerminal);

// Columns that `text` takes on the screen.
int TerminalWidth(std::string_view text, bool unicodeTerminal);

// Breaks `text` into lines of at most `width` columns: at each '\n', and at
// blanks where a line would grow too long; a word longer than a line is cut.
// The lines are terminal-safe.
std::vector<std::string> WrapLines(std::string_view text, int width, bool unicodeTerminal);

}  // namespace ilt
