// A message box on the terminal.
#include "terminal/MessageBoxView.h"

#include <algorithm>

#include "terminal/KeyPress.h"
#include "terminal/TerminalText.h"
#include "dialogstate/Controls.h"

namespace ilt {
namespace {

// A picture of the icon, three columns wide.
const char* IconFace(UINT style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return "(X)";
    case MB_ICONQUESTION: return "(?)";
    case MB_ICONEXCLAMATION: return "/!\\";
    case MB_ICONASTERISK: return "(i)";
    default: return nullptr;
    }
}

}  // namespace

MessageBoxView::MessageBoxView(HWND box, MessageBoxInfo info) : m_box(box), m_info(std::move(info)) {}

std::vector<MessageBoxView::Button> MessageBoxView::Buttons() const
{
    std::vector<Button> buttons;
    for (const ControlInfo& control : ReadControls(m_box)) {
        if (control.kind == ControlKind::PushButton && control.visible)
            buttons.push_back(Button{control.hwnd, control.id, WithoutMnemonic(control.text)});
    }
    return buttons;
}

void MessageBoxView::Paint(Canvas& canvas)
{
    const bool unicode = canvas.Unicode();
    const char* icon = IconFace(m_info.style);
    const int iconWidth = icon != nullptr ? 5 : 0;
    // The text is wrapped within the box; a text longer than the screen has
    // rows for loses the middle of its longest words (a path), never its end.
    const int maxText = std::max(std::min(canvas.Columns() - 8 - iconWidth, 60), 10);
    const std::vector<std::string> lines = WrapToFit(m_info.text, maxText, std::max(canvas.Rows() - 7, 1), unicode);
    const std::vector<Button> buttons = Buttons();

    int textWidth = 0;
    for (const std::string& line : lines)
        textWidth = std::max(textWidth, TerminalWidth(line, unicode));
    int buttonsWidth = 0;
    for (const Button& button : buttons)
        buttonsWidth += TerminalWidth(button.label, unicode) + 4 + 2;
    const int captionWidth = TerminalWidth(m_info.caption, unicode) + 4;
    const int width = std::min(std::max({textWidth + iconWidth, buttonsWidth, captionWidth, 20}) + 4, canvas.Columns());
    const int textRows = static_cast<int>(lines.size());
    const int height = textRows + 6;
    const int top = std::max((canvas.Rows() - 1 - height) / 2, 0);
    const int left = std::max((canvas.Columns() - width) / 2, 0);

    for (int row = top; row < top + height; ++row)
        canvas.Fill(row, left, width);
    canvas.Frame(top, left, height, width, kBold);
    canvas.Text(top, left + 2, " ", kBold);
    const int used = canvas.Text(top, left + 3, CutToWidth(m_info.caption, width - 6, unicode), kBold);
    canvas.Text(top, left + 3 + used, " ", kBold);

    if (icon != nullptr)
        canvas.Text(top + 2, left + 2, icon, kBold);
    for (int i = 0; i < textRows; ++i)
        canvas.Text(top + 2 + i, left + 2 + iconWidth, lines[static_cast<std::size_t>(i)], kPlain,
                    width - 4 - iconWidth);

    int column = left + (width - buttonsWidth + 2) / 2;
    const int buttonRow = top + height - 2;
    const HWND focus = GetFocus();
    for (const Button& button : buttons) {
        const unsigned attributes = button.hwnd == focus ? (kReverse | kBold) : kPlain;
        column += canvas.Text(buttonRow, column, "[ " + button.label + " ]", attributes) + 2;
    }
}

KeyOutcome MessageBoxView::HandleKey(const Key& key)
{
    if (std::optional<standin::Action> press = KeyPressOf(key))
        return KeyOutcome{std::move(press), false};
    return KeyOutcome{std::nullopt, true};
}

std::vector<KeyHint> MessageBoxView::Keys() const
{
    const std::vector<Button> buttons = Buttons();
    std::vector<KeyHint> keys;
    if (buttons.size() > 1)
        keys.push_back({"Left/Right", "choose", 2});
    // Enter clicks the focused button.
    const HWND focus = GetFocus();
    for (const Button& button : buttons) {
        if (button.hwnd == focus)
            keys.push_back({"Enter", button.label, 5});
    }
    // Escape answers Cancel, or OK on a box with only OK; elsewhere (Yes/No,
    // Abort/Retry/Ignore) it does nothing.
    const bool escapeCloses =
        (buttons.size() == 1 && buttons[0].id == IDOK) ||
        std::any_of(buttons.begin(), buttons.end(), [](const Button& button) { return button.id == IDCANCEL; });
    if (escapeCloses)
        keys.push_back({"Esc", "close", 6});
    return keys;
}

}  // namespace ilt
