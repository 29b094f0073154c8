// A message box on the terminal: its icon, caption, text and buttons.
// The buttons are the box's own, read from it each time with the focus and
// the default look; the keys go to the box as key presses, for the dialog
// manager: Tab and the arrows move between the buttons, Enter clicks the
// default-looking one, Space the focused one, a button's letter clicks it,
// Escape does what Escape does on that box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "OpenWindows.h"
#include "terminal/View.h"

namespace ilt {

class MessageBoxView : public View {
public:
    MessageBoxView(HWND box, MessageBoxInfo info);

    void Paint(Canvas& canvas) override;
    KeyOutcome HandleKey(const Key& key) override;
    std::vector<KeyHint> Keys() const override;

private:
    struct Button {
        HWND hwnd = nullptr;
        int id = 0;
        std::string label;  // without its mnemonic's '&'
    };

    std::vector<Button> Buttons() const;

    HWND m_box;
    MessageBoxInfo m_info;
};

}  // namespace ilt
