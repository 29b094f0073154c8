// Scripts of the user's actions for a headless run: one action a line.
//
//   select NAME         pick the drop-down entry whose text is exactly NAME
//   ok | cancel         click that button of the active window
//   yes | no            click that button of a message box
//   enter | escape      press the key
//   close               click the close box
//   highlight PATH      folder browser: highlight the folder PATH
//   highlight-virtual   folder browser: highlight an item outside the file system
//
// A UTF-8 byte-order mark at the start is skipped. Blank lines and lines
// whose first non-blank character is '#' are skipped.
// The keyword may be preceded by blanks; NAME and PATH are the rest of the
// line after the one blank that follows the keyword, taken verbatim (a
// trailing carriage return is dropped).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ilt {

struct ScriptStep {
    enum class Kind { Select, Ok, Cancel, Yes, No, Enter, Escape, Close, Highlight, HighlightVirtual };

    Kind kind = Kind::Ok;
    std::string argument;  // NAME or PATH
    int line = 0;          // 1-based line number in the script
};

struct Script {
    std::string origin;  // the file name, or "standard input"
    std::vector<ScriptStep> steps;
    int lineCount = 0;
};

// The keyword of a step ("select", "highlight-virtual", ...).
const char* KeywordOf(ScriptStep::Kind kind);

// Parses a whole script. False, with "ORIGIN:LINE: problem" in `error`, at
// the first malformed line.
bool ParseScript(std::istream& in, const std::string& origin, Script& script, std::string& error);

enum class LoadResult { Loaded, Unreadable, Malformed };

// Reads and parses the script file `path` ("-" is standard input).
LoadResult LoadScript(const std::string& path, Script& script, std::string& error);

}  // namespace ilt
