// A person's actions on real windows, done with the messages their mouse
// clicks and key presses would bring. Actions that start something (a click
// that ends a dialog or opens a message box) are posted, so that the window's
// own modal loop carries them out. Each returns why the action cannot be done
// ("control 1 is disabled"), or "" once it is under way.
#pragma once

#include <windows.h>

#include <string>

namespace ilt::win32 {

// Clicks the push button `id` of `window`. A disabled button takes no click:
// with `greyedTakesClick` the click does nothing (as on the browser's greyed
// OK); otherwise it is refused.
std::string ClickButton(HWND window, int id, bool greyedTakesClick);

// Opens the drop-down list of the combo box `comboId` and clicks its entry
// `index`, so that the combo box itself tells the dialog of the new selection.
std::string PickComboEntry(HWND dialog, int comboId, int index);

// Presses and releases `key` (VK_RETURN, VK_ESCAPE) on the focused control of
// `window`, through its dialog manager.
void PressKey(HWND window, WPARAM key);

// Clicks the close box of `window`; does nothing when it has none or it is greyed.
void PressCloseBox(HWND window);

// Highlights the folder `path` in the folder browser `browser`, rooted at the
// folder `root`: down its tree from the root, each folder opened and the last
// one selected, as a person clicks; at the desktop (`root` ""), whose tree
// shows display names rather than paths, with BFFM_SETSELECTIONA. Refused for
// a path that names no folder, or none the tree shows.
std::string HighlightFolder(HWND browser, const std::string& root, const std::string& path);

}  // namespace ilt::win32
