// A message box on the terminal: its icon, caption, text and buttons.
// Left / Right / Tab move between the buttons, Enter or Space clicks the one
// with the focus (at first the default button), a button's first letter
// clicks it, Escape is passed to the box (which knows what it means there).
#pragma once

#include <windows.h>

#include <vector>

#include "WindowRoles.h"
#include "terminal/View.h"

namespace ilt {

struct MessageBoxButton
{
  int id = IDOK;
  const char* label = "OK";
};

// The buttons of a message box style (MB_OK, MB_YESNO, ...), left to right.
std::vector<MessageBoxButton> MessageBoxButtons(UINT style);

class MessageBoxView : public View
{
public:
  explicit MessageBoxView(MessageBoxInfo info);

  void Paint(Canvas& canvas) override;
  KeyOutcome HandleKey(const Key& key) override;
  std::string Hint() const override;

private:
  MessageBoxInfo info_;
  std::vector<MessageBoxButton> buttons_;
  int focus_ = 0;
};

}  // namespace ilt
