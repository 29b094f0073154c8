// The folder browser on the terminal: its title, a tree of folders under its
// root, and OK (greyed while the browser's callback disables it) and Cancel.
//
// The browser's focus is read from it: its tree (the control with the tree's
// id), OK or Cancel. The tree is drawn here, from the folders on disk: while
// it has the focus, Up / Down / Home / End / PageUp / PageDown move the
// highlight, Right opens a folder (or goes to its first sub-folder), Left
// closes it (or goes to its parent), and every move of the highlight is
// handed to the browser, which calls its callback. Every other key goes to
// the browser as a key press, for the dialog manager: Tab between the tree and
// the buttons, Enter for OK (or the button that has the focus), Escape for
// Cancel. As in the Windows tree view, typing a name's first letters moves the
// highlight to it (TypeAhead); the highlighted folder's full path is shown
// under the tree.
#pragma once

#include <windows.h>

#include "OpenWindows.h"
#include <functional>

#include "terminal/FolderTree.h"
#include "terminal/TypeAhead.h"
#include "terminal/View.h"

namespace ilt {

class FolderBrowserView : public View {
public:
    // `now` tells the time, for the type-ahead's pauses.
    FolderBrowserView(HWND browser, const OpenWindows& windows,
                      std::function<TypeAhead::Clock::time_point()> now = TypeAhead::Clock::now);

    void Paint(Canvas& canvas) override;
    KeyOutcome HandleKey(const Key& key) override;
    std::vector<KeyHint> Keys() const override;

private:
    bool OkEnabled() const;
    bool TreeHasFocus() const;
    KeyOutcome MoveTo(std::size_t row);
    KeyOutcome TreeKey(const Key& key);
    KeyOutcome TypedKey(char32_t typed);

    HWND m_browser;
    const OpenWindows& m_windows;
    FolderTree m_tree;
    std::size_t m_cursor = 0;
    std::size_t m_top = 0;
    int m_visibleRows = 10;
    std::function<TypeAhead::Clock::time_point()> m_now;
    TypeAhead m_typeAhead;
};

}  // namespace ilt
