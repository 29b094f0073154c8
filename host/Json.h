// JSON text for the transcript.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ilt {

// `text` as a JSON string literal, quotes included. The text is read as
// UTF-8 (the system's ANSI code page); a byte that is not part of a valid
// UTF-8 sequence becomes U+FFFD, as MultiByteToWideChar would make it.
//   a"b\ => "a\"b\\"      "\x1b[2J" => "\u001b[2J"      "\xff" => "\ufffd"
std::string JsonString(std::string_view text);

// ["a","b"]
std::string JsonStringArray(const std::vector<std::string>& items);

}  // namespace ilt
