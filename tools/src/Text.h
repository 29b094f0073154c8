// Text.h - the system's narrow text and the text the tool prints.
//
// The module's paths and names are narrow strings in the ANSI code page: on
// Linux the stand-ins' UTF-8, on Windows the system's code page (1252 on
// Western systems). The tool keeps paths and names in that form, as the
// module takes and gives them, and converts only where text leaves it: to
// UTF-8 for JSON, and made control-free for a terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace layouttool {

// The system's narrow text as UTF-8: on Windows converted from the ANSI code
// page (every byte has a character there); on Linux as it is, malformed bytes
// included.
std::string SystemToUtf8(std::string_view text);

// UTF-8 in the system's code page, a '?' for each character it cannot write
// (Windows); on Linux as it is.
std::string Utf8ToSystemLossy(std::string_view utf8);

// `text` fit for a terminal, in the system's code page: control characters,
// invisible direction marks and malformed bytes shown as '?'.
std::string ShownText(std::string_view text);

// The ANSI code page, as a message names it: "1252" (Windows); "UTF-8" (Linux).
std::string CodePageName();

// An argument that the command line gave in characters the ANSI code page
// cannot write (Windows): main converts it with '?' for each such character
// and keeps its exact text. The exact text (UTF-8) of `argument` when it is
// one of them; nothing for every other argument, and always on Linux.
std::optional<std::string> OutsideCodePage(const std::string& argument);
void NoteOutsideCodePage(const std::string& argument, const std::string& exactUtf8);

// "holds characters that the ANSI code page (1252) cannot write, and the
// dialog's paths are written in it: the dialog could never open it" for an
// argument outside the code page (shown with '?' for those characters); ""
// for any other.
std::string CodePageProblem(const std::string& argument);

// The same words for a name found on the disk.
std::string OutsideCodePageProblem();

}  // namespace layouttool
