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

// The glyph that starts at text[pos], with the combining marks that follow
// it (terminal-safe); advances pos past them. False at the end of the text.
bool NextGlyph(std::string_view text, std::size_t& pos, bool unicodeTerminal, Glyph& glyph);

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

// As WrapLines, in at most `rows` lines: where more would be needed, the
// widest words (a long path) lose their middles to an ellipsis, so that the
// start and the end of a message stay; only where that is not enough are the
// last lines left out, the last one shown ending in an ellipsis.
//   "Central library \"D:\<3,000 characters>\" doesn't exist." in 3 lines of 40
//   => "Central library", "\"D:\pppp…pppp\"", "doesn't exist."
std::vector<std::string> WrapToFit(std::string_view text, int width, int rows, bool unicodeTerminal);

// The mark of a cut text: "…", or "~" on a terminal that is not UTF-8.
std::string Ellipsis(bool unicodeTerminal);

// `text` made terminal-safe and cut to `width` columns, the cut marked with
// an ellipsis (blanks at its end may go without one). Reads no more of the
// text than it shows.
//   "SIGNAL_1" in 5 => "SIGN…"        "OK  " in 2 => "OK"
std::string CutToWidth(std::string_view text, int width, bool unicodeTerminal);

}  // namespace ilt
