// The stand-in's side of the display (<standin/display.h>): what the windows tell it, and
// who takes the user's actions that the dialog manager does not know.
#pragma once

#include <standin/display.h>

#include <functional>
#include <string>

namespace win32 {

// Tells the installed display, if there is one.
void NotifyDisplay(const standin::Event& event);

// What a dialog's own action handler says about an action.
enum class ActionOutcome { Done, Rejected, NotMine };
using ActionHandler =
    std::function<ActionOutcome(HWND active, const standin::Action& action, std::string& whyRejected)>;

// The handler that the modal loop of `dialog` asks first about each action, until it is
// removed: the folder browser's, which takes the highlights the dialog manager does not know.
void SetActionHandler(HWND dialog, ActionHandler handler);
void RemoveActionHandler(HWND dialog);
// The handler of `dialog`; an empty one when it has none.
ActionHandler ActionHandlerOf(HWND dialog);

}  // namespace win32
