// Keys as the terminal views see them, free of the terminal library.
#pragma once

namespace ilt {

enum class KeyCode {
    Character,  // a printable character: Key::character
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Tab,
    BackTab,
    Enter,
    Escape,
    Space,
    DropDown,  // F4: opens a drop-down list
    Redraw,    // the terminal was resized, or Ctrl-L
    Closed,    // no more input will come
    Other,
};

struct Key {
    KeyCode code = KeyCode::Other;
    char32_t character = 0;
};

}  // namespace ilt
