// A terminal key as the key press Win32 would get for it: the virtual key and
// the modifiers held, for the modal loop (standin::Action::Key).
#pragma once

#include <standin/display.h>

#include <optional>

#include "terminal/Keys.h"

namespace ilt {

// Nothing for keys that have no key press (a resize, the end of the input)
// and for characters without a key on a US keyboard that the dialogs use.
std::optional<standin::Action> KeyPressOf(const Key& key);

}  // namespace ilt
