// JSON string literals of text, for the host's transcript and the tool's
// reports.
#pragma once

#include <string>
#include <string_view>

namespace ilt {

// `utf8` as a JSON string literal, quotes included. Quotes and backslashes
// are escaped, line ends and tabs as \n, \r and \t, and every other control
// character a terminal acts on (C0, DEL, C1, invisible direction marks:
// IsControlCharacter) as \uXXXX, so that the text is exact and harmless to
// print. A byte that is not part of a valid UTF-8 sequence becomes U+FFFD, as
// MultiByteToWideChar would make it.
//   a"b\ => "a\"b\\"      "\x1b[2J" => "\u001b[2J"      "\xff" => "\ufffd"
std::string JsonString(std::string_view utf8);

}  // namespace ilt
