// Text fit to be written where a terminal may show it.
//
// Names and paths come from the disk or the command line unfiltered, and a
// terminal acts on some characters instead of showing them: escape sequences
// that set its title or clear its screen start with a C0 or C1 control, and
// invisible format controls turn the text around them. Every such character,
// and every byte that is not valid UTF-8, is shown as '?'.
#pragma once

#include <string>
#include <string_view>

namespace ilt {

// Whether a terminal acts on the code point instead of showing it: C0 and C1
// controls, DEL, and the bidirectional and other invisible format controls.
bool IsControlCharacter(char32_t codePoint);

// `text` with every control character (as above) and every malformed byte
// replaced by '?'; everything else is kept byte for byte.
//   "a\x1b]2;x\x07b" => "a?]2;x?b"      "caf\xc3\xa9\xff" => "caf\xc3\xa9?"
std::string ControlFree(std::string_view text);

}  // namespace ilt
