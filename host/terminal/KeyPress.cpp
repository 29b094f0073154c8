// A terminal key as the key press Win32 would get for it.
#include "terminal/KeyPress.h"

namespace ilt {
namespace {

using standin::Action;

std::optional<Action> Press(UINT virtualKey, unsigned modifiers = 0) { return Action::Key(virtualKey, modifiers); }

// A typed character: a letter (Shift for a capital), a digit, '-', '_', '.'.
std::optional<Action> CharacterPress(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        return Press(static_cast<UINT>(c - 'a' + 'A'));
    if (c >= 'A' && c <= 'Z')
        return Press(static_cast<UINT>(c), Action::kShift);
    if (c >= '0' && c <= '9')
        return Press(static_cast<UINT>(c));
    switch (c) {
    case '-': return Press(VK_OEM_MINUS);
    case '_': return Press(VK_OEM_MINUS, Action::kShift);
    case '.': return Press(VK_OEM_PERIOD);
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<Action> KeyPressOf(const Key& key)
{
    switch (key.code) {
    case KeyCode::Character: return CharacterPress(key.character);
    case KeyCode::Up: return Press(VK_UP);
    case KeyCode::Down: return Press(VK_DOWN);
    case KeyCode::Left: return Press(VK_LEFT);
    case KeyCode::Right: return Press(VK_RIGHT);
    case KeyCode::Home: return Press(VK_HOME);
    case KeyCode::End: return Press(VK_END);
    case KeyCode::PageUp: return Press(VK_PRIOR);
    case KeyCode::PageDown: return Press(VK_NEXT);
    case KeyCode::Tab: return Press(VK_TAB);
    case KeyCode::BackTab: return Press(VK_TAB, Action::kShift);
    case KeyCode::Enter: return Press(VK_RETURN);
    case KeyCode::Escape: return Press(VK_ESCAPE);
    case KeyCode::Space: return Press(VK_SPACE);
    case KeyCode::DropDown: return Press(VK_F4);
    case KeyCode::Redraw:
    case KeyCode::Closed:
    case KeyCode::Other: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace ilt
