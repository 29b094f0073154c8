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
//
// A script is read one action at a time, when the run needs the next one: a
// program on the other end of a pipe can choose each action after seeing what
// the dialog shows, and a script that never ends is never held in memory. A
// line may be at most 1 MiB long; a NUL byte means the script is not text.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>

namespace ilt {

struct ScriptStep {
    enum class Kind { Select, Ok, Cancel, Yes, No, Enter, Escape, Close, Highlight, HighlightVirtual };

    Kind kind = Kind::Ok;
    std::string argument;  // NAME or PATH
    int line = 0;          // 1-based line number in the script
};

// The keyword of a step ("select", "highlight-virtual", ...).
const char* KeywordOf(ScriptStep::Kind kind);

// The id of the button that ok, cancel, yes or no clicks (IDOK, ...); 0 for
// the other actions.
int ButtonId(ScriptStep::Kind kind);

// The longest line a script may have, without its line end.
constexpr std::size_t kMaxScriptLine = std::size_t{1} << 20;

class ScriptReader {
public:
    // Reads the script from `in`, which must outlive the reader; `origin`
    // names it in messages. `rereadable`: reading past the run's last action
    // never waits for a writer (a regular file), so the unused rest may be
    // looked at.
    ScriptReader(std::istream& in, std::string origin, bool rereadable);
    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;
    ~ScriptReader();

    // Opens the script file `path` ("-" is standard input) without reading
    // from it. Null, with the reason in `error`, when it cannot be read.
    static std::unique_ptr<ScriptReader> Open(const std::string& path, std::string& error);

    enum class Result { Step, End, Error };

    // Reads up to the next action. Step: it is in `step`. End: the script has
    // no more. Error: "ORIGIN:LINE: problem" in `error` (a malformed line, a
    // line too long or not text, a failed read); nothing is read after it.
    Result Next(ScriptStep& step, std::string& error);

    const std::string& Origin() const { return m_origin; }
    bool Rereadable() const { return m_rereadable; }
    // The number of lines read so far: the line of an error.
    int LinesRead() const { return m_line; }

private:
    ScriptReader(std::unique_ptr<std::istream> file, std::string origin, bool rereadable);

    std::unique_ptr<std::istream> m_owned;  // an opened file, or null for `in` given
    std::istream& m_in;
    std::string m_origin;
    bool m_rereadable;
    int m_line = 0;
    bool m_stopped = false;  // after End or Error
    Result m_stoppedWith = Result::End;
    std::string m_stopError;
};

}  // namespace ilt
