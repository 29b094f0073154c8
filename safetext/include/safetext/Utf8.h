// Decoding of UTF-8, the system's ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ilt {

// Decodes the code point that starts at text[pos] and advances pos past it.
// On a malformed sequence (a stray continuation byte, a truncated or overlong
// sequence, a surrogate, a value above U+10FFFF) advances pos by one byte and
// returns false.
bool DecodeUtf8(std::string_view text, std::size_t& pos, char32_t& codePoint);

// Appends the UTF-8 form of a valid code point.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace ilt
