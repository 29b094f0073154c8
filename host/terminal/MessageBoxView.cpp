// A message box on the terminal.
#include "terminal/MessageBoxView.h"

#include <algorithm>
#include <cctype>

#include "terminal/TerminalText.h"

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

std::vector<MessageBoxButton> MessageBoxButtons(UINT style)
{
  switch (style & MB_TYPEMASK) {
  case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
  case MB_ABORTRETRYIGNORE: return {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
  case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
  case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
  case MB_RETRYCANCEL: return {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
  case MB_CANCELTRYCONTINUE: return {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "Try Again"}, {IDCONTINUE, "Continue"}};
  default: return {{IDOK, "OK"}};
  }
}

MessageBoxView::MessageBoxView(MessageBoxInfo info)
    : info_(std::move(info)), buttons_(MessageBoxButtons(info_.style))
{
  const int defaultButton = static_cast<int>((info_.style & MB_DEFMASK) >> 8);
  focus_ = defaultButton < static_cast<int>(buttons_.size()) ? defaultButton : 0;
}

void MessageBoxView::Paint(Canvas& canvas)
{
  const bool unicode = canvas.Unicode();
  const char* icon = IconFace(info_.style);
  const int iconWidth = icon != nullptr ? 5 : 0;
  const int maxText = std::max(std::min(canvas.Columns() - 8 - iconWidth, 60), 10);
  const std::vector<std::string> lines = WrapLines(info_.text, maxText, unicode);

  int textWidth = 0;
  for (const std::string& line : lines)
    textWidth = std::max(textWidth, TerminalWidth(line, unicode));
  int buttonsWidth = 0;
  for (const MessageBoxButton& button : buttons_)
    buttonsWidth += TerminalWidth(button.label, unicode) + 4 + 2;
  const int captionWidth = TerminalWidth(info_.caption, unicode) + 4;
  const int width = std::min(std::max({textWidth + iconWidth, buttonsWidth, captionWidth, 20}) + 4, canvas.Columns());
  const int textRows = std::min(static_cast<int>(lines.size()), std::max(canvas.Rows() - 7, 1));
  const int height = textRows + 6;
  const int top = std::max((canvas.Rows() - 1 - height) / 2, 0);
  const int left = std::max((canvas.Columns() - width) / 2, 0);

  for (int row = top; row < top + height; ++row)
    canvas.Fill(row, left, width);
  canvas.Frame(top, left, height, width, kBold);
  canvas.Text(top, left + 2, " ", kBold);
  const int used = canvas.Text(top, left + 3, info_.caption, kBold, width - 6);
  canvas.Text(top, left + 3 + used, " ", kBold);

  if (icon != nullptr)
    canvas.Text(top + 2, left + 2, icon, kBold);
  for (int i = 0; i < textRows; ++i)
    canvas.Text(top + 2 + i, left + 2 + iconWidth, lines[static_cast<std::size_t>(i)], kPlain, width - 4 - iconWidth);

  int column = left + (width - buttonsWidth + 2) / 2;
  const int buttonRow = top + height - 2;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const unsigned attributes = static_cast<int>(i) == focus_ ? (kReverse | kBold) : kPlain;
    column += canvas.Text(buttonRow, column, std::string("[ ") + buttons_[i].label + " ]", attributes) + 2;
  }
}

KeyOutcome MessageBoxView::HandleKey(const Key& key)
{
  const int count = static_cast<int>(buttons_.size());
  switch (key.code) {
  case KeyCode::Left:
  case KeyCode::BackTab:
    focus_ = (focus_ + count - 1) % count;
    return KeyOutcome{};
  case KeyCode::Right:
  case KeyCode::Tab:
    focus_ = (focus_ + 1) % count;
    return KeyOutcome{};
  case KeyCode::Enter:
  case KeyCode::Space:
    return KeyOutcome{standin::Action::Click(buttons_[static_cast<std::size_t>(focus_)].id), false};
  case KeyCode::Escape:
    return KeyOutcome{standin::Action::Escape(), false};
  case KeyCode::Character:
    for (const MessageBoxButton& button : buttons_) {
      if (key.character < 0x80 &&
          std::tolower(static_cast<int>(key.character)) == std::tolower(static_cast<unsigned char>(button.label[0])))
        return KeyOutcome{standin::Action::Click(button.id), false};
    }
    break;
  default: break;
  }
  return KeyOutcome{std::nullopt, true};
}

std::string MessageBoxView::Hint() const
{
  // Escape answers Cancel, or OK on a box with only OK; elsewhere (Yes/No,
  // Abort/Retry/Ignore) it does nothing.
  const bool escapeCloses =
      (buttons_.size() == 1 && buttons_[0].id == IDOK) ||
      std::any_of(buttons_.begin(), buttons_.end(), [](const MessageBoxButton& button) { return button.id == IDCANCEL; });
  return std::string("Left/Right: choose a button   Enter: click it") + (escapeCloses ? "   Esc: close the box" : "");
}

}  // namespace ilt
