// The bottom line of the screen: the keys that work on the window that waits
// for the user, as entries "Key: what it does". A line too short for all of
// them loses whole entries, the least important first, and keeps the order
// of the rest.
#pragma once

#include <string>
#include <vector>

namespace ilt {

struct KeyHint {
    std::string keys;    // "Up/Down"
    std::string action;  // "template"
    int importance = 0;  // the higher, the later it is dropped
};

// The entries that fit `width` columns, two blanks apart:
//   {Tab: next (2), Enter: OK (5), Esc: cancel (6)} in 22 columns => "Enter: OK  Esc: cancel"
std::string KeyLine(const std::vector<KeyHint>& hints, int width, bool unicodeTerminal);

}  // namespace ilt
